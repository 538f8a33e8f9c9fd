#include <ostream>

#include "CliOptions.h"
#include "Commands.h"
#include "LineInput.h"
#include "WeatherJson.h"
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

    int status = 0;
    std::string line;
    for (int lineNumber = 1; readLine(io.in, line); ++lineNumber) {
        if (line.empty()) {
            continue;
        }
        const auto parsed = nlohmann::json::parse(line, nullptr, false);
        if (parsed.is_discarded()) {
            io.err << "line " << lineNumber << ": not valid JSON\n";
            status = 1;
            continue;
        }
        try {
            io.out << formatWeatherSummary(weatherFromJson(parsed), full, maxLength, extra) << "\n----\n";
        } catch (const nlohmann::json::exception& error) {
            io.err << "line " << lineNumber << ": not a weather record: " << error.what() << '\n';
            status = 1;
        }
    }
    return status;
}

}  // namespace wx::cli
