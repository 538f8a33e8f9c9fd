#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace wx::cli {

struct CliStreams {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

// Every subcommand takes the words after its name and returns the exit code.
using CommandFn = int (*)(const std::vector<std::string>& args, CliStreams io);

struct Command {
    const char* name;
    CommandFn run;
    const char* usage;
};

int runDecode(const std::vector<std::string>& args, CliStreams io);
int runSummary(const std::vector<std::string>& args, CliStreams io);
int runAirports(const std::vector<std::string>& args, CliStreams io);
int runMetars(const std::vector<std::string>& args, CliStreams io);
int runSigmets(const std::vector<std::string>& args, CliStreams io);
int runSynthesize(const std::vector<std::string>& args, CliStreams io);
int runAttach(const std::vector<std::string>& args, CliStreams io);
int runNwiRecord(const std::vector<std::string>& args, CliStreams io);
int runBrief(const std::vector<std::string>& args, CliStreams io);
int runRun(const std::vector<std::string>& args, CliStreams io);

}  // namespace wx::cli
