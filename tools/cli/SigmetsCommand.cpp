#include <ostream>

#include <nlohmann/json.hpp>

#include "CliOptions.h"
#include "Commands.h"
#include "JsonLine.h"
#include "SourceLog.h"
#include "sources/SourceRegistry.h"

namespace wx::cli {

int runSigmets(const std::vector<std::string>& args, CliStreams io) {
    const CliOptions options(args, {});
    if (options.positional().size() != 1) {
        throw UsageError("sigmets takes one source id");
    }
    const auto source = makeSource(options.positional()[0], streamLog(io.err));
    io.out << jsonLine(nlohmann::json(source->fetchSigmets())) << '\n';
    return 0;
}

}  // namespace wx::cli
