#include <gtest/gtest.h>

#include <functional>

#include "engine/CycleOverview.h"
#include "engine/SigmetEvaluation.h"
#include "engine/SigmetSelection.h"
#include "support/LogRecorder.h"

namespace wx {
namespace {

using nlohmann::json;
using Lines = std::vector<std::string>;

// A square of 4 by 4 degrees around (50, 8), with a hazard and an area.
json square(const json& hazard, const char* firId = "EDWW") {
    json sigmet{{"hazard", hazard},
                {"firName", "BREMEN"},
                {"coords", json::array({{{"lat", 48}, {"lon", 6}},
                                        {{"lat", 48}, {"lon", 10}},
                                        {{"lat", 52}, {"lon", 10}},
                                        {{"lat", 52}, {"lon", 6}}})}};
    if (firId != nullptr) {
        sigmet["firId"] = firId;
    }
    return sigmet;
}

json thunderstorm(const json& base, const json& top) {
    json sigmet = square("TS");
    if (!base.is_null()) {
        sigmet["base"] = base;
    }
    if (!top.is_null()) {
        sigmet["top"] = top;
    }
    return sigmet;
}

// A hazard over the square at the levels given in feet (null: not given).
json atLevels(const char* hazard, const json& base, const json& top) {
    json sigmet = square(hazard);
    sigmet["base"] = base;
    sigmet["top"] = top;
    return sigmet;
}

json area(const json& coords) { return {{"hazard", "TS"}, {"firId", "XXXX"}, {"coords", coords}}; }

// A square's corners, 2 degrees a side, its south-west corner at (lat, lon).
json corners(double lat, double lon) {
    return json::array({{{"lat", lat}, {"lon", lon}},
                        {{"lat", lat}, {"lon", lon + 2}},
                        {{"lat", lat + 2}, {"lon", lon + 2}},
                        {{"lat", lat + 2}, {"lon", lon}}});
}

// Lists without validity times or twins: every object applies.
SigmetList listOf(const std::vector<json>& sigmets) { return sigmetsToApply(sigmets, {}); }

CloudLayer layer(int32_t baseM, const char* type) { return CloudLayer{baseM, 4, type, 0, 1, "METAR", 0, false}; }

CloudLayer cb(int32_t baseM, int32_t topM) { return CloudLayer{baseM, 8, "CB", 4, 2, "SIGMET", topM, true}; }

// The record every case starts from: clouds out of order, two layers aloft.
WeatherData station() {
    WeatherData w;
    w.stationId = "EDDF";
    w.clouds = {layer(1500, "SC"), layer(300, "CU")};
    w.upperAir = {UpperAirLayer{1500, 250, 20, 2.0f, true, 0, 0, 0, "SYNTH"},
                  UpperAirLayer{5500, 270, 45, -20.0f, true, 1, 0, 0, "SYNTH"}};
    return w;
}

// The starting record with its clouds sorted, as every evaluation leaves them.
WeatherData sortedStation() {
    WeatherData w = station();
    std::swap(w.clouds[0], w.clouds[1]);
    return w;
}

// A thunderstorm's effect on the starting record.
WeatherData withCb(int32_t baseM, int32_t topM, const std::string& tag) {
    WeatherData w = sortedStation();
    w.clouds.insert(w.clouds.begin() + (baseM < 1500 ? 1 : 2), cb(baseM, topM));
    w.precipType = 1;
    w.precipRate = 4;
    w.turbulence = 3;
    w.sigmets = {tag};
    return w;
}

const std::string kNone = "[INFO] [EDDF] SIGMET: none in area (1 global)";
const std::string kTs = "[WARN] [EDDF] SIGMET TS (EDWW)";
const std::string kUnreadable = "[WARN] [EDDF] SIGMET TS (EDWW): unreadable base or top, defaults used";

struct SigmetCase {
    const char* name;
    std::vector<json> sigmets;
    double lat;
    double lon;
    std::function<WeatherData()> expected;
    Lines log;
    std::function<void(WeatherData&)> arrange = nullptr;
};

class SigmetEvaluation : public testing::TestWithParam<SigmetCase> {};

TEST_P(SigmetEvaluation, HardensTheRecord) {
    const SigmetCase& c = GetParam();
    WeatherData weather = station();
    if (c.arrange) {
        c.arrange(weather);
    }
    test::LogRecorder log;
    evaluateSigmets(weather, c.lat, c.lon, listOf(c.sigmets), log.fn());
    EXPECT_EQ(weather, c.expected());
    EXPECT_EQ(log.lines(), c.log);
}

INSTANTIATE_TEST_SUITE_P(
    Geometry, SigmetEvaluation,
    testing::Values(
        SigmetCase{"EmptyListOnlySortsTheClouds", {}, 50, 8, sortedStation, {}},
        SigmetCase{"NoneCovering",
                   {square("TS"), square("TURB")},
                   60,
                   8,
                   sortedStation,
                   {"[INFO] [EDDF] SIGMET: none in area (2 global)"}},
        SigmetCase{"UnknownHazardCountsAsNone", {square("MTW")}, 50, 8, sortedStation, {kNone}},
        SigmetCase{"TwoCornersCoverWithinOneDegree",
                   {area(json::array({{{"lat", 50}, {"lon", 8}}, {{"lat", 50}, {"lon", 12}}}))},
                   50.6,
                   12.7,
                   [] { return withCb(600, 12192, "TS@XXXX"); },
                   {"[WARN] [EDDF] SIGMET TS (XXXX)"}},
        SigmetCase{"TwoCornersDoNotCoverTheLineBetweenThem",
                   {area(json::array({{{"lat", 50}, {"lon", 8}}, {{"lat", 50}, {"lon", 12}}}))},
                   50,
                   10,
                   sortedStation,
                   {kNone}},
        SigmetCase{"TriangleCoversItsInsideFarFromCorners",
                   {area(json::array({{{"lat", 40}, {"lon", 0}}, {{"lat", 40}, {"lon", 20}}, {{"lat", 60}, {"lon", 10}}}))},
                   45,
                   10,
                   [] { return withCb(600, 12192, "TS@XXXX"); },
                   {"[WARN] [EDDF] SIGMET TS (XXXX)"}},
        // (50.6, 8.0) lies outside the triangle, in its widened box, 1.2
        // degrees from the nearest corner.
        SigmetCase{"NearATriangleButOutsideIsNotCovered",
                   {area(json::array({{{"lat", 50}, {"lon", 9.2}}, {{"lat", 50}, {"lon", 12}}, {{"lat", 52}, {"lon", 12}}}))},
                   50.0,
                   8.0,
                   sortedStation,
                   {kNone}},
        SigmetCase{"CoordinatesAsTextAndMissingOnesDropped",
                   {area(json::array({{{"lat", "49.5"}, {"lon", "7.5 E"}}, {{"lon", 8}}, {{"lat", true}, {"lon", 8}}}))},
                   50,
                   8,
                   [] { return withCb(600, 12192, "TS@XXXX"); },
                   {"[WARN] [EDDF] SIGMET TS (XXXX)"}},
        // The corner at (50, 8) comes after one that is no number: not seen.
        SigmetCase{"TextThatIsNoNumberEndsTheCorners",
                   {area(json::array({{{"lat", 40}, {"lon", 0}}, {{"lat", "north"}, {"lon", 8}}, {{"lat", 50}, {"lon", 8}}}))},
                   50,
                   8,
                   sortedStation,
                   {kNone}},
        SigmetCase{"ElementsThatAreNoObjectsAreSkipped",
                   {json("TS"), json::array({1, 2}), square("TURB")},
                   50,
                   8,
                   [] {
                       WeatherData w = sortedStation();
                       w.turbulence = 4;
                       w.upperAir[0].turbulence = 4;
                       w.upperAir[1].turbulence = 4;
                       w.sigmets = {"TURB@EDWW"};
                       return w;
                   },
                   {"[WARN] [EDDF] SIGMET SEV TURB (EDWW)"}}),
    [](const auto& info) { return std::string(info.param.name); });

// "coords" as a list of areas, each an array of corners: any area covering
// the point applies the SIGMET once.
INSTANTIATE_TEST_SUITE_P(
    SeveralAreas, SigmetEvaluation,
    testing::Values(
        SigmetCase{"TheSecondOfThreeAreasCovers",
                   {area(json::array({corners(30, 30), corners(49, 7), corners(-10, 100)}))},
                   50,
                   8,
                   [] { return withCb(600, 12192, "TS@XXXX"); },
                   {"[WARN] [EDDF] SIGMET TS (XXXX)"}},
        SigmetCase{"TwoAreasOverThePointApplyOnce",
                   {area(json::array({corners(49, 7), corners(49.5, 7.5)}))},
                   50,
                   8,
                   [] { return withCb(600, 12192, "TS@XXXX"); },
                   {"[WARN] [EDDF] SIGMET TS (XXXX)"}},
        SigmetCase{"AnUnreadableCornerEndsOnlyItsArea",
                   {area(json::array({json::array({{{"lat", "north"}, {"lon", 8}}, {{"lat", 50}, {"lon", 8}}}),
                                      corners(49, 7)}))},
                   50,
                   8,
                   [] { return withCb(600, 12192, "TS@XXXX"); },
                   {"[WARN] [EDDF] SIGMET TS (XXXX)"}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Hazards, SigmetEvaluation,
    testing::Values(
        SigmetCase{"BaseAboveTopGetsADefaultDepth", {thunderstorm(1000, 500)}, 50, 8,
                   [] { return withCb(600, 304 + 8000, "TS@EDWW"); }, {kTs}},
        SigmetCase{"DefaultBaseAndTop", {thunderstorm(nullptr, nullptr)}, 50, 8,
                   [] { return withCb(600, 12192, "TS@EDWW"); }, {kTs}},
        SigmetCase{"HeightsAsTextWithAUnit", {thunderstorm("12000 FT", "35000")}, 50, 8,
                   [] { return withCb(3657, 10668, "TS@EDWW"); }, {kTs}},
        SigmetCase{"LowerCaseAndCombinedHazards", {square("tsgr", nullptr)}, 50, 8,
                   [] { return withCb(600, 12192, "TSGR@BREMEN"); },
                   {"[WARN] [EDDF] SIGMET TS (BREMEN)"}},
        SigmetCase{"SnowKeepsItsTypeAndHigherRate", {thunderstorm(nullptr, nullptr)}, 50, 8,
                   [] {
                       WeatherData w = withCb(600, 12192, "TS@EDWW");
                       w.precipType = 2;
                       w.precipRate = 5;
                       return w;
                   },
                   {kTs}, [](WeatherData& w) {
                       w.precipType = 2;
                       w.precipRate = 5;
                   }},
        SigmetCase{"SevereIcingReachesEveryLayerTheThunderstormAdded",
                   {thunderstorm(nullptr, nullptr), square("ICE")}, 50, 8,
                   [] {
                       WeatherData w = withCb(600, 12192, "TS@EDWW");
                       for (CloudLayer& l : w.clouds) {
                           l.icing = 3;
                       }
                       w.sigmets.push_back("ICE@EDWW");
                       return w;
                   },
                   {kTs, "[WARN] [EDDF] SIGMET SEV ICE (EDWW)"}},
        SigmetCase{"VolcanicAshIsReportedOnly", {square("VA CLD", nullptr)}, 50, 8,
                   [] {
                       WeatherData w = sortedStation();
                       w.sigmets = {"VA CLD@BREMEN"};
                       return w;
                   },
                   {"[ERROR] [EDDF] !!! SIGMET VA (BREMEN)"}},
        SigmetCase{"TropicalCycloneIsAThunderstorm", {atLevels("TC", nullptr, 60000)}, 50, 8,
                   [] { return withCb(600, 18288, "TC@EDWW"); }, {"[WARN] [EDDF] SIGMET TC (EDWW)"}},
        SigmetCase{"TropicalCycloneWithAnUnreadableTop", {atLevels("tc", 1000, "FL600")}, 50, 8,
                   [] { return withCb(600, 12192, "TC@EDWW"); },
                   {"[WARN] [EDDF] SIGMET TC (EDWW): unreadable base or top, defaults used",
                    "[WARN] [EDDF] SIGMET TC (EDWW)"}},
        SigmetCase{"NoAreaNamesAtAll", {json{{"hazard", "VA"}, {"coords", square("VA")["coords"]}}}, 50, 8,
                   [] {
                       WeatherData w = sortedStation();
                       w.sigmets = {"VA@?"};
                       return w;
                   },
                   {"[ERROR] [EDDF] !!! SIGMET VA (?)"}}),
    [](const auto& info) { return std::string(info.param.name); });

// A base or top that cannot be read as feet, or whose metres do not fit,
// counts as absent; the thunderstorm still applies, with a warning.
INSTANTIATE_TEST_SUITE_P(
    UnreadableHeights, SigmetEvaluation,
    testing::Values(
        SigmetCase{"TextBase", {thunderstorm("UNKNOWN", 30000)}, 50, 8,
                   [] { return withCb(600, 9144, "TS@EDWW"); }, {kUnreadable, kTs}},
        SigmetCase{"TextTop", {thunderstorm(3000, "ABV FL450")}, 50, 8,
                   [] { return withCb(914, 12192, "TS@EDWW"); }, {kUnreadable, kTs}},
        SigmetCase{"NotANumber", {thunderstorm("nan", nullptr)}, 50, 8,
                   [] { return withCb(600, 12192, "TS@EDWW"); }, {kUnreadable, kTs}},
        SigmetCase{"Infinite", {thunderstorm(nullptr, "-inf")}, 50, 8,
                   [] { return withCb(600, 12192, "TS@EDWW"); }, {kUnreadable, kTs}},
        SigmetCase{"TooHighForMetres", {thunderstorm(1e300, 1e12)}, 50, 8,
                   [] { return withCb(600, 12192, "TS@EDWW"); }, {kUnreadable, kTs}},
        SigmetCase{"OutOfRangeText", {thunderstorm("1e999", nullptr)}, 50, 8,
                   [] { return withCb(600, 12192, "TS@EDWW"); }, {kUnreadable, kTs}},
        // A base this high leaves no room for the default depth: the top
        // stops at the largest height a record holds.
        SigmetCase{"HighestBaseKeepsItsTopInRange", {thunderstorm(7045550000.0, 0)}, 50, 8,
                   [] { return withCb(2147483640, 2147483647, "TS@EDWW"); }, {kTs}}),
    [](const auto& info) { return std::string(info.param.name); });

// Severe turbulence and icing reach only the layers, as the simulator gets
// them, that overlap the SIGMET's base and top; without both, every layer.
// The station's surface wind layer spans 0-1000 m, its layers aloft
// 1000-1500 m and 1500-5500 m, its clouds 300-2300 m and 1500-3500 m.
WeatherData turbulent(bool surface, bool low, bool high) {
    WeatherData w = sortedStation();
    w.turbulence = surface ? 4 : 0;
    w.upperAir[0].turbulence = low ? 4 : 0;
    w.upperAir[1].turbulence = high ? 4 : 1;
    w.sigmets = {"TURB@EDWW"};
    return w;
}

WeatherData iced(bool low, bool high) {
    WeatherData w = sortedStation();
    w.clouds[0].icing = low ? 3 : 1;
    w.clouds[1].icing = high ? 3 : 1;
    w.sigmets = {"ICE@EDWW"};
    return w;
}

const std::string kTurb = "[WARN] [EDDF] SIGMET SEV TURB (EDWW)";
const std::string kIce = "[WARN] [EDDF] SIGMET SEV ICE (EDWW)";

INSTANTIATE_TEST_SUITE_P(
    Levels, SigmetEvaluation,
    testing::Values(
        SigmetCase{"TurbulenceAboveEveryLayerTouchesNone", {atLevels("TURB", 25000, 38000)}, 50, 8,
                   [] { return turbulent(false, false, false); }, {kTurb}},
        SigmetCase{"TurbulenceNearTheGroundTouchesTheSurfaceLayer", {atLevels("TURB", 2000, 3000)}, 50, 8,
                   [] { return turbulent(true, false, false); }, {kTurb}},
        SigmetCase{"TurbulenceAloftTouchesTheLayerItReaches", {atLevels("TURB", 10000, 12000)}, 50, 8,
                   [] { return turbulent(false, false, true); }, {kTurb}},
        SigmetCase{"TurbulenceWithoutATopTouchesEveryLayer", {atLevels("TURB", 25000, nullptr)}, 50, 8,
                   [] { return turbulent(true, true, true); }, {kTurb}},
        SigmetCase{"TurbulenceWithAnUnreadableBaseTouchesEveryLayer", {atLevels("TURB", "SFC", 38000)}, 50, 8,
                   [] { return turbulent(true, true, true); }, {kTurb}},
        SigmetCase{"IcingReachesTheCloudsInItsBand", {atLevels("ICE", 8000, 14000)}, 50, 8,
                   [] { return iced(false, true); }, {kIce}},
        SigmetCase{"IcingWithATopBelowItsBaseReachesEveryCloud", {atLevels("ICE", 14000, 8000)}, 50, 8,
                   [] { return iced(true, true); }, {kIce}}),
    [](const auto& info) { return std::string(info.param.name); });

// An area whose edges cross the 180th meridian covers what lies between its
// corners across the line, not the rest of the globe in its latitudes.
struct DateLineCase {
    const char* name;
    double lat;
    double lon;
    bool covered;
};

class SigmetAcrossTheDateLine : public testing::TestWithParam<DateLineCase> {};

TEST_P(SigmetAcrossTheDateLine, CoversOnlyWhatLiesAcrossTheLine) {
    const json pacific = area(json::array(
        {{{"lat", 10}, {"lon", 170}}, {{"lat", 10}, {"lon", -170}}, {{"lat", 20}, {"lon", -170}}, {{"lat", 20}, {"lon", 170}}}));
    WeatherData weather = station();
    evaluateSigmets(weather, GetParam().lat, GetParam().lon, listOf({pacific}), nullptr);
    EXPECT_EQ(weather.sigmets.size(), GetParam().covered ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Cases, SigmetAcrossTheDateLine,
                         testing::Values(DateLineCase{"EastOfTheLine", 15, 175, true},
                                         DateLineCase{"WestOfTheLine", 15, -175, true},
                                         DateLineCase{"OnTheLine", 15, 180, true},
                                         DateLineCase{"WithinOneDegreeOfAWesternCorner", 20.5, -169.5, true},
                                         DateLineCase{"Africa", 15, 10, false},
                                         DateLineCase{"Americas", 15, -100, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SigmetEvaluationLog, NothingIsLoggedWithoutALogFunction) {
    WeatherData weather = station();
    evaluateSigmets(weather, 50, 8, listOf({thunderstorm("x", nullptr), square("VA"), square("MTW")}), nullptr);
    EXPECT_EQ(weather.sigmets, (std::vector<std::string>{"TS@EDWW", "VA@EDWW"}));
}

// What the map gets: every SIGMET the evaluation acts on, tagged and
// classed as the evaluation does, each of its areas in one piece across the
// 180th meridian; unknown hazards and areas without corners are left out.
TEST(OverviewSigmets, TheHandledOnesWithTheirAreasAsTheEvaluationReadsThem) {
    const json pacific = area(json::array({{{"lat", 10}, {"lon", 170}}, {{"lat", 10}, {"lon", -170}}}));
    json cyclone = area(json::array({json::array({{{"lat", 15}, {"lon", 145}}, {{"lat", 16}, {"lon", 146}}}),
                                     json::array({{{"lat", 20}, {"lon", 150}}})}));
    cyclone["hazard"] = "TC";
    const std::vector<OverviewSigmet> overview = overviewSigmets(
        {square("ts", nullptr), square("MTW"), pacific, area(json::array()), square("VA"), cyclone});
    const SigmetPolygon squareArea{{48, 6}, {48, 10}, {52, 10}, {52, 6}};
    EXPECT_EQ(overview, (std::vector<OverviewSigmet>{
                            {"TS@BREMEN", SigmetHazard::Thunderstorm, {squareArea}},
                            {"TS@XXXX", SigmetHazard::Thunderstorm, {{{10, 170}, {10, 190}}}},
                            {"VA@EDWW", SigmetHazard::VolcanicAsh, {squareArea}},
                            {"TC@XXXX", SigmetHazard::Cyclone, {{{15, 145}, {16, 146}}, {{20, 150}}}},
                        }));
}

}  // namespace
}  // namespace wx
