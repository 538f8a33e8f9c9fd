#include <gtest/gtest.h>

#include "weather/Clouds.h"

namespace wx {
namespace {

CloudLayer layer(int32_t baseM, int32_t oktas, const std::string& type, const std::string& source = "METAR",
                 int32_t icing = 0) {
    CloudLayer l;
    l.baseM = baseM;
    l.coverOktas = oktas;
    l.type = type;
    l.source = source;
    l.icing = icing;
    return l;
}

// Base, oktas, type and source: what finishing decides.
struct Shape {
    int32_t baseM;
    int32_t oktas;
    std::string type;
    std::string source;
    bool operator==(const Shape&) const = default;
};

std::vector<Shape> shapes(const WeatherData& w) {
    std::vector<Shape> out;
    for (const CloudLayer& l : w.clouds) {
        out.push_back({l.baseM, l.coverOktas, l.type, l.source});
    }
    return out;
}

void PrintTo(const Shape& s, std::ostream* os) {
    *os << "{" << s.baseM << "," << s.oktas << "," << s.type << "," << s.source << "}";
}

struct FinalizeCase {
    const char* name;
    int32_t precipType;
    std::vector<CloudLayer> clouds;
    std::vector<Shape> expected;
};

class FinalizeClouds : public testing::TestWithParam<FinalizeCase> {};

TEST_P(FinalizeClouds, GivesTheLayersThatAreWritten) {
    WeatherData w;
    w.precipType = GetParam().precipType;
    w.precipRate = w.precipType == 0 ? 0 : 3;
    w.clouds = GetParam().clouds;
    finalizeClouds(w);
    EXPECT_EQ(shapes(w), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FinalizeClouds,
    testing::Values(
        FinalizeCase{"DryAndClear", 0, {}, {}},
        FinalizeCase{"RainWithoutClouds", 1, {},
                     {{400, 6, "ST", "PRECIP"}, {1500, 5, "ST", "PRECIP"}, {3000, 4, "ST", "PRECIP"}}},
        FinalizeCase{"RainUnderCirrusOnly", 1, {layer(9000, 2, "CI")},
                     {{400, 6, "ST", "PRECIP"},
                      {1500, 5, "ST", "PRECIP"},
                      {3000, 4, "ST", "PRECIP"},
                      {9000, 2, "CI", "METAR"}}},
        FinalizeCase{"RainBelowCarrierBand", 1, {layer(243, 8, "")},
                     {{243, 8, "", "METAR"}, {400, 6, "ST", "PRECIP"}}},
        FinalizeCase{"RainLowAndHighLayers", 2, {layer(4000, 2, ""), layer(300, 4, "")},
                     {{300, 6, "ST", "PRECIP"}, {3000, 4, "ST", "PRECIP"}, {4000, 2, "", "METAR"},
                      {5000, 4, "ST", "PRECIP"}}},
        FinalizeCase{"RainUnderHighBase", 1, {layer(1200, 8, "SC")},
                     {{400, 6, "ST", "PRECIP"}, {1200, 8, "SC", "METAR"}, {1500, 5, "ST", "PRECIP"}}},
        FinalizeCase{"ReportedCumulonimbusCarriesRain", 1, {layer(600, 2, "CB")},
                     {{400, 6, "ST", "PRECIP"}, {600, 2, "CB", "PRECIP"}}},
        FinalizeCase{"DryCumulonimbusStaysReported", 0, {layer(600, 2, "CB")}, {{600, 2, "CB", "METAR"}}},
        FinalizeCase{"CarrierJoinsNearLayer", 1, {layer(350, 2, ""), layer(420, 4, "CU")},
                     {{350, 6, "CU", "PRECIP"}}}),
    [](const testing::TestParamInfo<FinalizeCase>& info) { return std::string(info.param.name); });

TEST(FinalizeClouds, CapsCirrusIcingAndClearsIcingUnderCavok) {
    WeatherData w;
    w.clouds = {layer(9000, 2, "CI", "SYNTH", 3), layer(1500, 4, "CU", "SYNTH", 3)};
    finalizeClouds(w);
    EXPECT_EQ(w.clouds[0].icing, 3);
    EXPECT_EQ(w.clouds[1].icing, 1);

    w.cavok = true;
    finalizeClouds(w);
    EXPECT_EQ(w.clouds[0].icing, 0);
    EXPECT_EQ(w.clouds[1].icing, 0);
}

TEST(FinalizeClouds, ChangesNothingButClouds) {
    WeatherData w;
    w.precipType = 1;
    w.precipRate = 5;
    w.windSpeedKt = 12;
    w.upperAir = {UpperAirLayer{}};
    WeatherData expected = w;
    finalizeClouds(w);
    expected.clouds = w.clouds;
    EXPECT_EQ(w, expected);
}

TEST(MergeCloudLayers, FoldsNearLayersIntoTheFirstKept) {
    WeatherData w;
    w.clouds = {layer(690, 2, "CB"), layer(600, 4, "SC")};
    w.clouds[0].icing = 2;
    w.clouds[0].turbulence = 3;
    mergeCloudLayers(w);
    ASSERT_EQ(w.clouds.size(), 1u);
    EXPECT_EQ(w.clouds[0].baseM, 600);
    EXPECT_EQ(w.clouds[0].coverOktas, 4);
    EXPECT_EQ(w.clouds[0].type, "CB");
    EXPECT_EQ(w.clouds[0].icing, 2);
    EXPECT_EQ(w.clouds[0].turbulence, 3);
    EXPECT_EQ(w.clouds[0].source, "METAR");
}

TEST(MergeCloudLayers, ComparesWithTheKeptBaseNotTheFoldedOne) {
    WeatherData w;
    w.clouds = {layer(180, 1, "ST"), layer(90, 2, "SC"), layer(0, 3, "")};
    mergeCloudLayers(w);
    ASSERT_EQ(w.clouds.size(), 2u);
    EXPECT_EQ(w.clouds[0].baseM, 0);
    EXPECT_EQ(w.clouds[0].type, "SC");
    EXPECT_EQ(w.clouds[0].coverOktas, 3);
    EXPECT_EQ(w.clouds[1].baseM, 180);
}

TEST(MergeCloudLayers, KeepsTheTypeOnEqualRankAndTakesPrecipSource) {
    WeatherData w;
    w.clouds = {layer(1000, 4, "SC"), layer(1050, 2, "CU", "PRECIP"), layer(1099, 1, "ST")};
    w.clouds[0].hasTop = true;
    w.clouds[0].topM = 2500;
    mergeCloudLayers(w);
    ASSERT_EQ(w.clouds.size(), 1u);
    EXPECT_EQ(w.clouds[0].type, "SC");
    EXPECT_EQ(w.clouds[0].source, "PRECIP");
    EXPECT_TRUE(w.clouds[0].hasTop);
    EXPECT_EQ(w.clouds[0].topM, 2500);
}

}  // namespace
}  // namespace wx
