#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "airports/Distance.h"
#include "flight/RouteStations.h"

namespace wx {

void PrintTo(const RouteStation& s, std::ostream* os) { *os << "{" << s.ident << " " << s.aheadNm << "}"; }

namespace {

struct FakeAirport {
    std::string ident;
    double latDeg;
    double lonDeg;
};

// An airport list searched the way AirportDb searches, and the airports
// with a report; counts the searches.
class FakeWorld {
public:
    FakeWorld(std::vector<FakeAirport> airports, std::set<std::string> withReport)
        : airports_(std::move(airports)), withReport_(std::move(withReport)) {}

    NearestAirportsFn nearest() {
        return [this](double lat, double lon, int32_t maxCount, double radiusNm) {
            ++searches;
            std::vector<NearbyAirport> found;
            for (const FakeAirport& a : airports_) {
                const double d = distanceNm(lat, lon, a.latDeg, a.lonDeg);
                if (d <= radiusNm) {
                    found.push_back({d, a.ident + " name", a.ident});
                }
            }
            std::sort(found.begin(), found.end(), [](const auto& x, const auto& y) { return x.distanceNm < y.distanceNm; });
            found.resize(std::min(found.size(), static_cast<size_t>(std::max(maxCount, 0))));
            return found;
        };
    }
    HasReportFn hasReport() const {
        return [this](const std::string& ident) { return withReport_.count(ident) != 0; };
    }

    int searches = 0;

private:
    std::vector<FakeAirport> airports_;
    std::set<std::string> withReport_;
};

// One point every 50 nm along the equator, the first at longitude 1.
std::vector<RouteSample> equatorPoints(int count) {
    std::vector<RouteSample> points;
    for (int i = 0; i < count; ++i) {
        const double lonDeg = 1.0 + 50.0 / 60.04 * i;
        points.push_back({{0.0, lonDeg}, 50.0 * (i + 1)});
    }
    return points;
}

std::vector<std::string> idents(const std::vector<RouteStation>& stations) {
    std::vector<std::string> result;
    for (const RouteStation& s : stations) {
        result.push_back(s.ident);
    }
    return result;
}

using Idents = std::vector<std::string>;

TEST(ChooseRouteStations, TheNearestWithAReportForEachPoint) {
    FakeWorld world({{"NEAR", 0.1, 1.0}, {"NORP", 0.05, 1.0}, {"SECO", 0.2, 1.85}}, {"NEAR", "SECO"});
    const auto stations = chooseRouteStations(equatorPoints(2), world.nearest(), world.hasReport(), {});
    ASSERT_EQ(idents(stations), (Idents{"NEAR", "SECO"}));  // NORP is nearer but has no report
    EXPECT_EQ(stations[0], (RouteStation{"NEAR", "NEAR name", 50.0, distanceNm(0, 1, 0.1, 1.0)}));
    EXPECT_EQ(stations[1].aheadNm, 100.0);
}

TEST(ChooseRouteStations, OnlyWithinTheRadius) {
    const double lat29 = 29.0 / 60.0;
    const double lat31 = 31.0 / 60.0;
    FakeWorld world({{"IN29", lat29, 1.0}, {"OUT1", 0.0, 1.0 + 85.0 / 60.04}, {"OUT2", -lat31, 1.0 + 50 / 60.04}},
                    {"IN29", "OUT1", "OUT2"});
    EXPECT_EQ(idents(chooseRouteStations(equatorPoints(2), world.nearest(), world.hasReport(), {})), (Idents{"IN29"}));
    EXPECT_EQ(idents(chooseRouteStations(equatorPoints(2), world.nearest(), world.hasReport(), {}, 30, 32.0)),
              (Idents{"IN29", "OUT2"}));
}

TEST(ChooseRouteStations, NoAirportTwiceAndNoneAlreadyChosen) {
    // One airport between two points, both within reach of it.
    FakeWorld world({{"MIDL", 0.0, 1.0 + 25 / 60.04}, {"LATE", 0.1, 1.0 + 50 / 60.04}, {"DEST", 0.0, 1.0}},
                    {"MIDL", "LATE", "DEST"});
    EXPECT_EQ(idents(chooseRouteStations(equatorPoints(2), world.nearest(), world.hasReport(), {"dest"})),
              (Idents{"MIDL", "LATE"}));
    EXPECT_EQ(idents(chooseRouteStations(equatorPoints(2), world.nearest(), world.hasReport(), {"DEST", "LATE"})),
              (Idents{"MIDL"}));
}

TEST(ChooseRouteStations, AtMostMaxCountAndNoneForZero) {
    std::vector<FakeAirport> airports;
    std::set<std::string> withReport;
    for (int i = 0; i < 10; ++i) {
        const std::string ident = "AP" + std::string(1, static_cast<char>('A' + i)) + "X";
        airports.push_back({ident, 0.05, 1.0 + 50.0 / 60.04 * i});
        withReport.insert(ident);
    }
    FakeWorld world(airports, withReport);
    EXPECT_EQ(chooseRouteStations(equatorPoints(10), world.nearest(), world.hasReport(), {}, 4).size(), 4u);
    EXPECT_EQ(world.searches, 4);
    EXPECT_EQ(chooseRouteStations(equatorPoints(10), world.nearest(), world.hasReport(), {}).size(), 10u);
    world.searches = 0;
    EXPECT_TRUE(chooseRouteStations(equatorPoints(10), world.nearest(), world.hasReport(), {}, 0).empty());
    EXPECT_EQ(world.searches, 0);
}

TEST(ChooseRouteStations, AlongAPlanOfOneLegFromTheAircraftHalfwayOn) {
    FlightPlan plan;
    plan.departureId = "DEPT";
    plan.destinationId = "DEST";
    plan.waypoints = {{"DEPT", 'A', 0.0, 0.0, 0.0, ""}, {"DEST", 'A', 0.0, 10.0, 0.0, ""}};
    // One airport beside each 50 nm of the route.
    std::vector<FakeAirport> airports;
    std::set<std::string> withReport;
    for (int i = 1; i < 12; ++i) {
        const std::string ident = "R" + std::to_string(100 + i);
        airports.push_back({ident, 0.1, 50.0 * i / 60.04});
        withReport.insert(ident);
    }
    FakeWorld world(airports, withReport);
    const auto stations = chooseRouteStations(routeStationPoints(plan, 0.0, 5.0), world.nearest(), world.hasReport(),
                                              {"DEPT", "DEST"});
    // From the aircraft at longitude 5 (300 nm) on: the airports at 350 to 550 nm.
    EXPECT_EQ(idents(stations), (Idents{"R107", "R108", "R109", "R110", "R111"}));
}

}  // namespace
}  // namespace wx
