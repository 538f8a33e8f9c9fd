// Writes the seed corpus of every fuzz target into one folder per target.
//
//   nubiro-fuzz-seeds OUTPUT_FOLDER TEST_DATA_FOLDER SIGMET_FIXTURE
//
// TEST_DATA_FOLDER is the build tree's unpacked test data (metar-corpus.txt,
// airports.csv, plans/).

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>

#include "Seeds.h"
#include "util/LineInput.h"

namespace {

using namespace wx::fuzz;

std::ifstream openInput(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    return in;
}

std::vector<std::string> nonEmptyLines(const std::filesystem::path& path) {
    std::ifstream in = openInput(path);
    std::vector<std::string> lines;
    std::string line;
    while (wx::readLine(in, line)) {
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
}

std::string wholeFile(const std::filesystem::path& path) {
    std::ifstream in = openInput(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: nubiro-fuzz-seeds OUTPUT_FOLDER TEST_DATA_FOLDER SIGMET_FIXTURE\n";
        return 2;
    }
    try {
        const std::filesystem::path output = argv[1];
        const std::filesystem::path testData = argv[2];
        const auto reports = nonEmptyLines(testData / "metar-corpus.txt");
        const auto write = [&](const std::string& target, const auto& fill) {
            SeedDir seeds(output, target);
            fill(seeds);
            std::cout << target << ": " << seeds.count() << " seeds\n";
        };
        write("metar-report", [&](SeedDir& seeds) { writeMetarReportSeeds(seeds, reports); });
        write("metar-answer", [&](SeedDir& seeds) { writeMetarAnswerSeeds(seeds, reports); });
        write("sigmet-answer", [&](SeedDir& seeds) { writeSigmetAnswerSeeds(seeds, wholeFile(argv[3])); });
        write("forecast-answer", [&](SeedDir& seeds) { writeForecastAnswerSeeds(seeds); });
        write("taf-answer", [&](SeedDir& seeds) { writeTafAnswerSeeds(seeds); });
        write("airport-list", [&](SeedDir& seeds) { writeAirportListSeeds(seeds, nonEmptyLines(testData / "airports.csv")); });
        write("fsuipc-area", [&](SeedDir& seeds) { writeFsuipcAreaSeeds(seeds); });
        write("weather-records", [&](SeedDir& seeds) { writeWeatherRecordSeeds(seeds, reports); });
        write("plan-file", [&](SeedDir& seeds) { writePlanFileSeeds(seeds, testData / "plans"); });
    } catch (const std::exception& error) {
        std::cerr << "nubiro-fuzz-seeds: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
