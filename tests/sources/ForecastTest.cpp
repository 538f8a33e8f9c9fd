#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <stdexcept>

#include "sources/Forecast.h"
#include "sources/UpperAir.h"
#include "support/Environment.h"
#include "support/ScriptedTransport.h"

namespace wx {
namespace {

using nlohmann::json;
using test::ScriptedTransport;

TEST(ForecastRequest, CarriesThePointAndEveryVariable) {
    test::EnvironmentScope host("NUBIRO_OPENMETEO_URL", "https://om.test");
    auto transport = std::make_shared<ScriptedTransport>(std::vector<std::optional<std::string>>{R"({"a":1})"});
    HttpClient http(nullptr, transport);
    EXPECT_EQ(fetchForecast(http, 51.47, -0.4543), json({{"a", 1}}));
    ASSERT_EQ(transport->requests().size(), 1u);
    EXPECT_EQ(transport->requests()[0].timeoutSec, 40);
    EXPECT_EQ(transport->requests()[0].url, "https://om.test/v1/forecast?forecast_days=1&hourly=" +
                                                forecastVariables() +
                                                "&latitude=51.4700&longitude=-0.4543&timezone=UTC");
}

TEST(ForecastRequest, VariableListNamesNineteenSurfaceAndFiftyLevelVariables) {
    const std::string list = forecastVariables();
    EXPECT_EQ(list.rfind("temperature_2m,dewpoint_2m,relative_humidity_2m,pressure_msl,wind_speed_10m,", 0), 0u);
    EXPECT_NE(list.find(",showers,snowfall,temperature_1000hPa,wind_speed_1000hPa,wind_direction_1000hPa,"
                        "geopotential_height_1000hPa,vertical_velocity_1000hPa,temperature_925hPa,"),
              std::string::npos);
    EXPECT_EQ(list.substr(list.size() - 25), ",vertical_velocity_200hPa");
    EXPECT_EQ(std::count(list.begin(), list.end(), ',') + 1, 69);
}

TEST(ForecastRequest, NoAnswerIsAbsentAndInvalidJsonThrows) {
    auto transport = std::make_shared<ScriptedTransport>(
        std::vector<std::optional<std::string>>{std::nullopt, "<html></html>", ""});
    HttpClient http(nullptr, transport);
    EXPECT_EQ(fetchForecast(http, 1, 2), std::nullopt);
    EXPECT_THROW(fetchForecast(http, 1, 2), json::parse_error);
    EXPECT_THROW(fetchForecast(http, 1, 2), json::parse_error);
}

std::chrono::system_clock::time_point utc(int year, unsigned month, unsigned day, int hour, int minute) {
    using namespace std::chrono;
    return sys_days{std::chrono::year{year} / month / day} + hours{hour} + minutes{minute};
}

struct HourCase {
    const char* name;
    const char* answer;
    size_t index;
};

class CurrentHour : public testing::TestWithParam<HourCase> {};

TEST_P(CurrentHour, FindsTheCurrentUtcHourOrFallsBackToTheFirst) {
    const auto now = utc(2024, 3, 7, 9, 59);
    EXPECT_EQ(currentHourIndex(json::parse(GetParam().answer), now), GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CurrentHour,
    testing::Values(HourCase{"Found", R"({"hourly":{"time":["2024-03-07T08:00","2024-03-07T09:00"]}})", 1},
                    HourCase{"Missing", R"({"hourly":{"time":["2024-03-06T09:00","2024-03-07T10:00"]}})", 0},
                    HourCase{"NumberBeforeMatch", R"({"hourly":{"time":[5,"2024-03-07T09:00"]}})", 0},
                    HourCase{"NumberAfterMatch", R"({"hourly":{"time":["2024-03-07T09:00",5]}})", 0},
                    HourCase{"SecondsDoNotMatch", R"({"hourly":{"time":["2024-03-07T09:00:00"]}})", 0},
                    HourCase{"TimeNotArray", R"({"hourly":{"time":"2024-03-07T09:00"}})", 0},
                    HourCase{"HourlyNotObject", R"({"hourly":[1]})", 0},
                    HourCase{"NoHourly", R"({"x":1})", 0}, HourCase{"Null", "null", 0},
                    HourCase{"Array", "[1,2]", 0}),
    [](const testing::TestParamInfo<HourCase>& info) { return std::string(info.param.name); });

TEST(CurrentHour, PadsMonthDayAndHour) {
    const json answer = {{"hourly", {{"time", {"x", "x", "2025-12-31T23:00", "2026-01-01T00:00"}}}}};
    EXPECT_EQ(currentHourIndex(answer, utc(2025, 12, 31, 23, 0)), 2u);
    EXPECT_EQ(currentHourIndex(answer, utc(2026, 1, 1, 0, 30)), 3u);
}

struct ValueCase {
    const char* name;
    const char* value;
    std::optional<double> expected;
};

class HourlyValue : public testing::TestWithParam<ValueCase> {};

TEST_P(HourlyValue, ReadsNumbersAndNumericStrings) {
    const json hourly = {{"v", {0, json::parse(GetParam().value)}}};
    EXPECT_EQ(hourlyValue(hourly, 1, "v"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, HourlyValue,
                         testing::Values(ValueCase{"Integer", "-3", -3.0}, ValueCase{"Unsigned", "4000000000", 4e9},
                                         ValueCase{"Float", "2.5", 2.5}, ValueCase{"String", "\" 12.5abc\"", 12.5},
                                         ValueCase{"Exponent", "\"1e3\"", 1000.0},
                                         ValueCase{"Null", "null", std::nullopt},
                                         ValueCase{"Bool", "true", std::nullopt},
                                         ValueCase{"Object", "{}", std::nullopt},
                                         ValueCase{"Array", "[1]", std::nullopt}),
                         [](const testing::TestParamInfo<ValueCase>& info) { return std::string(info.param.name); });

TEST(HourlyValue, AbsentForMissingSeriesAndHours) {
    const json hourly = {{"v", {1.0}}, {"s", "1"}};
    EXPECT_EQ(hourlyValue(hourly, 0, "v"), 1.0);
    EXPECT_EQ(hourlyValue(hourly, 1, "v"), std::nullopt);
    EXPECT_EQ(hourlyValue(hourly, 0, "w"), std::nullopt);
    EXPECT_EQ(hourlyValue(hourly, 0, "s"), std::nullopt);
    EXPECT_EQ(hourlyValue(json::array({1}), 0, "v"), std::nullopt);
}

TEST(HourlyValue, UnusableStringsThrowWithFixedTexts) {
    const json hourly = {{"a", {"abc"}}, {"b", {""}}, {"c", {"1e999"}}};
    for (const char* name : {"a", "b"}) {
        try {
            hourlyValue(hourly, 0, name);
            FAIL() << name;
        } catch (const std::invalid_argument& error) {
            EXPECT_STREQ(error.what(), "invalid stod argument");
        }
    }
    try {
        hourlyValue(hourly, 0, "c");
        FAIL();
    } catch (const std::out_of_range& error) {
        EXPECT_STREQ(error.what(), "stod argument out of range");
    }
}

struct IcingCase {
    float t, m, w;
    int32_t expected;
};

class Icing : public testing::TestWithParam<IcingCase> {};

TEST_P(Icing, FollowsTemperatureMoistureAndLift) {
    EXPECT_EQ(icingIndex(GetParam().t, GetParam().m, GetParam().w), GetParam().expected)
        << GetParam().t << " " << GetParam().m << " " << GetParam().w;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Icing,
    testing::Values(IcingCase{-10, 85, 0, 4}, IcingCase{-10, 50, 0, 3}, IcingCase{-17, 50, 1, 3},
                    IcingCase{1, 50, 0, 1}, IcingCase{3, 90, 5, 0}, IcingCase{-10, 20, 5, 0},
                    IcingCase{2, 30, 0, 1}, IcingCase{2.1f, 90, 0, 0}, IcingCase{-25, 30, 0, 1},
                    IcingCase{-25.1f, 90, 1, 0}, IcingCase{0, 29.9f, 1, 0}, IcingCase{0, 80, 0.5f, 4},
                    IcingCase{-15, 79, 0.6f, 4}, IcingCase{-15.1f, 50, 0, 2}, IcingCase{-20, 80, 0, 3},
                    IcingCase{-20.1f, 80, 0.6f, 3}, IcingCase{-12, 100, 9, 4}));

json levelHour(int32_t hPa, std::optional<double> t, std::optional<double> s, std::optional<double> d,
               std::optional<double> h, std::optional<double> v = std::nullopt) {
    json hourly = json::object();
    auto put = [&](const char* quantity, std::optional<double> value) {
        if (value) {
            hourly[levelVariable(quantity, hPa)] = {*value};
        }
    };
    put("temperature", t);
    put("wind_speed", s);
    put("wind_direction", d);
    put("geopotential_height", h);
    put("vertical_velocity", v);
    return hourly;
}

struct LayerCase {
    const char* name;
    json hourly;
    std::vector<UpperAirLayer> expected;
};

UpperAirLayer layer(int32_t altitudeM, int32_t dir, int32_t speedKt, float t, int32_t icing) {
    return UpperAirLayer{altitudeM, dir, speedKt, t, true, 0, icing, 0, "SYNTH"};
}

class UpperAirLayers : public testing::TestWithParam<LayerCase> {};

TEST_P(UpperAirLayers, OneLayerPerCompleteLevel) {
    std::vector<UpperAirLayer> layers;
    appendUpperAirLayers(GetParam().hourly, 0, layers);
    EXPECT_EQ(layers, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, UpperAirLayers,
    testing::Values(
        LayerCase{"NoDirectionNoLayer", levelHour(500, -20, 100, std::nullopt, 5600), {}},
        LayerCase{"NoTemperatureNoLayer", levelHour(500, std::nullopt, 100, 270, 5600), {}},
        LayerCase{"NominalAltitude", levelHour(500, -20, 92.6, 270, std::nullopt), {layer(5570, 270, 50, -20, 0)}},
        LayerCase{"GeopotentialTruncated", levelHour(500, -20, 0, 0, 5571.9), {layer(5571, 0, 0, -20, 0)}},
        LayerCase{"DirectionRoundsToZero", levelHour(850, 5, 1, 359.6, 1480), {layer(1480, 0, 1, 5, 0)}},
        LayerCase{"DirectionHalfRoundsUp", levelHour(850, 5, 2.778, 180.5, 1480), {layer(1480, 181, 2, 5, 0)}},
        LayerCase{"NumericStrings",
                  {{"temperature_300hPa", {"-45.5"}}, {"wind_speed_300hPa", {"185.2"}}, {"wind_direction_300hPa", {"90"}}},
                  {layer(9200, 90, 100, -45.5f, 0)}}),
    [](const testing::TestParamInfo<LayerCase>& info) { return std::string(info.param.name); });

TEST(UpperAirLayers, IcingUsesTheColumnCloudinessAndEachLevelsLift) {
    json hourly = levelHour(700, -5, 40, 250, 3010, 0.6);
    hourly.update(levelHour(1000, 10, 10, 200, 100));
    hourly["cloud_cover_low"] = {20};
    hourly["cloud_cover_mid"] = {85};
    hourly["cloud_cover_high"] = {nullptr};
    std::vector<UpperAirLayer> layers;
    appendUpperAirLayers(hourly, 0, layers);
    ASSERT_EQ(layers.size(), 2u);
    EXPECT_EQ(layers[0].altitudeM, 100);
    EXPECT_EQ(layers[0].icing, 0);
    EXPECT_EQ(layers[1].altitudeM, 3010);
    EXPECT_EQ(layers[1].icing, 4);
}

TEST(UpperAirLayers, HugeValuesStayInRange) {
    std::vector<UpperAirLayer> layers;
    appendUpperAirLayers(levelHour(500, -20, 1e300, -1e300, 1e20), 0, layers);
    ASSERT_EQ(layers.size(), 1u);
    EXPECT_EQ(layers[0].altitudeM, 2147483647);
    EXPECT_EQ(layers[0].windSpeedKt, 2147483647);
    EXPECT_GT(layers[0].windDirDeg, -360);
}

}  // namespace
}  // namespace wx
