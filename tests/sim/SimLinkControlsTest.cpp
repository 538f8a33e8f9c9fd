#include <gtest/gtest.h>

#include <cmath>

#include "SimTestKit.h"
#include "sim/LittleEndian.h"
#include "sim/SimLink.h"

namespace wx {
namespace {

using standin::ClockEvent;
using standin::DateEvent;
using standin::SimSettings;
using standin::TextEvent;
using test::eventsOf;
using test::LogLines;
using test::LogRecorder;
using test::LoopbackRig;

std::vector<uint8_t> le64(int64_t value) {
    std::vector<uint8_t> bytes(8);
    storeLe64(bytes.data(), static_cast<uint64_t>(value));
    return bytes;
}

TEST(SimLinkPosition, ReadsThePositionTheSimulatorEncodes) {
    SimSettings settings;
    settings.latitudeDeg = 55.9726;
    settings.longitudeDeg = -37.4146;
    LoopbackRig rig(settings);
    SimLink link({}, rig.transport, rig.clock);
    const auto position = link.readPosition();
    ASSERT_TRUE(position.has_value());
    EXPECT_NEAR(position->latitudeDeg, 55.9726, 1e-9);
    EXPECT_NEAR(position->longitudeDeg, -37.4146, 1e-9);
}

struct PositionCase {
    const char* name;
    int64_t latitudeWord;
    int64_t longitudeWord;
    bool present;
};

class SimLinkPositionBoundsTest : public ::testing::TestWithParam<PositionCase> {};

constexpr int64_t kNinetyDegrees = 10001750LL * 65536 * 65536;

TEST_P(SimLinkPositionBoundsTest, RefusesPositionsOffTheGlobe) {
    const PositionCase& c = GetParam();
    LoopbackRig rig;
    rig.model->poke(0x0560, le64(c.latitudeWord));
    rig.model->poke(0x0568, le64(c.longitudeWord));
    SimLink link({}, rig.transport, rig.clock);
    EXPECT_EQ(link.readPosition().has_value(), c.present);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SimLinkPositionBoundsTest,
    ::testing::Values(PositionCase{"NorthPole", kNinetyDegrees, 0, true},
                      PositionCase{"SouthPole", -kNinetyDegrees, 0, true},
                      PositionCase{"NinetyFiveNorth", kNinetyDegrees / 90 * 95, 0, false},
                      PositionCase{"BeyondSouthPole", -kNinetyDegrees - kNinetyDegrees / 90, 0, false},
                      PositionCase{"DateLineWest", 0, INT64_MIN, true},
                      PositionCase{"DateLineEast", 0, INT64_MAX, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SimLinkPosition, NothingWithoutASimulator) {
    LoopbackRig rig;
    rig.transport->setRunning(false);
    SimLink link({}, rig.transport, rig.clock);
    EXPECT_FALSE(link.readPosition().has_value());
    EXPECT_EQ(link.readMagneticVariation(), 0.0);
    EXPECT_FALSE(link.syncTime(12, 0));
    EXPECT_FALSE(link.syncDateTime(UtcMillis{}));
    EXPECT_FALSE(link.showText("x", 5));
}

TEST(SimLinkMagneticVariation, ConvertsTheSignedWord) {
    const std::pair<int16_t, double> kCases[] = {{-1820, -9.997}, {1820, 9.997}, {0, 0.0}, {-32768, -180.0}};
    for (const auto& [word, degrees] : kCases) {
        LoopbackRig rig;
        rig.model->poke(0x02A0, {static_cast<uint8_t>(word), static_cast<uint8_t>(static_cast<uint16_t>(word) >> 8)});
        SimLink link({}, rig.transport, rig.clock);
        EXPECT_NEAR(link.readMagneticVariation(), degrees, 0.001) << word;
    }
}

struct TimeCase {
    const char* name;
    const char* local;  // simulator clock, HH:MM
    const char* utc;
    int32_t reportHour;
    int32_t reportMinute;
    uint32_t hourSet;
    uint32_t minuteSet;
    const char* logLine;
};

int32_t minutesOf(const char* text) { return std::atoi(text) * 60 + std::atoi(text + 3); }

class SimLinkTimeTest : public ::testing::TestWithParam<TimeCase> {};

TEST_P(SimLinkTimeTest, SetsTheLocalClockToTheReportTimeShiftedByTheOffset) {
    const TimeCase& c = GetParam();
    SimSettings settings;
    settings.localMinutes = minutesOf(c.local);
    settings.utcMinutes = minutesOf(c.utc);
    LoopbackRig rig(settings);
    LogRecorder log;
    SimLink link(log.fn(), rig.transport, rig.clock);
    log.clear();
    const auto start = rig.clock->elapsed();
    EXPECT_TRUE(link.syncTime(c.reportHour, c.reportMinute));
    EXPECT_EQ(log.lines(), (LogLines{std::string("[INFO] ") + c.logLine}));
    const auto settings_ = eventsOf<ClockEvent>(*rig.model);
    ASSERT_EQ(settings_.size(), 2u);
    EXPECT_EQ(settings_[0].control, 1124u);
    EXPECT_EQ(settings_[0].value, c.hourSet);
    EXPECT_EQ(settings_[1].control, 1125u);
    EXPECT_EQ(settings_[1].value, c.minuteSet);
    EXPECT_EQ(rig.model->localMinutes(), static_cast<int32_t>(c.hourSet * 60 + c.minuteSet));
    EXPECT_EQ(rig.clock->elapsed() - start, std::chrono::milliseconds(400));
    // Each control goes with its parameter in one 8-byte write at 0x3110,
    // since the simulator acts on the control word as soon as it is written.
    const auto& batches = rig.transport->batches();
    const std::vector<uint32_t> expected[] = {{1124, c.hourSet}, {1125, c.minuteSet}};
    for (size_t i = 0; i < 2; ++i) {
        const auto& batch = batches[batches.size() - 2 + i];
        ASSERT_EQ(batch.size(), 12u + 8 + 4);
        EXPECT_EQ(loadLe32(&batch[4]), 0x3110u);
        EXPECT_EQ(loadLe32(&batch[8]), 8u);
        EXPECT_EQ(loadLe32(&batch[12]), expected[i][0]);
        EXPECT_EQ(loadLe32(&batch[16]), expected[i][1]);
    }
}

struct DateTimeCase {
    const char* name;
    const char* local;  // simulator clock, HH:MM
    const char* utc;
    const char* time;   // the UTC time set
    uint16_t dayOfYear;  // the local date written
    uint16_t year;
    int32_t localMinutes;  // the local clock set
};

class SimLinkDateTimeTest : public ::testing::TestWithParam<DateTimeCase> {};

// The date of the local time goes in first, in one batch, then the clock as
// syncTime sets it.
TEST_P(SimLinkDateTimeTest, WritesTheLocalDateThenTheClock) {
    const DateTimeCase& c = GetParam();
    SimSettings settings;
    settings.localMinutes = minutesOf(c.local);
    settings.utcMinutes = minutesOf(c.utc);
    LoopbackRig rig(settings);
    SimLink link({}, rig.transport, rig.clock);
    ASSERT_TRUE(link.syncDateTime(*parseUtcTime(c.time)));
    const auto& events = rig.model->events();
    ASSERT_EQ(events.size(), 3u);
    const auto* date = std::get_if<DateEvent>(&events[0]);
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->dayOfYear, c.dayOfYear);
    EXPECT_EQ(date->year, c.year);
    EXPECT_EQ(std::get<ClockEvent>(events[1]).control, 1124u);
    EXPECT_EQ(std::get<ClockEvent>(events[2]).control, 1125u);
    EXPECT_EQ(rig.model->localMinutes(), c.localMinutes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SimLinkDateTimeTest,
    ::testing::Values(DateTimeCase{"SameDay", "13:00", "12:00", "2022-10-23T14:50:30Z", 296, 2022, 15 * 60 + 50},
                      DateTimeCase{"EastIntoNewYear", "14:00", "12:00", "2021-12-31T23:30Z", 1, 2022, 90},
                      DateTimeCase{"WestIntoLeapDay", "08:00", "12:00", "2024-03-01T02:00Z", 60, 2024, 22 * 60}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Cases, SimLinkTimeTest,
    ::testing::Values(
        TimeCase{"TwoHoursEastAcrossMidnight", "14:30", "12:30", 23, 50, 1, 50,
                 "Time sync: offset +120 min, Zulu 23:50 \xE2\x86\x92 Local 01:50"},
        TimeCase{"LocalAlreadyOnTheNextDay", "00:10", "23:50", 12, 0, 12, 20,
                 "Time sync: offset +20 min, Zulu 12:00 \xE2\x86\x92 Local 12:20"},
        TimeCase{"LocalStillOnThePreviousDay", "23:50", "00:10", 0, 5, 23, 45,
                 "Time sync: offset -20 min, Zulu 00:05 \xE2\x86\x92 Local 23:45"},
        TimeCase{"NoOffset", "09:00", "09:00", 0, 0, 0, 0,
                 "Time sync: offset +0 min, Zulu 00:00 \xE2\x86\x92 Local 00:00"},
        TimeCase{"HalfADayWestStays", "02:00", "14:00", 12, 0, 0, 0,
                 "Time sync: offset -720 min, Zulu 12:00 \xE2\x86\x92 Local 00:00"},
        TimeCase{"JustOverHalfADayEastFolds", "14:01", "02:00", 12, 0, 0, 1,
                 "Time sync: offset -719 min, Zulu 12:00 \xE2\x86\x92 Local 00:01"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SimLinkText, ShowsTheFirst127BytesZeroTerminated) {
    LoopbackRig rig;
    SimLink link({}, rig.transport, rig.clock);
    std::string text;
    for (int i = 0; i < 200; ++i) {
        text += static_cast<char>('A' + i % 26);
    }
    EXPECT_TRUE(link.showText(text, 40000));
    const auto shown = eventsOf<TextEvent>(*rig.model);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, text.substr(0, 127));
    EXPECT_EQ(shown[0].seconds, 7232) << "only the low 15 bits of the time";
    EXPECT_EQ(rig.model->peek(0x3380 + 127, 1), std::vector<uint8_t>{0});

    const auto& batch = rig.transport->batches().back();
    ASSERT_EQ(batch.size(), 32u * 16 + 14 + 4);
    for (uint32_t i = 0; i < 32; ++i) {
        ASSERT_EQ(loadLe32(&batch[16 * i + 4]), 0x3380 + 4 * i);
    }
    EXPECT_EQ(loadLe32(&batch[512 + 4]), 0x32FAu);
}

TEST(SimLinkText, ShortTextClearsWhatAnEarlierOneLeft) {
    LoopbackRig rig;
    SimLink link({}, rig.transport, rig.clock);
    ASSERT_TRUE(link.showText("A much longer message", 10));
    ASSERT_TRUE(link.showText("Short", 5));
    const auto shown = eventsOf<TextEvent>(*rig.model);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].text, "Short");
    EXPECT_EQ(shown[1].seconds, 5);
}

}  // namespace
}  // namespace wx
