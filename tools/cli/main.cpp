// nubiro-cli: a developer's inspector over the program's core code.

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "CliOptions.h"
#include "Commands.h"
#include "RunOptions.h"
#include "platform/PlatformDefaults.h"

namespace {

using wx::cli::Command;

const Command kCommands[] = {
    {"decode", wx::cli::runDecode,
     "decode [--elevation M] [--cavok-haze 0|1] [--cavok-vis M] [--finalize] [--station ID]\n"
     "    reads METARs from standard input, one a line, and prints each record as JSON"},
    {"summary", wx::cli::runSummary,
     "summary [--full 0|1] [--max N] [--extra TEXT]\n"
     "    reads records as decode prints them and prints each summary text, then ----"},
    {"airports", wx::cli::runAirports,
     "airports find CSV IDENT | nearest CSV LAT LON COUNT RADIUS_NM | load CSV\n"
     "    loads an airport list and prints one airport, the nearest ones, or the count stored and the load time"},
    {"metars", wx::cli::runMetars,
     "metars SOURCE_ID ID...\n"
     "    fetches the stations' METARs with the source and prints them as one JSON object (id to report)"},
    {"sigmets", wx::cli::runSigmets,
     "sigmets SOURCE_ID\n"
     "    fetches the SIGMETs with the source and prints them as a JSON array"},
    {"synthesize", wx::cli::runSynthesize,
     "synthesize SOURCE_ID ID LAT LON ELEVATION_M\n"
     "    prints the record the source builds from model data, as decode prints it, or null (exit 1)"},
    {"attach", wx::cli::runAttach,
     "attach SOURCE_ID LAT LON\n"
     "    reads records as decode prints them and prints each with the source's layers aloft added"},
    {"nwi-record", wx::cli::runNwiRecord,
     "nwi-record [--magvar DEG]\n"
     "    reads records as decode --finalize prints them and prints each 1024-byte NWI record in hex,\n"
     "    32 bytes a line after the offset, records separated by an empty line"},
    {"brief", wx::cli::runBrief,
     "brief [--plan FILE | --from ICAO --to ICAO] [--alternate ICAO] [--eta TIME] [--clock TIME]\n"
     "    [--airports CSV] [--source ID]\n"
     "    fetches the METARs, SIGMETs and TAFs of the flight once and prints its briefing as one JSON object:\n"
     "    the departure, destination and alternate with their reports' category and age, their TAFs and the\n"
     "    forecast at the arrival time, and the SIGMETs across the route. --eta TIME (UTC, as\n"
     "    2026-12-08T16:40:00Z) is the arrival time; without it the plan's length flown at 250 kt from now.\n"
     "    --clock TIME is now instead of the computer's time (report ages, SIGMET validity)"},
    {"run", wx::cli::runRun, wx::cli::runUsage()},
};

void printUsage(std::ostream& out) {
    out << "usage: nubiro-cli [--ca-file PEM] COMMAND [OPTIONS]\n\n"
           "  --ca-file PEM   trust the certificate authorities in PEM instead of the system's (native\n"
           "                  build; for the web-services stand-in)\n\ncommands:\n";
    for (const Command& command : kCommands) {
        out << "  " << command.usage << "\n";
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    wx::useBinaryStandardStreams();
    wx::installPlatformDefaults();
    std::vector<std::string> words(argv + 1, argv + argc);
    if (!words.empty() && words[0] == "--ca-file") {
        if (words.size() < 2) {
            std::cerr << "nubiro-cli: --ca-file needs a file\n";
            return 2;
        }
        if (!wx::trustOnlyCertificateAuthorities(words[1])) {
            std::cerr << "nubiro-cli: --ca-file: this build trusts the system's certificate store only\n";
            return 2;
        }
        words.erase(words.begin(), words.begin() + 2);
    }
    if (words.empty() || words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
        printUsage(words.empty() ? std::cerr : std::cout);
        return words.empty() ? 2 : 0;
    }
    for (const Command& command : kCommands) {
        if (words[0] != command.name) {
            continue;
        }
        try {
            return command.run({words.begin() + 1, words.end()}, {std::cin, std::cout, std::cerr});
        } catch (const wx::cli::UsageError& error) {
            std::cerr << "nubiro-cli " << command.name << ": " << error.what() << "\nusage: nubiro-cli "
                      << command.usage << "\n";
            return 2;
        } catch (const std::exception& error) {
            std::cerr << "nubiro-cli " << command.name << ": " << error.what() << "\n";
            return 1;
        }
    }
    std::cerr << "nubiro-cli: unknown command \"" << words[0] << "\"\n";
    printUsage(std::cerr);
    return 2;
}
