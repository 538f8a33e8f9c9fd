#include <gtest/gtest.h>

#include <cmath>

#include "app/MapGeometry.h"
#include "app/MapScene.h"

namespace wx {
namespace {

constexpr double kCos50 = 0.64278760968653936;
constexpr double kCos10 = 0.98480775301220802;

// A 400 × 300 panel without margin: a radius of 100 nm is 150 pixels.
MapFrame frameAt(double lat, double lon) { return mapFrame(lat, lon, 100, 400, 300, 0); }

TEST(MapGeometry, ProjectionAroundTheAircraft) {
    struct Case {
        const char* name;
        double centreLat, centreLon, lat, lon;
        MapPoint expected;
    };
    const Case cases[] = {
        {"Centre", 50, 8, 50, 8, {200, 150}},
        {"OneDegreeNorth", 50, 8, 51, 8, {200, 60}},
        {"OneDegreeEastShrinksWithTheLatitude", 50, 8, 50, 9, {200 + 90 * kCos50, 150}},
        {"SouthWest", 50, 8, 49.5, 7, {200 - 90 * kCos50, 195}},
        {"AcrossTheDateLine", 10, 179, 10, -179, {200 + 180 * kCos10, 150}},
    };
    for (const Case& c : cases) {
        const MapPoint point = projectToMap(frameAt(c.centreLat, c.centreLon), c.lat, c.lon);
        EXPECT_NEAR(point.x, c.expected.x, 1e-9) << c.name;
        EXPECT_NEAR(point.y, c.expected.y, 1e-9) << c.name;
    }
    // The radius fits the smaller half of the panel, within the margin.
    EXPECT_DOUBLE_EQ(mapFrame(50, 8, 200, 800, 500, 10).pixelsPerNm, 240.0 / 200);
}

// An area counted on beyond 180 east stays in one piece near a western
// aircraft.
TEST(MapGeometry, AnAreaMovesByWholeTurnsOnly) {
    const std::vector<MapPoint> outline = projectArea(frameAt(10, -175), {{10, 170}, {10, 190}, {12, 190}});
    ASSERT_EQ(outline.size(), 3u);
    EXPECT_NEAR(outline[0].x, 200 - 15 * 90 * kCos10, 1e-9);
    EXPECT_NEAR(outline[1].x, 200 + 5 * 90 * kCos10, 1e-9);
    EXPECT_NEAR(outline[2].y, 150 - 180, 1e-9);
}

TEST(MapGeometry, WhatIsInView) {
    const MapFrame frame = frameAt(50, 8);
    EXPECT_TRUE(pointInView(frame, {0, 300}, 0));
    EXPECT_FALSE(pointInView(frame, {-3, 100}, 2));
    EXPECT_TRUE(pointInView(frame, {-3, 100}, 4));
    struct Case {
        const char* name;
        std::vector<MapPoint> outline;
        bool inView;
    };
    const Case cases[] = {
        {"Inside", {{10, 10}, {20, 10}, {20, 20}}, true},
        {"AroundThePanel", {{-500, -500}, {900, -500}, {900, 900}, {-500, 900}}, true},
        {"ReachingInFromTheLeft", {{-50, 100}, {5, 120}, {-50, 140}}, true},
        {"BeyondTheRight", {{401, 0}, {600, 0}, {600, 300}}, false},
        {"AboveTheTop", {{0, -10}, {400, -1}}, false},
        {"NoCorners", {}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(outlineInView(frame, c.outline), c.inView) << c.name;
    }
}

TEST(MapGeometry, RangeRingsAtHalfAndTheWholeRadius) {
    EXPECT_EQ(rangeRings(mapFrame(0, 0, 200, 400, 400, 0), 200),
              (std::vector<RangeRing>{{100, "100 nm"}, {200, "200 nm"}}));
    EXPECT_EQ(rangeRings(mapFrame(0, 0, 15, 400, 400, 50), 15),
              (std::vector<RangeRing>{{75, "7.5 nm"}, {150, "15 nm"}}));
}

// Strokes of barbs for a westerly wind: the staff goes west from the
// station, barbs lean out to the north.
TEST(MapGeometry, WindBarbs) {
    struct Case {
        int32_t speedKt;
        bool calm;
        size_t lines;  // the staff and its barbs
        size_t pennants;
    };
    const Case cases[] = {{0, true, 0, 0},  {2, false, 1, 0},  {3, false, 2, 0},  {10, false, 2, 0},
                          {15, false, 3, 0}, {47, false, 6, 0}, {50, false, 1, 1}, {65, false, 3, 1},
                          {100, false, 1, 2}};
    for (const Case& c : cases) {
        const WindBarb barb = windBarb({100, 100}, 270, c.speedKt, 5, 24, 10);
        EXPECT_EQ(barb.calm, c.calm) << c.speedKt;
        EXPECT_EQ(barb.lines.size(), c.lines) << c.speedKt;
        EXPECT_EQ(barb.pennants.size(), c.pennants) << c.speedKt;
    }
    const WindBarb ten = windBarb({100, 100}, 270, 10, 5, 24, 10);
    EXPECT_NEAR(ten.lines[0].from.x, 95, 1e-9);
    EXPECT_NEAR(ten.lines[0].to.x, 71, 1e-9);
    EXPECT_NEAR(ten.lines[1].from.x, 71, 1e-9);
    EXPECT_NEAR(ten.lines[1].to.y, 90, 1e-9);
    // A half barb alone stands a step in from the tip, half as long.
    const WindBarb five = windBarb({100, 100}, 360, 5, 5, 24, 10);
    EXPECT_NEAR(five.lines[1].from.y, 71 + 4.5, 1e-9);
    EXPECT_NEAR(five.lines[1].to.x, 105, 1e-9);
}

// Each zoom step halves the radius shown, rings and all.
TEST(MapScene, ZoomStepsHalveTheRadiusShown) {
    CycleOverview overview;
    overview.aircraft = SimPosition{50, 8};
    overview.radiusNm = 200;
    overview.stations = {{"EAAA", 50.5, 8, {}}};
    struct Case {
        int step;
        std::vector<std::string> rings;
        double stationYPx;  // 30 nm north of the centre at (200, 150), 134 px to the radius
    };
    const Case cases[] = {{0, {"100 nm", "200 nm"}, 150 - 30 * 134.0 / 200}, {2, {"25 nm", "50 nm"}, 150 - 30 * 134.0 / 50},
                          {9, {"6.2 nm", "12.5 nm"}, 150 - 30 * 134.0 / 12.5}};
    for (const Case& c : cases) {
        const MapScene scene = buildMapScene(overview, 400, 300, 96, Language::English, c.step);
        std::vector<std::string> labels;
        for (const RangeRing& ring : scene.rings) {
            labels.push_back(ring.label);
        }
        EXPECT_EQ(labels, c.rings) << c.step;
        if (c.step < 4) {
            ASSERT_EQ(scene.stations.size(), 1u) << c.step;
            EXPECT_NEAR(scene.stations[0].at.y, c.stationYPx, 1e-9) << c.step;
        } else {
            EXPECT_TRUE(scene.stations.empty()) << "30 nm lies beyond a panel of 12.5 nm";
        }
    }
}

// The route's legs bend along their great circles; a leg beyond the panel
// and an airport beyond it are left out; the airports in view are named
// below their places.
TEST(MapScene, TheFlightPlansRoute) {
    CycleOverview overview;
    overview.aircraft = SimPosition{50, 8};
    overview.radiusNm = 200;
    const auto waypoint = [](const char* ident, double lat, double lon) { return Waypoint{ident, 'A', lat, lon, 0.0, ""}; };
    overview.route = OverviewRoute{
        {waypoint("EDEP", 50, 6), waypoint("EMID", 50, 10), waypoint("EDST", 60, 10), waypoint("EFAR", 60, 20)},
        {{"EDEP", StationRole::Departure, 50, 6}, {"EDST", StationRole::Destination, 60, 10}}};
    const MapScene scene = buildMapScene(overview, 400, 300, 96, Language::English);
    const MapFrame frame = mapFrame(50, 8, 200, 400, 300, 16);

    ASSERT_EQ(scene.routeLegs.size(), 2u);
    const std::vector<MapPoint>& first = scene.routeLegs[0];
    ASSERT_GT(first.size(), 2u);
    const MapPoint from = projectToMap(frame, 50, 6);
    const MapPoint to = projectToMap(frame, 50, 10);
    EXPECT_NEAR(first.front().x, from.x, 1e-6);
    EXPECT_NEAR(first.front().y, from.y, 1e-6);
    EXPECT_NEAR(first.back().x, to.x, 1e-6);
    EXPECT_NEAR(first.back().y, to.y, 1e-6);
    EXPECT_LT(first[first.size() / 2].y, from.y - 0.5) << "the great circle bows toward the pole";
    EXPECT_NEAR(scene.routeLegs[1].front().x, to.x, 1e-6);

    ASSERT_EQ(scene.planAirports.size(), 1u);
    EXPECT_EQ(scene.planAirports[0].text, "DEP EDEP");
    EXPECT_NEAR(scene.planAirports[0].at.x, from.x, 1e-6);
    EXPECT_NEAR(scene.planAirports[0].at.y, from.y + 14, 1e-6);
}

TEST(MapScene, TheStationUnderThePointer) {
    MapScene scene;
    scene.dotRadiusPx = 5;
    scene.stations = {{"EAAA", {100, 100}, {}, {}, ""}, {"EBBB", {108, 100}, {}, {}, ""}};
    struct Case {
        MapPoint pointer;
        std::optional<size_t> expected;
    };
    for (const Case& c : {Case{{100, 100}, 0}, Case{{105, 101}, 1}, Case{{91, 100}, 0}, Case{{100, 110}, {}}}) {
        EXPECT_EQ(stationAt(scene, c.pointer), c.expected) << c.pointer.x << "," << c.pointer.y;
    }
}

}  // namespace
}  // namespace wx
