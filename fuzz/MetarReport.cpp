// One METAR report, as the engine and nubiro-cli decode it: the record, its
// time group, the summary texts, the finished clouds and the NWI record.

#include "sim/NwiRecord.h"
#include "support/FuzzInput.h"
#include "weather/Clouds.h"
#include "weather/MetarDecoder.h"
#include "weather/WeatherSummary.h"

namespace {

using namespace wx;

void finishAndBuild(WeatherData weather) {
    constexpr int32_t kSummaryLength = 127;
    fuzz::require(formatWeatherSummary(weather, true, kSummaryLength, "TS@EGTT").size() <= kSummaryLength);
    formatWeatherSummary(weather, false, 1024, "");
    finalizeClouds(weather);
    for (size_t i = 1; i < weather.clouds.size(); ++i) {
        // Finished layers are sorted by base and at least 100 m apart.
        fuzz::require(static_cast<int64_t>(weather.clouds[i].baseM) - weather.clouds[i - 1].baseM >= 100);
    }
    buildNwiRecord(weather, -1.5);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string raw = fuzz::inputText(data, size);
    if (const auto time = parseObservationTime(raw)) {
        fuzz::require(time->hour >= 0 && time->hour <= 23 && time->minute >= 0 && time->minute <= 59);
    }
    auto weather = decodeMetar("EGLL", raw, 25, false, 0);
    fuzz::require(weather.has_value());
    if (weather->cavok) {
        finishAndBuild(*decodeMetar("EGLL", raw, 25, true, 12000));
    }
    finishAndBuild(std::move(*weather));
    return 0;
}
