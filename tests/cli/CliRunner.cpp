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

}  // namespace wx::test
