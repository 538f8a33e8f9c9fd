#include <cctype>
#include <ostream>
#include <sstream>

#include "CliOptions.h"
#include "Commands.h"
#include "JsonLine.h"
#include "WeatherJson.h"
#include "util/LineInput.h"
#include "weather/Clouds.h"
#include "weather/MetarDecoder.h"

namespace wx::cli {
namespace {

bool isStationWord(const std::string& word) {
    if (word.size() != 4 || std::isalpha(static_cast<unsigned char>(word[0])) == 0) {
        return false;
    }
    for (const char c : word) {
        if (std::isalnum(static_cast<unsigned char>(c)) == 0) {
            return false;
        }
    }
    return true;
}

// The first four-character word of the report, which skips a leading
// "METAR", "SPECI" or "METAR COR"; empty when there is none.
std::string stationOf(const std::string& report) {
    std::istringstream words(report);
    std::string word;
    while (words >> word) {
        if (isStationWord(word)) {
            return word;
        }
    }
    return {};
}

}  // namespace

int runDecode(const std::vector<std::string>& args, CliStreams io) {
    const CliOptions options(args, {"elevation", "cavok-haze", "cavok-vis", "station"}, {"finalize"});
    if (!options.positional().empty()) {
        throw UsageError("decode reads reports from standard input and takes no arguments");
    }
    const int32_t elevationM = options.integer("elevation", 0);
    const bool cavokHaze = options.integer("cavok-haze", 1) != 0;
    const int32_t cavokVisibilityM = options.integer("cavok-vis", 12000);
    const bool finalize = options.flag("finalize");

    std::string line;
    while (readLine(io.in, line)) {
        if (line.empty()) {
            continue;
        }
        const std::string station = options.text("station", stationOf(line));
        auto weather = decodeMetar(station, line, elevationM, cavokHaze, cavokVisibilityM);
        if (finalize) {
            finalizeClouds(*weather);
        }
        io.out << jsonLine(weatherToJson(*weather)) << '\n';
    }
    return 0;
}

}  // namespace wx::cli
