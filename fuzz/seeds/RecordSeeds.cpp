// Seeds of the weather record target: records as nubiro-cli prints them,
// decoded from corpus reports, finished, some with the stand-in's model
// layers aloft attached, two a seed.

#include <algorithm>

#include <nlohmann/json.hpp>

#include "ForecastModel.h"
#include "JsonLine.h"
#include "Seeds.h"
#include "WeatherJson.h"
#include "sources/Forecast.h"
#include "sources/ModelWeather.h"
#include "support/SeedTime.h"
#include "weather/Clouds.h"
#include "weather/MetarDecoder.h"

namespace wx::fuzz {
namespace {

constexpr size_t kSeedsFromReports = 30;
constexpr size_t kRecordsPerSeed = 2;

WeatherData modelRecord() {
    const auto answer = sim::forecastAnswer(
        {{"latitude", "51.4775"}, {"longitude", "-0.4614"}, {"hourly", forecastVariables()}, {"forecast_days", "1"}},
        seedTime());
    const auto json = nlohmann::json::parse(answer.body);
    return decodeHourly("EGLL", 25, json.at("hourly"), 1);
}

}  // namespace

void writeWeatherRecordSeeds(SeedDir& seeds, const std::vector<std::string>& reports) {
    const WeatherData model = modelRecord();
    const size_t step = std::max<size_t>(reports.size() / (kSeedsFromReports * kRecordsPerSeed), 1);
    std::string seed;
    size_t records = 0;
    for (size_t i = 0; i < reports.size(); i += step) {
        auto weather = decodeMetar(reports[i].substr(0, 4), reports[i], static_cast<int32_t>(i % 700), true, 12000);
        if (records % 2 == 1) {
            mergeModelLayers(*weather, model);
        }
        if (records % 3 != 2) {
            finalizeClouds(*weather);
        }
        seed += cli::jsonLine(cli::weatherToJson(*weather)) + "\n";
        if (++records % kRecordsPerSeed == 0) {
            seeds.add(seed);
            seed.clear();
        }
    }
    seeds.add(cli::jsonLine(cli::weatherToJson(model)) + "\n");
    seeds.add("{\"stationId\":\"EGLL\",\"clouds\":[{\"baseM\":300,\"type\":\"CB\"}],\"precipType\":1}\r\n"
              "not json\n[1,2]\n{\"qnhHpa\":1e12}\n");
}

}  // namespace wx::fuzz
