#include <gtest/gtest.h>

#include <chrono>
#include <optional>

#include "app/StationCells.h"

namespace wx {
namespace {

using namespace std::chrono;

// 12 March 2026, 13:20 UTC.
constexpr sys_days kMarch12 = year{2026} / 3 / 12;
const system_clock::time_point kNow = kMarch12 + hours(13) + minutes(20);

UpperAirLayer layer(int32_t altitudeM, int32_t dirDeg, int32_t speedKt, std::optional<float> temperatureC) {
    UpperAirLayer result;
    result.altitudeM = altitudeM;
    result.windDirDeg = dirDeg;
    result.windSpeedKt = speedKt;
    result.hasTemperature = temperatureC.has_value();
    result.temperatureC = temperatureC.value_or(0.0f);
    return result;
}

TEST(StationCells, EveryColumn) {
    WeatherData weather;
    weather.windDirDeg = 5;
    weather.windSpeedKt = 7;
    weather.qnhHpa = 998;
    weather.visibilityM = 4500;
    weather.temperatureC = -3.4f;
    weather.turbulence = 2;
    weather.precipType = 1;
    weather.precipRate = 3;
    weather.clouds.resize(3);
    weather.clouds[1].icing = 2;
    weather.clouds[2].icing = 1;
    weather.upperAir = {layer(3048, 250, 45, -17.4f)};
    weather.rawMetar = "EGLL 121250Z 00507KT 4500 RA Q0998";
    EXPECT_EQ(stationCells(weather, 42.4, kNow),
              (StationCells{"IFR", "42", "30", "005/07", "998", "4500", "-3", "3", "2", "2", "RA3", "FL100 250/45 -17C"}));

    const WeatherData calm;
    EXPECT_EQ(stationCells(calm, 0.0, kNow),
              (StationCells{"VFR", "0", "\xE2\x80\x94", "000/00", "1013", "9999", "15", "0", "0", "0", "-", "-"}));
}

TEST(StationCells, RoleNames) {
    EXPECT_EQ(stationRoleCell(StationRole::Nearest), "");
    EXPECT_EQ(stationRoleCell(StationRole::Departure), "DEP");
    EXPECT_EQ(stationRoleCell(StationRole::Destination), "DEST");
    EXPECT_EQ(stationRoleCell(StationRole::Alternate), "ALTN");
    EXPECT_EQ(stationRoleCell(StationRole::Route), "ROUTE");
}

TEST(StationCells, Precipitation) {
    struct Case {
        int32_t type;
        int32_t rate;
        const char* expected;
    };
    for (const Case& c : {Case{1, 3, "RA3"}, Case{2, 5, "SN5"}, Case{0, 4, "-"}, Case{3, 1, "-"}}) {
        WeatherData weather;
        weather.precipType = c.type;
        weather.precipRate = c.rate;
        EXPECT_EQ(stationCells(weather, 0.0, kNow)[10], c.expected) << c.type;
    }
}

// Just below zero is "0", as a report gives it (M00 aside), at the surface
// and aloft; further below it keeps its sign.
TEST(StationCells, TemperatureAroundZero) {
    struct Case {
        float temperatureC;
        const char* expected;
    };
    for (const Case& c : {Case{-0.4f, "0"}, Case{-0.5f, "0"}, Case{-0.6f, "-1"}, Case{0.4f, "0"}, Case{-3.4f, "-3"}}) {
        WeatherData weather;
        weather.temperatureC = c.temperatureC;
        weather.upperAir = {layer(3048, 250, 45, c.temperatureC)};
        const StationCells cells = stationCells(weather, 0.0, kNow);
        EXPECT_EQ(cells[6], c.expected) << c.temperatureC;
        EXPECT_EQ(cells[11], std::string("FL100 250/45 ") + c.expected + "C") << c.temperatureC;
    }
}

// A report past 90 minutes is marked; one without a time group has no age.
TEST(StationCells, ReportAge) {
    struct Case {
        const char* raw;
        const char* expected;
    };
    for (const Case& c : {Case{"EGLL 121150Z 27012KT", "90"}, Case{"EGLL 121149Z 27012KT", "91 !"},
                          Case{"EGLL 27012KT 9999", "?"}}) {
        EXPECT_EQ(reportAgeCell(c.raw, kNow), c.expected) << c.raw;
    }
}

TEST(StationCells, UpperAirSummary) {
    struct Case {
        std::vector<UpperAirLayer> layers;
        std::string expected;
    };
    std::vector<UpperAirLayer> eight;
    for (int i = 1; i <= 8; ++i) {
        eight.push_back(layer(i * 1000, 10 * i, i, std::nullopt));
    }
    const Case cases[] = {
        {{}, "-"},
        {{layer(3048, 250, 45, -17.4f)}, "FL100 250/45 -17C"},
        {{layer(3048, 250, 45, std::nullopt)}, "FL100 250/45"},
        {{layer(15, 90, 3, 12.6f)}, "FL000 090/03 13C"},
        {{layer(3048, 250, 45, -17.4f), layer(5574, 265, 60, std::nullopt)}, "FL100 250/45 -17C | FL183 265/60"},
        {eight, "FL033 010/01 | FL066 020/02 | FL098 030/03 | FL131 040/04 | FL164 050/05 | FL197 060/06"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(upperAirSummary(c.layers), c.expected);
    }
}

TEST(StationCells, FlightLevelRoundsHalvesAwayFromZero) {
    struct Case {
        int32_t altitudeM;
        int32_t expected;
    };
    // 1524 m is exactly FL050; 15.24 m exactly half a level.
    for (const Case& c : {Case{0, 0}, Case{15, 0}, Case{16, 1}, Case{1524, 50}, Case{3048, 100}, Case{-16, -1},
                          Case{12497, 410}}) {
        EXPECT_EQ(flightLevel(c.altitudeM), c.expected) << c.altitudeM;
    }
}

}  // namespace
}  // namespace wx
