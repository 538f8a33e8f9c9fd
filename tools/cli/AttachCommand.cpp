#include <ostream>

#include "CliOptions.h"
#include "Commands.h"
#include "JsonLine.h"
#include "SourceLog.h"
#include "WeatherJson.h"
#include "sources/SourceRegistry.h"
#include "util/LineInput.h"

namespace wx::cli {

int runAttach(const std::vector<std::string>& args, CliStreams io) {
    const CliOptions options(args, {});
    const auto& words = options.positional();
    if (words.size() != 3) {
        throw UsageError("attach takes SOURCE_ID LAT LON and reads records from standard input");
    }
    const double lat = parseNumber("LAT", words[1]);
    const double lon = parseNumber("LON", words[2]);
    const auto source = makeSource(words[0], streamLog(io.err));

    int status = 0;
    std::string line;
    for (int lineNumber = 1; readLine(io.in, line); ++lineNumber) {
        if (line.empty()) {
            continue;
        }
        const auto parsed = nlohmann::json::parse(line, nullptr, false);
        WeatherData weather;
        try {
            if (parsed.is_discarded()) {
                throw nlohmann::json::other_error::create(501, "not valid JSON", nullptr);
            }
            weather = weatherFromJson(parsed);
        } catch (const nlohmann::json::exception& error) {
            io.err << "line " << lineNumber << ": not a weather record: " << error.what() << '\n';
            status = 1;
            continue;
        }
        source->attachUpperAir(weather, lat, lon);
        io.out << jsonLine(weatherToJson(weather)) << '\n';
    }
    return status;
}

}  // namespace wx::cli
