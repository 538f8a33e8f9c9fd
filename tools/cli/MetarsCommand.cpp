#include <ostream>

#include <nlohmann/json.hpp>

#include "CliOptions.h"
#include "Commands.h"
#include "JsonLine.h"
#include "SourceLog.h"
#include "sources/SourceRegistry.h"

namespace wx::cli {

int runMetars(const std::vector<std::string>& args, CliStreams io) {
    const CliOptions options(args, {});
    const auto& words = options.positional();
    if (words.empty()) {
        throw UsageError("metars needs a source id");
    }
    const auto source = makeSource(words[0], streamLog(io.err));
    const MetarMap metars = source->fetchMetars({words.begin() + 1, words.end()}).reports;
    io.out << jsonLine(nlohmann::json(metars)) << '\n';
    return 0;
}

}  // namespace wx::cli
