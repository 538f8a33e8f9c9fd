// Seeds of the forecast answer target: the web-services stand-in's answers
// for several points, cut to the first hours of the day (the seed time's
// hour among them), and the forms of values the decoding reads.

#include <nlohmann/json.hpp>

#include "ForecastModel.h"
#include "Seeds.h"
#include "sources/Forecast.h"
#include "support/SeedTime.h"

namespace wx::fuzz {
namespace {

using nlohmann::ordered_json;

constexpr size_t kHoursKept = 2;

struct Point {
    const char* lat;
    const char* lon;
};

constexpr Point kPoints[] = {
    {"51.4775", "-0.4614"}, {"50.0333", "8.5706"}, {"0.0000", "0.0000"}, {"78.2461", "15.4656"},
    {"-33.9465", "151.1731"}, {"25.2532", "55.3657"}, {"64.1300", "-21.9406"}, {"-54.8433", "-68.2958"},
};

ordered_json answerAt(const Point& point) {
    const auto answer = sim::forecastAnswer(
        {{"latitude", point.lat}, {"longitude", point.lon}, {"hourly", forecastVariables()}, {"forecast_days", "1"}},
        seedTime());
    return ordered_json::parse(answer.body);
}

void keepFirstHours(ordered_json& answer) {
    for (auto& [name, series] : answer["hourly"].items()) {
        if (series.is_array() && series.size() > kHoursKept) {
            series.erase(series.begin() + kHoursKept, series.end());
        }
    }
}

}  // namespace

void writeForecastAnswerSeeds(SeedDir& seeds) {
    for (const Point& point : kPoints) {
        ordered_json answer = answerAt(point);
        keepFirstHours(answer);
        seeds.add(answer.dump());
    }
    ordered_json odd = answerAt(kPoints[0]);
    keepFirstHours(odd);
    auto& hourly = odd["hourly"];
    hourly["temperature_2m"][1] = "12.5";
    hourly["cape"][1] = 2600;
    hourly["wind_speed_850hPa"][1] = nullptr;
    hourly["rain"][1] = "1e999";
    hourly["visibility"][1] = "none";
    seeds.add(odd.dump());
    seeds.add(sim::forecastAnswer({{"latitude", "95"}, {"longitude", "0"}}, seedTime()).body);
    seeds.add(R"({"hourly":{"time":["2024-03-07T01:00"],"temperature_2m":[-3],"snowfall":[2.5]}})");
}

}  // namespace wx::fuzz
