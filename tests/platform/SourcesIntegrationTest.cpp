#include <gtest/gtest.h>

#include <map>

#include "ServicesSimTest.h"
#include "sources/HttpClient.h"
#include "sources/SourceRegistry.h"
#include "support/Environment.h"
#include "support/LogRecorder.h"
#include "support/TestData.h"
#include "weather/MetarDecoder.h"

namespace wx {
namespace {

using nlohmann::json;
using test::LogRecorder;

// The first corpus report of each station, without its type word: what the
// stand-in serves as the station's current report.
const std::map<std::string, std::string>& currentReports() {
    static const auto reports = [] {
        std::map<std::string, std::string> out;
        for (std::string line : test::testDataLines("metar-corpus.txt")) {
            for (const char* prefix : {"METAR COR ", "METAR ", "SPECI "}) {
                if (line.rfind(prefix, 0) == 0) {
                    line.erase(0, std::string(prefix).size());
                    break;
                }
            }
            out.emplace(line.substr(0, 4), line);
        }
        return out;
    }();
    return reports;
}

// Every source reaches the stand-in over HTTPS with its certificate trusted.
class Sources : public test::ServicesSimTest, public testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        ServicesSimTest::SetUp();
        awc_.emplace("NUBIRO_AWC_URL", sim_.httpsUrl);
        openMeteo_.emplace("NUBIRO_OPENMETEO_URL", sim_.httpsUrl);
        source_ = makeSource(GetParam(), log_.fn());
    }

    bool full() const { return std::string(GetParam()) != "metaronly"; }

    std::optional<test::EnvironmentScope> awc_;
    std::optional<test::EnvironmentScope> openMeteo_;
    LogRecorder log_;
    std::unique_ptr<IWeatherSource> source_;
};

TEST_P(Sources, FetchMetarsForAListOfStations) {
    const size_t before = sim_.requests().size();
    const MetarMap metars = source_->fetchMetars({"EGLL", "EDDF", "KJFK", "ZZZZ"}).reports;
    EXPECT_EQ(metars, (MetarMap{{"EGLL", currentReports().at("EGLL")},
                                {"EDDF", currentReports().at("EDDF")},
                                {"KJFK", currentReports().at("KJFK")}}));
    EXPECT_TRUE(log_.lines().empty());
    const auto requests = requestsSince(before);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0]["target"], full() ? "/api/data/metar?format=json&hours=2&ids=EGLL,EDDF,KJFK,ZZZZ"
                                            : "/api/data/metar?format=json&ids=EGLL,EDDF,KJFK,ZZZZ");
}

TEST_P(Sources, FetchMetarsFallsBackToPlainTextOnlyInTheFullVariant) {
    ASSERT_TRUE(sim_.setFault(*transport_, "/api/data/metar", "empty"));
    const MetarMap metars = source_->fetchMetars({"EGLL", "LFPG"}).reports;
    if (full()) {
        EXPECT_EQ(metars, (MetarMap{{"EGLL", "METAR " + currentReports().at("EGLL")},
                                    {"LFPG", "METAR " + currentReports().at("LFPG")}}));
    } else {
        EXPECT_TRUE(metars.empty());
    }
}

TEST_P(Sources, FetchSigmets) {
    const auto sigmets = source_->fetchSigmets();
    ASSERT_EQ(sigmets.size(), 23u);
    EXPECT_EQ(sigmets[0]["firId"], "EGTT");
    EXPECT_EQ(sigmets[1]["hazard"], "TS");
    EXPECT_EQ(sigmets[4]["coords"].size(), 4u);
}

// Every source asks for the TAFs of all airports in one request; the
// stand-in has none for ZZZZ.
TEST_P(Sources, FetchTafsOfThePlansAirports) {
    const size_t before = sim_.requests().size();
    const auto tafs = source_->fetchTafs({"EGBB", "EGLL", "ZZZZ"});
    ASSERT_TRUE(tafs);
    ASSERT_EQ(tafs->size(), 2u);
    EXPECT_EQ((*tafs)[0].stationId, "EGBB");
    EXPECT_EQ((*tafs)[1].stationId, "EGLL");
    EXPECT_EQ((*tafs)[0].periods.size(), 6u);
    EXPECT_EQ((*tafs)[0].periods[3].change, "PROB30");
    EXPECT_EQ((*tafs)[1].issued + std::chrono::minutes(40), (*tafs)[1].validFrom);
    EXPECT_TRUE(log_.lines().empty());
    const auto requests = requestsSince(before);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0]["target"], "/api/data/taf?format=json&ids=EGBB,EGLL,ZZZZ");
}

