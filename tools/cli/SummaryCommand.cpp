#include <ostream>

#include "CliOptions.h"
#include "Commands.h"
#include "RecordInput.h"
#include "weather/WeatherSummary.h"

namespace wx::cli {

int runSummary(const std::vector<std::string>& args, CliStreams io) {
    const CliOptions options(args, {"full", "max", "extra"});
    if (!options.positional().empty()) {
        throw UsageError("summary reads records from standard input and takes no arguments");
    }
    const bool full = options.integer("full", 1) != 0;
    const int32_t maxLength = options.integer("max", 127);
    const std::string extra = options.text("extra", "");

    return forEachRecordLine(io.in, io.err, [&](const WeatherData& weather) {
        io.out << formatWeatherSummary(weather, full, maxLength, extra) << "\n----\n";
    });
}

}  // namespace wx::cli
