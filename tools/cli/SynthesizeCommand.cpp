#include <ostream>

#include "CliOptions.h"
#include "Commands.h"
#include "JsonLine.h"
#include "SourceLog.h"
#include "WeatherJson.h"
#include "sources/SourceRegistry.h"

namespace wx::cli {

int runSynthesize(const std::vector<std::string>& args, CliStreams io) {
    const CliOptions options(args, {});
    const auto& words = options.positional();
    if (words.size() != 5) {
        throw UsageError("synthesize takes SOURCE_ID ID LAT LON ELEVATION_M");
    }
    const double lat = parseNumber("LAT", words[2]);
    const double lon = parseNumber("LON", words[3]);
    const int32_t elevationM = parseInteger("ELEVATION_M", words[4]);
    const auto source = makeSource(words[0], streamLog(io.err));
    const auto weather = source->synthesize(words[1], lat, lon, elevationM);
    if (!weather) {
        io.out << "null\n";
        return 1;
    }
    io.out << jsonLine(weatherToJson(*weather)) << '\n';
    return 0;
}

}  // namespace wx::cli
