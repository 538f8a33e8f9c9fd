#include <gtest/gtest.h>

#include "app/StationEntry.h"

namespace wx {
namespace {

using Stations = std::vector<std::string>;

TEST(StationEntry, IdentifierFromEntry) {
    struct Case {
        const char* entry;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"EGLL", "EGLL"},
        {"egll", "EGLL"},
        {"eg1l", "EG1L"},
        {"EGL", std::nullopt},
        {"EGLLX", std::nullopt},
        {"", std::nullopt},
        {"\xD0\x96\xD0\x96", std::nullopt},  // two Cyrillic letters, four bytes
        {"\xC3\x84" "BC", std::nullopt},     // A with diaeresis, B, C
    };
    for (const Case& c : cases) {
        EXPECT_EQ(stationIdFromEntry(c.entry), c.expected) << c.entry;
    }
}

TEST(StationEntry, AddsNewIdentifiersAtTheEndOnly) {
    Stations stations = {"EGLL", "EDDF"};
    EXPECT_FALSE(addStationEntry(stations, "egll"));
    EXPECT_FALSE(addStationEntry(stations, "EGL"));
    EXPECT_TRUE(addStationEntry(stations, "lfpg"));
    EXPECT_EQ(stations, (Stations{"EGLL", "EDDF", "LFPG"}));
}

TEST(StationEntry, RemovesOnlyAValidSelection) {
    Stations stations = {"EGLL", "EDDF", "LFPG"};
    EXPECT_FALSE(removeStationAt(stations, -1));
    EXPECT_FALSE(removeStationAt(stations, 3));
    EXPECT_TRUE(removeStationAt(stations, 1));
    EXPECT_EQ(stations, (Stations{"EGLL", "LFPG"}));
}

}  // namespace
}  // namespace wx
