#include <gtest/gtest.h>

#include "weather/MetarAge.h"

namespace wx {
namespace {

using namespace std::chrono;

struct AgeCase {
    const char* name;
    const char* report;
    sys_days today;
    minutes timeOfDay;
    std::optional<int32_t> age;
};

class ReportAge : public testing::TestWithParam<AgeCase> {};

TEST_P(ReportAge, CountsFromTheLatestMatchingMoment) {
    const AgeCase& c = GetParam();
    EXPECT_EQ(reportAgeMinutes(c.report, c.today + c.timeOfDay), c.age);
}

constexpr sys_days kDecember7 = year{2026} / 12 / 7;
constexpr sys_days kMarch1 = year{2026} / 3 / 1;

INSTANTIATE_TEST_SUITE_P(
    Cases, ReportAge,
    testing::Values(AgeCase{"SameDay", "EGLL 071150Z 22006KT", kDecember7, hours{12}, 10},
                    AgeCase{"PreviousMonthsLastDay", "EGLL 282350Z 22006KT", kMarch1, minutes{20}, 30},
                    AgeCase{"ADayOnlyLongMonthsHave", "EGLL 312350Z 22006KT", kMarch1, minutes{20}, 28 * 24 * 60 + 30},
                    AgeCase{"AMinuteAheadOfTheClock", "EGLL 071201Z 22006KT", kDecember7, hours{12}, 0},
                    AgeCase{"TwoMinutesAheadIsLastMonth", "EGLL 071202Z 22006KT", kDecember7, hours{12},
                            30 * 24 * 60 - 2},
                    AgeCase{"NoTimeGroup", "EGLL 22006KT 9999", kDecember7, hours{12}, std::nullopt},
                    AgeCase{"NoSuchDay", "EGLL 321150Z 22006KT", kDecember7, hours{12}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wx
