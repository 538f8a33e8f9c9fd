#include <gtest/gtest.h>

#include <memory>

#include "sources/Forecast.h"
#include "sources/ModelWeather.h"
#include "sources/OpenMeteoSource.h"
#include "support/LogRecorder.h"
#include "support/ScriptedTransport.h"

namespace wx {
namespace {

using nlohmann::json;
using test::LogRecorder;
using test::ScriptedTransport;
using test::scripted;

const char* const kModelSkipped = "[WARN] Model service not answering: model data skipped this cycle";

// One hour of model data: every named variable holds a one-element array.
json hour(std::initializer_list<std::pair<const char*, json>> values) {
    json hourly = json::object();
    for (const auto& [name, value] : values) {
        hourly[name] = json::array({value});
    }
    return hourly;
}

CloudLayer cloud(int32_t baseM, int32_t oktas, const char* type, int32_t turbulence, int32_t icing,
                 const char* source = "SYNTH") {
    return CloudLayer{baseM, oktas, type, turbulence, icing, source, 0, false};
}

TEST(DecodeHourly, EmptySeriesGiveTheDefaults) {
    json hourly = json::object();
    for (const char* name : {"temperature_2m", "wind_speed_10m", "cape", "cloud_cover_low", "temperature_500hPa"}) {
        hourly[name] = json::array();
    }
    WeatherData expected;
    expected.stationId = "EGLL";
    expected.elevationM = 25;
    expected.synthesized = true;
    EXPECT_EQ(decodeHourly("EGLL", 25, hourly, 0), expected);
    EXPECT_EQ(decodeHourly("EGLL", 25, json::array(), 3), expected);
}

TEST(DecodeHourly, SurfaceValues) {
    const WeatherData w = decodeHourly("X", 0,
                                       hour({{"temperature_2m", 12.3},
                                             {"dewpoint_2m", "7.5"},
                                             {"wind_speed_10m", 18.52},
                                             {"wind_direction_10m", 359.6},
                                             {"wind_gusts_10m", 30.0},
                                             {"visibility", 24140.9},
                                             {"pressure_msl", 1013.5}}),
                                       0);
    EXPECT_FLOAT_EQ(w.temperatureC, 12.3f);
    EXPECT_FLOAT_EQ(w.dewpointC, 7.5f);
    EXPECT_EQ(w.windSpeedKt, 10);
    EXPECT_EQ(w.windDirDeg, 0);
    EXPECT_EQ(w.windGustKt, 16);
    EXPECT_EQ(w.visibilityM, 24140);
    EXPECT_EQ(w.qnhHpa, 1014);
    EXPECT_EQ(w.turbulence, 2);  // gust excess 11.48 km/h
}

struct PrecipCase {
    const char* name;
    json hourly;
    int32_t type;
    int32_t rate;
};

class Precipitation : public testing::TestWithParam<PrecipCase> {};

TEST_P(Precipitation, ClassifiesSnowBeforeRain) {
    const WeatherData w = decodeHourly("X", 0, GetParam().hourly, 0);
    EXPECT_EQ(w.precipType, GetParam().type);
    EXPECT_EQ(w.precipRate, GetParam().rate);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Precipitation,
    testing::Values(
        PrecipCase{"ColdPrecipitationIsSnow", hour({{"snowfall", 0}, {"precipitation", 0.3}, {"temperature_2m", -2}}), 2, 1},
        PrecipCase{"WarmPrecipitationIsRain", hour({{"snowfall", 0}, {"precipitation", 0.3}, {"temperature_2m", 2}}), 1, 2},
        PrecipCase{"LightRain", hour({{"rain", 0.1}}), 1, 1}, PrecipCase{"RainTwoTenths", hour({{"rain", 0.2}}), 1, 2},
        PrecipCase{"RainFour", hour({{"rain", 4.0}}), 1, 5}, PrecipCase{"RainThree", hour({{"rain", 3.9}}), 1, 4},
        PrecipCase{"SnowSix", hour({{"snowfall", 6.0}}), 2, 5}, PrecipCase{"SnowOne", hour({{"snowfall", 1.0}}), 2, 2},
        PrecipCase{"TraceIsNothing", hour({{"rain", 0.05}, {"precipitation", 0.05}}), 0, 0},
        PrecipCase{"RainAmountPreferredOverTotal", hour({{"rain", 0.1}, {"precipitation", 5}}), 1, 1},
        PrecipCase{"SnowBeatsRain", hour({{"rain", 5}, {"snowfall", 0.06}}), 2, 1}),
    [](const testing::TestParamInfo<PrecipCase>& info) { return std::string(info.param.name); });

struct CloudCase {
    const char* name;
    json hourly;
    std::vector<CloudLayer> clouds;
};

class GenericClouds : public testing::TestWithParam<CloudCase> {};

TEST_P(GenericClouds, BuildsLayersFromCoverAndLevelTemperatures) {
    EXPECT_EQ(decodeHourly("X", 0, GetParam().hourly, 0).clouds, GetParam().clouds);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GenericClouds,
    testing::Values(
        CloudCase{"TenPercentIsOneOkta", hour({{"cloud_cover_low", 10}}), {cloud(1500, 1, "CU", 0, 0)}},
        CloudCase{"BelowTenIsNone", hour({{"cloud_cover_low", 9.9}}), {}},
        CloudCase{"FullIsEight", hour({{"cloud_cover_low", 100}}), {cloud(1500, 8, "CU", 1, 0)}},
        CloudCase{"SixtyFiveIsTurbulent", hour({{"cloud_cover_low", 65}}), {cloud(1500, 5, "CU", 1, 0)}},
        CloudCase{"SixtyIsCalm", hour({{"cloud_cover_low", 60}}), {cloud(1500, 5, "CU", 0, 0)}},
        CloudCase{"LowUses850OverSurface",
                  hour({{"temperature_2m", 20}, {"temperature_925hPa", 1}, {"temperature_850hPa", -5},
                        {"cloud_cover_low", 50}}),
                  {cloud(1500, 4, "CU", 0, 3)}},
        CloudCase{"LowFallsBackTo925",
                  hour({{"temperature_2m", 20}, {"temperature_925hPa", 1}, {"temperature_700hPa", -5},
                        {"cloud_cover_low", 50}}),
                  {cloud(1500, 4, "CU", 0, 1)}},
        CloudCase{"LowFallsBackToSurface", hour({{"temperature_2m", -1}, {"cloud_cover_low", 50}}),
                  {cloud(1500, 4, "CU", 0, 3)}},
        CloudCase{"MidLiftRaisesIcing",
                  hour({{"temperature_500hPa", -18}, {"vertical_velocity_500hPa", 0.6}, {"vertical_velocity_850hPa", 0},
                        {"cloud_cover_mid", 85}}),
                  {cloud(5000, 7, "ST", 0, 4)}},
        CloudCase{"HighIcingAtMostOne",
                  hour({{"temperature_250hPa", -10}, {"temperature_300hPa", -60}, {"cloud_cover_high", 90}}),
                  {cloud(10500, 7, "CI", 0, 1)}},
        CloudCase{"CapeAtLimitNoCumulonimbus", hour({{"cape", 2000}}), {}},
        CloudCase{"CumulonimbusSortsBeforeLow", hour({{"cape", 2000.1}, {"cloud_cover_low", 30}, {"cloud_cover_mid", 30}}),
                  {cloud(1200, 8, "CB", 4, 0), cloud(1500, 2, "CU", 0, 0), cloud(5000, 2, "ST", 0, 0)}}),
    [](const testing::TestParamInfo<CloudCase>& info) { return std::string(info.param.name); });

struct TurbulenceCase {
    double cape, li, gust, wind;
    int32_t expected;
};

class ConvectiveTurbulence : public testing::TestWithParam<TurbulenceCase> {};

TEST_P(ConvectiveTurbulence, TakesTheStrongestSign) {
    const auto& c = GetParam();
    EXPECT_EQ(convectiveTurbulence(c.cape, c.li, c.gust, c.wind), c.expected)
        << c.cape << " " << c.li << " " << c.gust << " " << c.wind;
}

INSTANTIATE_TEST_SUITE_P(Cases, ConvectiveTurbulence,
                         testing::Values(TurbulenceCase{3000, 0, 0, 0, 4}, TurbulenceCase{500, -4, 0, 0, 3},
                                         TurbulenceCase{0, 0, 30, 20, 2}, TurbulenceCase{0, 0, 24, 20, 1},
                                         TurbulenceCase{0, 1, 3, 0, 0}, TurbulenceCase{2500, 0, 0, 0, 3},
                                         TurbulenceCase{1500, 0, 0, 0, 2}, TurbulenceCase{800, 0, 0, 0, 1},
                                         TurbulenceCase{300, 0, 0, 0, 0}, TurbulenceCase{0, -6, 0, 0, 3},
                                         TurbulenceCase{0, -6.1, 0, 0, 4}, TurbulenceCase{0, -0.1, 0, 0, 2},
                                         TurbulenceCase{0, 0, 12, 0, 3}, TurbulenceCase{2600, 0, 40, 0, 4},
                                         TurbulenceCase{0, 0, 0, 10, 0}));

class ModelSource : public testing::Test {
protected:
    std::optional<WeatherData> synthesize(HttpResult answer) {
        transport_->answer(std::move(answer));
        return source_.synthesize("EGLL", 51.47, -0.45, 25);
    }

