#include <gtest/gtest.h>

#include "app/ArrivalField.h"

namespace wx {
namespace {

UtcMillis at(const char* text) { return *parseUtcTime(text); }

TEST(ArrivalField, ReadsAClockTimeAsTheNextOneAndADateWithItsTime) {
    const UtcMillis now = at("2026-12-08T16:40:30Z");
    struct Case {
        const char* typed;
        ArrivalReading expected;
    };
    const Case cases[] = {
        {"", {}},
        {"   ", {}},
        {"18:05", {true, at("2026-12-08T18:05:00Z")}},
        {" 16:40 ", {true, at("2026-12-08T16:40:00Z")}},
        {"16:39", {true, at("2026-12-09T16:39:00Z")}},
        {"00:00", {true, at("2026-12-09T00:00:00Z")}},
        {"2026-12-31 23:59", {true, at("2026-12-31T23:59:00Z")}},
        {"2026-12-09T07:15Z", {true, at("2026-12-09T07:15:00Z")}},
        {"2026-12-07 10:00", {true, at("2026-12-07T10:00:00Z")}},
        {"24:00", {false, {}}},
        {"12:60", {false, {}}},
        {"1:30", {false, {}}},
        {"1630", {false, {}}},
        {"16:50Z", {true, at("2026-12-08T16:50:00Z")}},
        {"16:50ZZ", {false, {}}},
        {"2026-02-30 10:00", {false, {}}},
        {"2026-12-08", {false, {}}},
        {"2026/12/08 10:00", {false, {}}},
        {"tomorrow", {false, {}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(readArrivalField(c.typed, now), c.expected) << c.typed;
    }
}

}  // namespace
}  // namespace wx
