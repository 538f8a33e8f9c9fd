#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "airports/Distance.h"
#include "flight/GreatCircle.h"
#include "flight/Route.h"

namespace wx {
namespace {

using geo::LatLon;

FlightPlan planThrough(const std::vector<LatLon>& points) {
    FlightPlan plan;
    plan.departureId = "AAAA";
    plan.destinationId = "BBBB";
    for (const LatLon& p : points) {
        plan.waypoints.push_back({"P", 'U', p.latDeg, p.lonDeg, 0.0, ""});
    }
    return plan;
}

double nm(const LatLon& a, const LatLon& b) { return distanceNm(a.latDeg, a.lonDeg, b.latDeg, b.lonDeg); }

struct AlongCase {
    LatLon from, to;
    double distanceNm;
};

class PointAlongLeg : public testing::TestWithParam<AlongCase> {};

TEST_P(PointAlongLeg, LiesThatFarFromTheStartAndOnTheLeg) {
    const AlongCase& c = GetParam();
    const LatLon point = geo::pointAlongLeg(c.from, c.to, c.distanceNm);
    EXPECT_NEAR(nm(c.from, point), c.distanceNm, 1e-6);
    EXPECT_NEAR(nm(c.from, point) + nm(point, c.to), nm(c.from, c.to), 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    Legs, PointAlongLeg,
    testing::Values(AlongCase{{0, 0}, {0, 10}, 60.0}, AlongCase{{51.5, -0.5}, {40.6, -73.8}, 1500.0},
                    AlongCase{{10, 179.5}, {10.5, -179.5}, 30.0},   // across the antimeridian
                    AlongCase{{89.5, 0}, {89.5, 180}, 45.0},        // over the pole
                    AlongCase{{52.0, 1.0}, {52.0, 1.0001}, 0.003},  // a very short leg
                    AlongCase{{52.0, 1.0}, {53.0, 2.0}, 0.0}));

TEST(PointAlongLeg, StaysAtTheStartOfALegWithoutDirection) {
    const LatLon same = geo::pointAlongLeg({10, 20}, {10, 20}, 50.0);
    EXPECT_EQ(same.latDeg, 10.0);
    EXPECT_EQ(same.lonDeg, 20.0);
}

struct NearestCase {
    LatLon from, to, position;
    LatLon expected;  // the nearest point of the leg
};

class NearestPointOfLeg : public testing::TestWithParam<NearestCase> {};

TEST_P(NearestPointOfLeg, IsTheFootOfThePerpendicularOrTheNearerEnd) {
    const NearestCase& c = GetParam();
    const geo::LegProjection projection = geo::nearestPointOfLeg(c.from, c.to, c.position);
    EXPECT_NEAR(nm(projection.point, c.expected), 0.0, 1e-6);
    EXPECT_NEAR(projection.alongNm, nm(c.from, c.expected), 1e-6);
    EXPECT_NEAR(projection.offNm, nm(c.position, c.expected), 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, NearestPointOfLeg,
    testing::Values(NearestCase{{0, 0}, {0, 10}, {1, 5}, {0, 5}},      // beside the leg
                    NearestCase{{0, 0}, {0, 10}, {-2, 3}, {0, 3}},     // the other side
                    NearestCase{{0, 0}, {0, 10}, {0, 4}, {0, 4}},      // on the leg
                    NearestCase{{0, 0}, {0, 10}, {1, -3}, {0, 0}},     // before the start
                    NearestCase{{0, 0}, {0, 10}, {-1, 12}, {0, 10}},   // past the end
                    NearestCase{{0, 0}, {0, 10}, {0, -170}, {0, 0}},   // far behind, on the circle
                    NearestCase{{0, 10}, {0, 0}, {1, 5}, {0, 5}},      // the leg reversed
                    NearestCase{{5, 5}, {5, 5}, {6, 5}, {5, 5}}));     // a leg of no length

TEST(Route, LengthIsTheSumOfTheLegs) {
    const FlightPlan plan = planThrough({{0, 0}, {0, 1}, {1, 1}});
    EXPECT_NEAR(routeLengthNm(plan), nm({0, 0}, {0, 1}) + nm({0, 1}, {1, 1}), 1e-9);
    EXPECT_EQ(routeLengthNm(planThrough({{0, 0}})), 0.0);
}

TEST(Route, ProgressFindsTheNearestLegAndTheRouteLeft) {
    const FlightPlan plan = planThrough({{0, 0}, {0, 2}, {2, 2}});
    const auto progress = routeProgress(plan, 1.0, 2.1);  // beside the second leg, halfway
    ASSERT_TRUE(progress);
    EXPECT_EQ(progress->legIndex, 1u);
    // The foot of the perpendicular lies a few centimetres north of latitude 1 on the sphere.
    EXPECT_NEAR(progress->alongLegNm, nm({0, 2}, {1, 2}), 1e-3);
    EXPECT_NEAR(progress->offRouteNm, nm({1, 2.1}, {1, 2}), 1e-3);
    EXPECT_NEAR(progress->alongLegNm + progress->remainingNm, nm({0, 2}, {2, 2}), 1e-9);

    const auto atStart = routeProgress(plan, -1.0, -1.0);
    ASSERT_TRUE(atStart);
    EXPECT_EQ(atStart->legIndex, 0u);
    EXPECT_EQ(atStart->alongLegNm, 0.0);
    EXPECT_NEAR(atStart->remainingNm, routeLengthNm(plan), 1e-9);

    EXPECT_FALSE(routeProgress(planThrough({{0, 0}}), 0.0, 0.0));
}

TEST(RouteStationPoints, EverySpacingAlongOneLegUpToTheEnd) {
    const FlightPlan plan = planThrough({{0, 0}, {0, 10}});  // about 600 nm
    const auto points = routeStationPoints(plan, 0.0, 0.0);
    ASSERT_EQ(points.size(), static_cast<size_t>(routeLengthNm(plan) / 50.0));
    for (size_t i = 0; i < points.size(); ++i) {
        EXPECT_NEAR(points[i].aheadNm, 50.0 * static_cast<double>(i + 1), 1e-9);
        EXPECT_NEAR(nm({0, 0}, points[i].point), points[i].aheadNm, 1e-6);
    }
    EXPECT_LT(points.back().aheadNm, routeLengthNm(plan));
}

TEST(RouteStationPoints, SpacingContinuesAcrossLegEnds) {
    const FlightPlan plan = planThrough({{0, 0}, {0, 1}, {1, 1}, {1, 4}});
    const double lengthNm = routeLengthNm(plan);
    const auto points = routeStationPoints(plan, 0.0, 0.0, 25.0);
    ASSERT_EQ(points.size(), static_cast<size_t>(lengthNm / 25.0));
    for (size_t i = 0; i < points.size(); ++i) {
        EXPECT_NEAR(points[i].aheadNm, 25.0 * static_cast<double>(i + 1), 1e-9);
        // On the route, and that far along it.
        const auto where = routeProgress(plan, points[i].point.latDeg, points[i].point.lonDeg);
        ASSERT_TRUE(where);
        EXPECT_NEAR(where->offRouteNm, 0.0, 1e-6);
        EXPECT_NEAR(lengthNm - where->remainingNm, points[i].aheadNm, 1e-6);
    }
}

TEST(RouteStationPoints, StartAtTheAircraftHalfwayAlong) {
    const FlightPlan plan = planThrough({{0, 0}, {0, 10}});
    const auto points = routeStationPoints(plan, 0.5, 5.0);  // 30 nm north of the halfway point
    ASSERT_FALSE(points.empty());
    EXPECT_NEAR(nm({0, 5}, points.front().point), 50.0, 1e-6);
    EXPECT_GT(points.front().point.lonDeg, 5.0);
    EXPECT_EQ(points.size(), static_cast<size_t>(nm({0, 5}, {0, 10}) / 50.0));
}

TEST(RouteStationPoints, NoneWithoutALegOrWithAnUnusableSpacingOrPosition) {
    const FlightPlan plan = planThrough({{0, 0}, {0, 10}});
    EXPECT_TRUE(routeStationPoints(planThrough({{0, 0}}), 0.0, 0.0).empty());
    EXPECT_TRUE(routeStationPoints(plan, 0.0, 0.0, 0.5).empty());
    EXPECT_TRUE(routeStationPoints(plan, 0.0, 0.0, std::numeric_limits<double>::quiet_NaN()).empty());
    EXPECT_TRUE(routeStationPoints(plan, std::numeric_limits<double>::quiet_NaN(), 0.0).empty());
    EXPECT_TRUE(routeStationPoints(plan, 0.0, 10.0).empty());  // at the destination
}

}  // namespace
}  // namespace wx
