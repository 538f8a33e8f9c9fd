#include <gtest/gtest.h>

#include <memory>

#include "sources/SourceRegistry.h"
#include "support/Environment.h"
#include "support/ScriptedTransport.h"

namespace wx {
namespace {

using test::ScriptedTransport;

struct FactoryCase {
    const char* id;
    const char* name;
};

class MakeSource : public testing::TestWithParam<FactoryCase> {};

TEST_P(MakeSource, ComparesIdsExactly) {
    EXPECT_EQ(makeSource(GetParam().id, nullptr)->name(), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Ids, MakeSource,
                         testing::Values(FactoryCase{"openmeteo", "Open-Meteo"}, FactoryCase{"noaa", "NOAA / AWC"},
                                         FactoryCase{"metaronly", "METAR-only"}, FactoryCase{"", "Open-Meteo"},
                                         FactoryCase{"NOAA", "Open-Meteo"}, FactoryCase{"auto", "Open-Meteo"},
                                         FactoryCase{"noaa ", "Open-Meteo"}));

struct IdentityCase {
    const char* id;
    const char* name;
    const char* description;
    bool upperAir;
    bool synthesizes;
};

class SourceIdentity : public testing::TestWithParam<IdentityCase> {};

TEST_P(SourceIdentity, AnswersWithoutNetwork) {
    auto transport = std::make_shared<ScriptedTransport>();
    test::DefaultTransportScope scope(transport);
    const auto source = makeSource(GetParam().id, nullptr);
    EXPECT_EQ(source->name(), GetParam().name);
    EXPECT_EQ(source->description(), GetParam().description);
    EXPECT_EQ(source->hasUpperAir(), GetParam().upperAir);
    EXPECT_EQ(source->canSynthesize(), GetParam().synthesizes);
    EXPECT_TRUE(transport->requests().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Sources, SourceIdentity,
    testing::Values(IdentityCase{"openmeteo", "Open-Meteo",
                                 "Open-Meteo: upper air, clouds, CAPE, vertical velocity (no key)", true, true},
                    IdentityCase{"noaa", "NOAA / AWC",
                                 "NOAA Aviation Weather Center METAR/SIGMET + Open-Meteo upper air", true, true},
                    IdentityCase{"metaronly", "METAR-only", "Only METAR + SIGMET, no upper-air synthesis", false,
                                 false}));

TEST(SourceRegistry, ListsTheThreeSourcesInOrder) {
    EXPECT_EQ(listSourceIds(), (std::vector<std::string>{"openmeteo", "noaa", "metaronly"}));
    const auto sources = listSources();
    ASSERT_EQ(sources.size(), 3u);
    EXPECT_EQ(sources[0].displayName, "Open-Meteo");
    EXPECT_EQ(sources[0].description, "Верхние слои, облака, CAPE (без API-ключа)");
    EXPECT_EQ(sources[1].displayName, "NOAA / AWC");
    EXPECT_EQ(sources[1].description, "METAR/SIGMET Aviation Weather Center + верхние слои Open-Meteo");
    EXPECT_EQ(sources[2].displayName, "Только METAR");
    EXPECT_EQ(sources[2].description, "Только METAR и SIGMET, без синтеза");
    EXPECT_EQ(sources[2].id, "metaronly");
}

TEST(SourceRegistry, MetarOnlyGuardedOperationsMakeNoRequest) {
    auto transport = std::make_shared<ScriptedTransport>(std::vector<std::optional<std::string>>{"{}", "{}"});
    test::DefaultTransportScope scope(transport);
    const auto source = makeSource("metaronly", nullptr);
    EXPECT_EQ(source->synthesize("EGLL", 51, 0, 25), std::nullopt);
    EXPECT_EQ(source->synthesizeGlobal(51, 0), std::nullopt);
    WeatherData weather;
    weather.stationId = "EGLL";
    source->attachUpperAir(weather, 51, 0);
    WeatherData expected;
    expected.stationId = "EGLL";
    EXPECT_EQ(weather, expected);
    EXPECT_TRUE(transport->requests().empty());
}

TEST(SourceRegistry, NoaaAndOpenMeteoIssueTheSameRequestsAndAnswers) {
    test::EnvironmentScope awc("NUBIRO_AWC_URL", "https://awc.test");
    test::EnvironmentScope om("NUBIRO_OPENMETEO_URL", "https://om.test");
    const std::vector<std::optional<std::string>> answers{
        R"([{"icaoId":"EGLL","rawOb":"EGLL 061020Z"}])", R"([{"hazard":"TS"}])",
        R"({"hourly":{"temperature_2m":[3.5]}})", R"({"hourly":{"temperature_500hPa":[-20],"wind_speed_500hPa":[50],"wind_direction_500hPa":[10]}})",
        R"({"hourly":{"temperature_2m":[4.5]}})"};
    std::vector<std::vector<std::string>> urls;
    std::vector<std::string> results;
    for (const char* id : {"openmeteo", "noaa"}) {
        auto transport = std::make_shared<ScriptedTransport>(answers);
        test::DefaultTransportScope scope(transport);
        const auto source = makeSource(id, nullptr);
        std::string result = nlohmann::json(source->fetchMetars({"EGLL", "EDDF"}).reports).dump();
        result += nlohmann::json(source->fetchSigmets()).dump();
        result += std::to_string(source->synthesize("EGLL", 51.47, -0.45, 25)->temperatureC);
        WeatherData weather;
        source->attachUpperAir(weather, 51.47, -0.45);
        result += std::to_string(weather.upperAir.size());
        result += source->synthesizeGlobal(1, 2)->stationId;
        urls.push_back(transport->urls());
        results.push_back(result);
    }
    EXPECT_EQ(urls[0], urls[1]);
    EXPECT_EQ(urls[0].size(), 5u);
    EXPECT_EQ(results[0], results[1]);
    EXPECT_EQ(results[0], R"({"EGLL":"EGLL 061020Z"}[{"hazard":"TS"}])" + std::to_string(3.5f) + "1GLOB");
}

}  // namespace
}  // namespace wx
