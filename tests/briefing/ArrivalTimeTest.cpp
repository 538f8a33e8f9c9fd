#include <gtest/gtest.h>

#include "briefing/ArrivalTime.h"

namespace wx {
namespace {

using std::chrono::minutes;

const UtcMillis kNow{std::chrono::sys_days{std::chrono::year{2026} / 12 / 8} + std::chrono::hours(15)};

struct ArrivalCase {
    const char* name;
    ArrivalInputs inputs;
    minutes fromNow;
};

class Arrival : public testing::TestWithParam<ArrivalCase> {};

TEST_P(Arrival, TakesTheBestTimeKnown) {
    ArrivalInputs inputs = GetParam().inputs;
    inputs.now = kNow;
    inputs.planLengthNm = 500.0;
    EXPECT_EQ(arrivalTime(inputs), kNow + GetParam().fromNow);
}

ArrivalInputs given(std::optional<double> eteSec, std::optional<double> remainingNm, std::optional<double> speedKt,
                    std::optional<UtcMillis> typed = std::nullopt) {
    ArrivalInputs inputs;
    inputs.simEteSec = eteSec;
    inputs.remainingNm = remainingNm;
    inputs.groundSpeedKt = speedKt;
    inputs.typed = typed;
    return inputs;
}

INSTANTIATE_TEST_SUITE_P(
    Sources, Arrival,
    testing::Values(ArrivalCase{"TypedWins", given(600, 100, 200, kNow + minutes(7)), minutes(7)},
                    ArrivalCase{"SimulatorsTime", given(1800, 100, 200), minutes(30)},
                    ArrivalCase{"RouteLeftOverGroundSpeed", given(std::nullopt, 100, 200), minutes(30)},
                    ArrivalCase{"ZeroSimulatorTimeIgnored", given(0, 100, 400), minutes(15)},
                    ArrivalCase{"TwoDaysOfSimulatorTimeIgnored", given(48 * 3600, 100, 400), minutes(15)},
                    ArrivalCase{"TaxiingIsNoSpeed", given(std::nullopt, 100, 50), minutes(120)},
                    ArrivalCase{"NothingKnownPlanAt250Kt", given(std::nullopt, std::nullopt, std::nullopt),
                                minutes(120)}),
    [](const testing::TestParamInfo<ArrivalCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wx