TEST_P(Sources, SynthesizeFromTheForecast) {
    const size_t before = sim_.requests().size();
    const auto weather = source_->synthesize("EGLL", 51.47, -0.4543, 25);
    const auto requests = requestsSince(before);
    if (!full()) {
        EXPECT_EQ(weather, std::nullopt);
        EXPECT_TRUE(requests.empty());
        return;
    }
    ASSERT_TRUE(weather);
    EXPECT_EQ(weather->stationId, "EGLL");
    EXPECT_EQ(weather->elevationM, 25);
    EXPECT_TRUE(weather->synthesized);
    EXPECT_EQ(weather->upperAir.size(), 10u);
    EXPECT_GT(weather->qnhHpa, 990);
    EXPECT_LT(weather->qnhHpa, 1035);
    for (size_t i = 1; i < weather->upperAir.size(); ++i) {
        EXPECT_GT(weather->upperAir[i].altitudeM, weather->upperAir[i - 1].altitudeM);
    }
    ASSERT_EQ(requests.size(), 1u);
    const std::string target = requests[0]["target"];
    EXPECT_EQ(target.rfind("/v1/forecast?forecast_days=1&hourly=temperature_2m,dewpoint_2m,", 0), 0u);
    EXPECT_NE(target.find(",vertical_velocity_200hPa&latitude=51.4700&longitude=-0.4543&timezone=UTC"),
              std::string::npos);

    const auto global = source_->synthesizeGlobal(51.47, -0.4543);
    ASSERT_TRUE(global);
    EXPECT_EQ(global->stationId, "GLOB");
    EXPECT_EQ(global->upperAir, weather->upperAir);
}

TEST_P(Sources, AttachUpperAirToADecodedReport) {
    WeatherData weather = *decodeMetar("EGLL", currentReports().at("EGLL"), 25, true, 12000);
    weather.clouds.push_back(CloudLayer{1400, 5, "SC", 0, 0, "METAR", 0, false});
    const WeatherData decoded = weather;
    source_->attachUpperAir(weather, 51.47, -0.4543);
    if (!full()) {
        EXPECT_EQ(weather, decoded);
        return;
    }
    EXPECT_EQ(weather.upperAir.size(), 10u);
    EXPECT_EQ(weather.windSpeedKt, decoded.windSpeedKt);
    EXPECT_EQ(weather.rawMetar, decoded.rawMetar);
    EXPECT_FALSE(weather.synthesized);
    for (size_t i = 1; i < weather.clouds.size(); ++i) {
        EXPECT_LE(weather.clouds[i - 1].baseM, weather.clouds[i].baseM);
    }
    for (const CloudLayer& layer : weather.clouds) {
        if (layer.source == "SYNTH") {
            EXPECT_GE(std::abs(layer.baseM - 1400), 500);
        }
    }
}

TEST_P(Sources, BrokenForecastAnswersAreLoggedAndChangeNothing) {
    ASSERT_TRUE(sim_.setFault(*transport_, "/v1/forecast", "status:502"));
    EXPECT_EQ(source_->synthesize("EGLL", 51.47, -0.45, 25), std::nullopt);
    WeatherData weather;
    source_->attachUpperAir(weather, 51.47, -0.45);
    EXPECT_EQ(weather, WeatherData());
    if (!full()) {
        EXPECT_TRUE(log_.lines().empty());  // it asks for no forecast at all
        return;
    }
    // The error page is no answer: the rest of the cycle asks nothing more.
    EXPECT_EQ(log_.lines(),
              (std::vector<std::string>{"[WARN] HTTP 502 from " + hostAndPath(sim_.httpsUrl) + "/v1/forecast",
                                        "[WARN] Model service not answering: model data skipped this cycle"}));
}

INSTANTIATE_TEST_SUITE_P(AllSources, Sources, testing::Values("openmeteo", "noaa", "metaronly"));

}  // namespace
}  // namespace wx
