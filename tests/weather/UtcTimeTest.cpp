#include <gtest/gtest.h>

#include "weather/UtcTime.h"

namespace wx {
namespace {

struct TimeCase {
    const char* text;
    const char* read;  // as formatUtcTime writes it; null: no time
};

class UtcTimeText : public testing::TestWithParam<TimeCase> {};

TEST_P(UtcTimeText, ReadsTheServicesFormOnly) {
    const auto time = parseUtcTime(GetParam().text);
    if (GetParam().read == nullptr) {
        EXPECT_FALSE(time) << formatUtcTime(*time);
    } else {
        ASSERT_TRUE(time);
        EXPECT_EQ(formatUtcTime(*time), GetParam().read);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UtcTimeText,
    testing::Values(TimeCase{"2026-10-02T15:00:00Z", "2026-10-02T15:00:00.000Z"},
                    TimeCase{"2026-10-02T15:00Z", "2026-10-02T15:00:00.000Z"},
                    TimeCase{"2026-10-02T19:38:30.942Z", "2026-10-02T19:38:30.942Z"},
                    TimeCase{"2024-02-29T23:59:59.9999+00:00", "2024-02-29T23:59:59.999Z"},
                    TimeCase{"1969-12-31T23:59:59.5Z", "1969-12-31T23:59:59.500Z"},
                    TimeCase{"2026-10-02T15:00:00", nullptr}, TimeCase{"2026-10-02T15:00:00+01:00", nullptr},
                    TimeCase{"2026-10-02 15:00:00Z", nullptr}, TimeCase{"2026-10-02T15:00:00.Z", nullptr},
                    TimeCase{"2025-02-29T12:00Z", nullptr}, TimeCase{"2026-10-02T15:60Z", nullptr},
                    TimeCase{"2026-10-02T15:00:00Zulu", nullptr}, TimeCase{"2026-10-02", nullptr},
                    TimeCase{"", nullptr}));

TEST(UtcClock, StartsWhereToldAndRuns) {
    const auto start = std::chrono::sys_days{std::chrono::year{2026} / 10 / 2} + std::chrono::hours{20};
    const UtcClock clock = clockStartingAt(start);
    const auto first = clock();
    EXPECT_GE(first, start);
    EXPECT_LT(first, start + std::chrono::seconds{5});
    EXPECT_GE(clock(), first);
}

}  // namespace
}  // namespace wx
