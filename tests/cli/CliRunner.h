#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "Commands.h"

namespace wx::test {

struct CliRun {
    int status = 0;
    std::string out;
    std::string err;
};

// Runs one nubiro-cli command in-process on the given standard input, the
// way main() does (a usage error ends with 2 and a message).
CliRun runCli(cli::CommandFn command, const std::vector<std::string>& args, const std::string& input);

// The output's lines.
std::vector<std::string> textLines(const std::string& text);

// Output of one JSON value a line, parsed.
std::vector<nlohmann::json> jsonLines(const std::string& text);

}  // namespace wx::test
