#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "airports/Distance.h"
#include "flight/DirectPlan.h"
#include "flight/PlanSummary.h"

namespace wx {
namespace {

struct LineCase {
    PlanSummary summary;
    const char* english;
    const char* russian;
};

class PlanSummaryLine : public testing::TestWithParam<LineCase> {};

TEST_P(PlanSummaryLine, ReadsExactlyInBothLanguages) {
    const LineCase& c = GetParam();
    EXPECT_EQ(planSummaryLine(c.summary), c.english);
    EXPECT_EQ(planSummaryLineRussian(c.summary), c.russian);
}

INSTANTIATE_TEST_SUITE_P(
    Plans, PlanSummaryLine,
    testing::Values(
        LineCase{{"EGSH", "EGBB", "EGNX", 3, 142.4, 9500},
                 "Flight plan: EGSH \xE2\x86\x92 EGBB (alternate EGNX), 3 waypoints, 142 nm, cruise FL095",
                 "План полёта: EGSH \xE2\x86\x92 EGBB (запасной EGNX), 3 пункта, 142 nm, эшелон FL095"},
        LineCase{{"EGSH", "EGBB", "", 3, 141.5, 9500}, "Flight plan: EGSH \xE2\x86\x92 EGBB, 3 waypoints, 142 nm, cruise FL095",
                 "План полёта: EGSH \xE2\x86\x92 EGBB, 3 пункта, 142 nm, эшелон FL095"},
        LineCase{{"LFLP", "LFLE", "", 1, 0.2, std::nullopt}, "Flight plan: LFLP \xE2\x86\x92 LFLE, 1 waypoint, 0 nm",
                 "План полёта: LFLP \xE2\x86\x92 LFLE, 1 пункт, 0 nm"},
        LineCase{{"LSGG", "EGMC", "", 12, 450.0, 35050},
                 "Flight plan: LSGG \xE2\x86\x92 EGMC, 12 waypoints, 450 nm, cruise FL350",
                 "План полёта: LSGG \xE2\x86\x92 EGMC, 12 пунктов, 450 nm, эшелон FL350"},
        LineCase{{"KSFO", "KLAX", "", 2, 293.0, 500}, "Flight plan: KSFO \xE2\x86\x92 KLAX, 2 waypoints, 293 nm, cruise FL005",
                 "План полёта: KSFO \xE2\x86\x92 KLAX, 2 пункта, 293 nm, эшелон FL005"}));

TEST(RussianPointsWord, FollowsTheRussianPlural) {
    const std::pair<size_t, const char*> cases[] = {
        {0, "пунктов"},  {1, "пункт"},    {2, "пункта"},   {4, "пункта"},   {5, "пунктов"},   {11, "пунктов"},
        {12, "пунктов"}, {14, "пунктов"}, {20, "пунктов"}, {21, "пункт"},   {22, "пункта"},   {25, "пунктов"},
        {101, "пункт"},  {111, "пунктов"}, {112, "пунктов"}, {122, "пункта"}};
    for (const auto& [count, word] : cases) {
        EXPECT_EQ(russianPointsWord(count), word) << count;
    }
}

TEST(PlanSummary, SumsTheLegsOfThePlan) {
    FlightPlan plan;
    plan.departureId = "EGSH";
    plan.destinationId = "EGBB";
    plan.cruiseFt = 9500;
    plan.waypoints = {{"EGSH", 'A', 52.67, 1.28, 0, ""}, {"DTY", 'V', 52.18, -1.11, 0, ""}, {"EGBB", 'A', 52.45, -1.75, 0, ""}};
    const PlanSummary summary = summarizePlan(plan, "EGNX");
    EXPECT_EQ(summary.alternateId, "EGNX");
    EXPECT_EQ(summary.waypointCount, 3u);
    EXPECT_NEAR(summary.lengthNm, distanceNm(52.67, 1.28, 52.18, -1.11) + distanceNm(52.18, -1.11, 52.45, -1.75), 1e-9);
    EXPECT_EQ(summary.cruiseFt, 9500);
}

TEST(DirectPlan, OneLegBetweenTheTwoAirports) {
    const Airport norwich{52.6758, 1.2828, 36, "Norwich", "medium_airport"};
    const Airport birmingham{52.4539, -1.7481, 99, "Birmingham", "large_airport"};
    const FlightPlan plan = makeDirectPlan("egsh", norwich, "EGBB", birmingham);
    EXPECT_EQ(plan.title, "EGSH to EGBB");
    EXPECT_EQ(plan.departureId, "EGSH");
    EXPECT_EQ(plan.destinationName, "Birmingham");
    EXPECT_EQ(plan.cruiseFt, std::nullopt);
    ASSERT_EQ(plan.waypoints.size(), 2u);
    EXPECT_EQ(plan.waypoints[0].ident, "EGSH");
    EXPECT_EQ(plan.waypoints[1].type, 'A');
    EXPECT_EQ(plan.waypoints[1].latDeg, 52.4539);
    EXPECT_NEAR(plan.waypoints[1].altitudeFt, 324.8, 0.1);
    EXPECT_EQ(planSummaryLine(summarizePlan(plan)), "Flight plan: EGSH \xE2\x86\x92 EGBB, 2 waypoints, 111 nm");
}

}  // namespace
}  // namespace wx