    std::shared_ptr<ScriptedTransport> transport_ = std::make_shared<ScriptedTransport>();
    LogRecorder log_;
    OpenMeteoSource source_{log_.fn(), transport_};
};

std::string answerWith(const json& hourly) { return json{{"latitude", 51.5}, {"hourly", hourly}}.dump(); }

TEST_F(ModelSource, SynthesizeDecodesTheCurrentHour) {
    json hourly = {{"time", {"2000-01-01T00:00", "2000-01-01T01:00"}}, {"temperature_2m", {5.0, 6.0}}};
    const auto w = synthesize(scripted(answerWith(hourly)));
    ASSERT_TRUE(w);
    EXPECT_EQ(w->stationId, "EGLL");
    EXPECT_EQ(w->elevationM, 25);
    EXPECT_TRUE(w->synthesized);
    EXPECT_FLOAT_EQ(w->temperatureC, 5.0f);
    EXPECT_TRUE(log_.lines().empty());
}

struct EmptyAnswerCase {
    const char* name;
    HttpResult answer;
    std::vector<std::string> log;
};

class ModelSourceEmpty : public ModelSource, public testing::WithParamInterface<EmptyAnswerCase> {};

TEST_P(ModelSourceEmpty, SynthesizeGivesNothing) {
    EXPECT_EQ(synthesize(GetParam().answer), std::nullopt);
    EXPECT_EQ(log_.lines(), GetParam().log);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ModelSourceEmpty,
    testing::Values(
        EmptyAnswerCase{"NoAnswer", HttpResult::failure(HttpOutcome::TimedOut), {kModelSkipped}},
        EmptyAnswerCase{"ErrorStatus",
                        HttpResult::answer(503, "<html>503</html>"),
                        {"[WARN] HTTP 503 from api.open-meteo.com/v1/forecast", kModelSkipped}},
        EmptyAnswerCase{"Cancelled", HttpResult::failure(HttpOutcome::Cancelled), {}},
        EmptyAnswerCase{"EmptyObject", scripted("{}"), {}},
        EmptyAnswerCase{"NoHourly", scripted(R"({"error":true,"reason":"bad"})"), {}},
        EmptyAnswerCase{"Array", scripted(R"([{"hourly":{}}])"), {}}, EmptyAnswerCase{"Scalar", scripted("42"), {}},
        EmptyAnswerCase{"Html", scripted("<html>502</html>"),
                        {"[ERROR] synthesize: [json.exception.parse_error.101] parse error at line 1, column 1: "
                         "syntax error while parsing value - invalid literal; last read: '<'"}},
        EmptyAnswerCase{"EmptyBody", scripted(""),
                        {"[ERROR] synthesize: [json.exception.parse_error.101] parse error at line 1, column 1: "
                         "syntax error while parsing value - unexpected end of input; expected '[', '{', or a literal"}},
        EmptyAnswerCase{"TextValue", scripted(R"({"hourly":{"temperature_2m":["warm"]}})"),
                        {"[ERROR] synthesize: invalid stod argument"}}),
    [](const testing::TestParamInfo<EmptyAnswerCase>& info) { return std::string(info.param.name); });

TEST_F(ModelSource, SynthesizeGlobalIsTheAircraftPosition) {
    transport_->answer(scripted(answerWith(hour({{"temperature_2m", 1}}))));
    const auto w = source_.synthesizeGlobal(10.5, -20.25);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->stationId, "GLOB");
    EXPECT_EQ(w->elevationM, 0);
    EXPECT_NE(transport_->urls().at(0).find("latitude=10.5000&longitude=-20.2500"), std::string::npos);
}

WeatherData metarRecord() {
    WeatherData w;
    w.stationId = "EGLL";
    w.elevationM = 25;
    w.windSpeedKt = 12;
    w.precipType = 1;
    w.precipRate = 2;
    w.turbulence = 1;
    w.rawMetar = "EGLL 061020Z";
    return w;
}

const json kUnstableHour = hour({{"cape", 2600},
                                 {"cloud_cover_low", 50},
                                 {"cloud_cover_mid", 50},
                                 {"temperature_2m", 30},
                                 {"wind_speed_10m", 100},
                                 {"temperature_500hPa", -20},
                                 {"wind_speed_500hPa", 100},
                                 {"wind_direction_500hPa", 270},
                                 {"geopotential_height_500hPa", 5571},
                                 {"temperature_700hPa", -5},
                                 {"wind_speed_700hPa", 50},
                                 {"wind_direction_700hPa", 250}});

TEST_F(ModelSource, AttachRejectsCloudsNearTheReportedOnesAndKeepsTheSurface) {
    WeatherData w = metarRecord();
    w.clouds = {cloud(1400, 5, "SC", 0, 0, "METAR")};
    w.upperAir = {UpperAirLayer{5500, 260, 60, -19, true, 0, 0, 0, "SYNTH"}};
    transport_->answer(scripted(answerWith(kUnstableHour)));
    source_.attachUpperAir(w, 51.47, -0.45);

    WeatherData expected = metarRecord();
    expected.clouds = {cloud(1400, 5, "SC", 0, 0, "METAR"), cloud(5000, 4, "ST", 0, 2)};
    expected.upperAir = {UpperAirLayer{5500, 260, 60, -19, true, 0, 0, 0, "SYNTH"},
                         UpperAirLayer{3000, 250, 27, -5, true, 0, 3, 0, "SYNTH"}};
    EXPECT_EQ(w, expected);
    EXPECT_TRUE(log_.lines().empty());
}

TEST_F(ModelSource, AttachedCumulonimbusBlocksTheLowLayer) {
    WeatherData w = metarRecord();
    transport_->answer(scripted(answerWith(kUnstableHour)));
    source_.attachUpperAir(w, 51.47, -0.45);
    ASSERT_EQ(w.clouds.size(), 2u);
    EXPECT_EQ(w.clouds[0], cloud(1200, 8, "CB", 4, 0));
    EXPECT_EQ(w.clouds[1].baseM, 5000);
    EXPECT_EQ(w.upperAir.size(), 2u);
    EXPECT_EQ(w.turbulence, 1);
    EXPECT_FALSE(w.synthesized);
}

TEST_F(ModelSource, AttachFailuresLeaveTheRecordAsItWas) {
    for (const std::optional<std::string>& answer :
         {std::optional<std::string>(), std::optional<std::string>("{}"), std::optional<std::string>("oops"),
          std::optional<std::string>(R"({"hourly":{"cape":["x"]}})")}) {
        WeatherData w = metarRecord();
        w.clouds = {cloud(300, 3, "", 0, 0, "METAR")};
        transport_->answer(scripted(answer));
        source_.beginCycle({});
        source_.attachUpperAir(w, 1, 2);
        WeatherData expected = metarRecord();
        expected.clouds = {cloud(300, 3, "", 0, 0, "METAR")};
        EXPECT_EQ(w, expected);
    }
    const auto lines = log_.lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], kModelSkipped);
    EXPECT_EQ(lines[1].rfind("[ERROR] attachUpperAir: [json.exception.parse_error.101]", 0), 0u);
    EXPECT_EQ(lines[2], "[ERROR] attachUpperAir: invalid stod argument");
}

// Once a model request of a cycle got no answer, the cycle asks the model
// service nothing more and logs nothing more; the next cycle asks again.
TEST_F(ModelSource, NoAnswerSkipsTheModelServiceForTheRestOfTheCycle) {
    transport_->answer(HttpResult::failure(HttpOutcome::TimedOut));
    EXPECT_EQ(source_.synthesizeGlobal(51.47, -0.45), std::nullopt);
    WeatherData w = metarRecord();
    source_.attachUpperAir(w, 51.47, -0.45);
    EXPECT_EQ(w, metarRecord());
    EXPECT_EQ(source_.synthesize("EGLL", 51.47, -0.45, 25), std::nullopt);
    EXPECT_EQ(transport_->requests().size(), 1u);
    EXPECT_EQ(log_.lines(), std::vector<std::string>{kModelSkipped});

    source_.beginCycle({});
    transport_->answer(scripted(answerWith(hour({{"temperature_2m", 1}}))));
    EXPECT_TRUE(source_.synthesizeGlobal(51.47, -0.45));
    EXPECT_EQ(transport_->requests().size(), 2u);
}

}  // namespace
}  // namespace wx
