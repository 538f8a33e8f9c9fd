// The weather records nubiro-cli reads, one JSON object a line, through what
// its summary and nwi-record commands do with them, and back to JSON.

#include <sstream>

#include <nlohmann/json.hpp>

#include "JsonLine.h"
#include "RecordInput.h"
#include "WeatherJson.h"
#include "sim/NwiRecord.h"
#include "support/FuzzInput.h"
#include "weather/Clouds.h"
#include "weather/WeatherSummary.h"

namespace {

using namespace wx;

void use(const WeatherData& weather) {
    formatWeatherSummary(weather, true, 127, "");
    formatWeatherSummary(weather, false, 4096, "SIGMET TS@EGTT");
    buildNwiRecord(weather, -1.5);
    // A record printed as JSON reads back as the same record.
    const std::string line = cli::jsonLine(cli::weatherToJson(weather));
    fuzz::require(cli::weatherFromJson(nlohmann::json::parse(line)) == weather);
    WeatherData finished = weather;
    finalizeClouds(finished);
    buildNwiRecord(finished, 0.0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(fuzz::inputText(data, size));
    std::ostringstream err;
    wx::cli::forEachRecordLine(in, err, use);
    return 0;
}
