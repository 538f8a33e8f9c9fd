#include "cli/CliRunner.h"

#include <sstream>

#include "CliOptions.h"

namespace wx::test {

CliRun runCli(cli::CommandFn command, const std::vector<std::string>& args, const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    try {
        run.status = command(args, {in, out, err});
    } catch (const cli::UsageError& error) {
        err << error.what();
        run.status = 2;
    }
    run.out = out.str();
    run.err = err.str();
    return run;
}

std::vector<std::string> textLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<nlohmann::json> jsonLines(const std::string& text) {
    std::vector<nlohmann::json> values;
    for (const std::string& line : textLines(text)) {
        values.push_back(nlohmann::json::parse(line));
    }
    return values;
}

}  // namespace wx::test
