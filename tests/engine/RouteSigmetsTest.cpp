#include <gtest/gtest.h>

#include "engine/RouteSigmets.h"

namespace wx {
namespace {

using nlohmann::json;

// A -> B east along 50 N, then B -> C north along 10 E; cruise FL350.
FlightPlan plan(std::optional<int> cruiseFt = 35000) {
    FlightPlan p;
    p.cruiseFt = cruiseFt;
    p.waypoints = {{"A", 'U', 50.0, 0.0}, {"B", 'U', 50.0, 10.0}, {"C", 'U', 55.0, 10.0}};
    return p;
}

json box(const char* series, double south, double west, double north, double east, json base, json top) {
    return {{"firId", "EDGG"},
            {"seriesId", series},
            {"hazard", "TS"},
            {"base", base},
            {"top", top},
            {"coords", json::array({{{"lat", south}, {"lon", west}},
                                    {{"lat", north}, {"lon", west}},
                                    {{"lat", north}, {"lon", east}},
                                    {{"lat", south}, {"lon", east}}})}};
}

TEST(RouteSigmets, ListsTheAreasTheLegsPassThroughWithTheirLegsAndLevels) {
    const std::vector<json> sigmets{
        box("W1", 45.0, 4.95, 55.0, 5.05, nullptr, 30000),   // a sliver across the first leg
        box("W2", 52.0, 9.0, 53.0, 11.0, 0, 20000),           // across the second leg, below the cruise
        box("W3", 60.0, 20.0, 61.0, 21.0, nullptr, nullptr),  // nowhere near
        box("W4", 49.0, 9.5, 51.0, 10.5, "FL300", nullptr),   // around B: both legs
    };
    const std::vector<BriefingSigmet> expected{{"EDGG W1", "TS", std::nullopt, 30000, {1}, false},
                                               {"EDGG W2", "TS", 0, 20000, {2}, false},
                                               {"EDGG W4", "TS", std::nullopt, std::nullopt, {1, 2}, true}};
    EXPECT_EQ(routeSigmets(plan(), sigmets), expected);
}

TEST(RouteSigmets, NoCruiseLevelIsNeverAtCruise) {
    const auto crossing = routeSigmets(plan(std::nullopt), {box("W4", 49.0, 9.5, 51.0, 10.5, nullptr, nullptr)});
    ASSERT_EQ(crossing.size(), 1u);
    EXPECT_FALSE(crossing.front().atCruise);
}

}  // namespace
}  // namespace wx
