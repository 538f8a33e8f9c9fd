#include <gtest/gtest.h>

#include "SimTestKit.h"
#include "sim/LittleEndian.h"
#include "sim/SimLink.h"

namespace wx {
namespace {

using standin::ActivateEvent;
using standin::ClearEvent;
using standin::InitEvent;
using standin::RecordEvent;
using standin::SimSettings;
using test::eventsOf;
using test::LogLines;
using test::LogRecorder;
using test::LoopbackRig;
using std::chrono::milliseconds;

WeatherData amsterdam() {
    WeatherData weather;
    weather.stationId = "EHAM";
    weather.elevationM = -3;
    weather.windDirDeg = 240;
    weather.windSpeedKt = 12;
    weather.turbulence = 1;
    CloudLayer low;
    low.baseM = 300;
    low.coverOktas = 3;
    low.type = "SC";
    low.icing = 1;
    CloudLayer high = low;
    high.baseM = 2400;
    high.icing = 2;
    weather.clouds = {low, high};
    return weather;
}

class SimLinkTest : public ::testing::Test {
protected:
    explicit SimLinkTest(const SimSettings& settings = {}) : rig(settings) {}

    std::unique_ptr<SimLink> connect() {
        auto link = std::make_unique<SimLink>(log.fn(), rig.transport, rig.clock);
        log.clear();
        return link;
    }

    LoopbackRig rig;
    LogRecorder log;
};

TEST_F(SimLinkTest, ConnectsAndEnablesNwiForVersionSeven) {
    SimLink link(log.fn(), rig.transport, rig.clock);
    EXPECT_TRUE(link.connected());
    EXPECT_TRUE(link.nwiAvailable());
    EXPECT_EQ(log.lines(), (LogLines{"[INFO] FS version (0x3308): 7 \xE2\x86\x92 NWI enabled"}));
    EXPECT_EQ(rig.transport->areaNames().size(), 1u);
}

struct ConnectCase {
    const char* name;
    void (*arrange)(LoopbackRig&);
    bool connected;
    size_t opens;  // areas created
    LogLines log;
};

class SimLinkConnectTest : public ::testing::TestWithParam<ConnectCase> {};

TEST_P(SimLinkConnectTest, OpensForSevenThenForAnySimulator) {
    const ConnectCase& c = GetParam();
    LoopbackRig rig;
    c.arrange(rig);
    LogRecorder log;
    SimLink link(log.fn(), rig.transport, rig.clock);
    EXPECT_EQ(link.connected(), c.connected);
    EXPECT_FALSE(link.nwiAvailable());
    EXPECT_EQ(rig.transport->areaNames().size(), c.opens);
    EXPECT_EQ(log.lines(), c.log);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SimLinkConnectTest,
    ::testing::Values(
        ConnectCase{"OtherVersion", [](LoopbackRig& r) { r.model->setSimVersion(8); }, true, 2,
                    {"[INFO] FS version (0x3308): 8 \xE2\x86\x92 NWI not available"}},
        ConnectCase{"NoSimulator", [](LoopbackRig& r) { r.transport->setRunning(false); }, false, 0,
                    {"[ERROR] FSUIPC connection failed."}},
        ConnectCase{"RefusedBatch", [](LoopbackRig& r) { r.model->setReplyValue(0); }, false, 1,
                    {"[ERROR] FSUIPC connection failed."}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SimLinkTest, ClosesTheClientWhenDestroyed) {
    connect().reset();
    EXPECT_EQ(rig.transport->liveAreas(), 0u);
    EXPECT_EQ(rig.transport->liveAtoms(), 0u);
}

TEST_F(SimLinkTest, WritesTheRecordAsWordsThenTheCommandAndLogsTheAcknowledgement) {
    auto link = connect();
    ASSERT_TRUE(link->writeWeather(amsterdam(), 0.0));
    EXPECT_EQ(log.lines(), (LogLines{"[OK] [EHAM] OK: wind 12kt, QNH 1013, vis 9999m, clouds=2, turb=1, ice=2"}));

    const auto records = eventsOf<RecordEvent>(*rig.model);
    ASSERT_EQ(records.size(), 1u);
    const standin::DecodedNwiRecord& record = records[0].record;
    EXPECT_EQ(record.station, "EHAM");
    EXPECT_EQ(record.qnhHpa, 1013.0);
    ASSERT_EQ(record.temperatures.size(), 1u);
    EXPECT_EQ(record.temperatures[0].altitudeM, 0);
    ASSERT_EQ(record.winds.size(), 1u);
    EXPECT_EQ(record.winds[0].altitudeM, 997);
    EXPECT_EQ(record.winds[0].directionDeg, 240);
    ASSERT_EQ(record.clouds.size(), 2u);
    EXPECT_EQ(record.clouds[0].baseM, 297);
    EXPECT_EQ(record.clouds[0].topM, 2297);
    EXPECT_EQ(rig.model->pendingRecords().count("EHAM"), 1u);

    // The batch before the acknowledgement reads: 255 words from 0xC804
    // upwards, then 0xC802 and, last, the command word.
    const auto& batches = rig.transport->batches();
    const auto& write = batches[batches.size() - 2];
    ASSERT_EQ(write.size(), 255u * 16 + 2 * 14 + 4);
    for (uint32_t i = 0; i < 255; ++i) {
        ASSERT_EQ(loadLe32(&write[16 * i]), 2u);
        ASSERT_EQ(loadLe32(&write[16 * i + 4]), 0xC804 + 4 * i);
        ASSERT_EQ(loadLe32(&write[16 * i + 8]), 4u);
    }
    EXPECT_EQ(loadLe32(&write[4080 + 4]), 0xC802u);
    EXPECT_EQ(loadLe16(&write[4080 + 12]), 0);
    EXPECT_EQ(loadLe32(&write[4094 + 4]), 0xC800u);
    EXPECT_EQ(loadLe16(&write[4094 + 12]), 257);
}

TEST_F(SimLinkTest, WriteWithoutNwiWarnsAndSendsNothing) {
    rig.model->setSimVersion(8);
    auto link = connect();
    const int sends = rig.transport->sendCount();
    EXPECT_FALSE(link->writeWeather(amsterdam(), 0.0));
    EXPECT_EQ(log.lines(), (LogLines{"[WARN] NWI not available."}));
    EXPECT_EQ(rig.transport->sendCount(), sends);
}

TEST_F(SimLinkTest, WriteOnAnUnconnectedLinkWarnsAboutNwi) {
    rig.transport->setRunning(false);
    auto link = connect();
    EXPECT_FALSE(link->writeWeather(amsterdam(), 0.0));
    EXPECT_EQ(log.lines(), (LogLines{"[WARN] NWI not available."}));
}

TEST_F(SimLinkTest, ASimulatorThatWentAwayClosesTheLinkOnce) {
    auto link = connect();
    log.clear();
    rig.transport->setRunning(false);
    EXPECT_FALSE(link->writeWeather(amsterdam(), 0.0));
    EXPECT_FALSE(link->connected());
    EXPECT_FALSE(link->writeWeather(amsterdam(), 0.0));
    link->initWeather();
    EXPECT_EQ(log.lines(), (LogLines{"[ERROR] FSUIPC connection lost."}));
    EXPECT_EQ(rig.transport->liveAreas(), 0u);
}

TEST_F(SimLinkTest, RefusedWriteIsLoggedAsFailed) {
    auto link = connect();
    rig.model->setReplyValue(0);
    EXPECT_FALSE(link->writeWeather(amsterdam(), 0.0));
    EXPECT_EQ(log.lines(), (LogLines{"[ERROR] [EHAM] NWI write failed"}));
}

struct AckCase {
    const char* name;
    int32_t ackDelayMs;  // negative: never
    bool written;
    milliseconds minWait;
    milliseconds maxWait;
};

class SimLinkAckTest : public ::testing::TestWithParam<AckCase> {};

TEST_P(SimLinkAckTest, WaitsUpToThreeSecondsForTheCompletionWord) {
    const AckCase& c = GetParam();
    SimSettings settings;
    settings.ackDelayMs = c.ackDelayMs;
    LoopbackRig rig(settings);
    LogRecorder log;
    SimLink link(log.fn(), rig.transport, rig.clock);
    log.clear();
    const auto start = rig.clock->elapsed();
    EXPECT_EQ(link.writeWeather(amsterdam(), 0.0), c.written);
    const auto waited = rig.clock->elapsed() - start;
    EXPECT_GE(waited, c.minWait);
    EXPECT_LE(waited, c.maxWait);
    ASSERT_EQ(log.lines().size(), 1u);
    if (c.written) {
        EXPECT_EQ(log.lines().at(0).rfind("[OK] ", 0), 0u);
    } else {
        EXPECT_EQ(log.lines(), (LogLines{"[WARN] [EHAM] NWI timeout"}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SimLinkAckTest,
    ::testing::Values(AckCase{"AtOnce", 0, true, milliseconds(20), milliseconds(20)},
                      AckCase{"AfterOneSecond", 1000, true, milliseconds(1000), milliseconds(1020)},
                      AckCase{"TooLate", 3500, false, milliseconds(3000), milliseconds(3020)},
                      AckCase{"Never", -1, false, milliseconds(3000), milliseconds(3020)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SimLinkTest, UnreadableCompletionWordIsNoAcknowledgement) {
    auto link = connect();
    ASSERT_TRUE(link->writeWeather(amsterdam(), 0.0));
    ASSERT_NE(rig.model->completionWord(), 0u);
    log.clear();
    // The simulator takes the record and then refuses every batch, as one
    // that went away mid-write: the wait reads nothing and times out.
    rig.model->setAckEnabled(false);
    rig.model->setEventListener([model = rig.model.get()](const standin::SimEvent&) { model->setReplyValue(0); });
    const auto start = rig.clock->elapsed();
    EXPECT_FALSE(link->writeWeather(amsterdam(), 0.0));
    EXPECT_EQ(log.lines(), (LogLines{"[WARN] [EHAM] NWI timeout"}));
    EXPECT_GE(rig.clock->elapsed() - start, milliseconds(3000));
}

TEST_F(SimLinkTest, InitWeatherStartsNwiAndClearsWithAWait) {
    auto link = connect();
    const auto start = rig.clock->elapsed();
    link->initWeather();
    EXPECT_EQ(log.lines(),
              (LogLines{"[INFO] NWI init: dynamics=0, clear weather...", "[OK] NWI init: clear OK."}));
    ASSERT_EQ(rig.model->events().size(), 2u);
    EXPECT_EQ(std::get<InitEvent>(rig.model->events()[0]).dynamics, 0);
    EXPECT_EQ(std::get<ClearEvent>(rig.model->events()[1]).station, "GLOB");
    EXPECT_EQ(rig.clock->elapsed() - start, milliseconds(300 + 20 + 1000));

    const auto& clear = rig.transport->batches()[rig.transport->batches().size() - 2];
    ASSERT_EQ(clear.size(), 16u + 14 + 14 + 4);
    EXPECT_EQ(loadLe32(&clear[4]), 0xC808u);
    EXPECT_EQ(std::string(clear.begin() + 12, clear.begin() + 16), "GLOB");
    EXPECT_EQ(loadLe32(&clear[16 + 4]), 0xC802u);
    EXPECT_EQ(loadLe32(&clear[30 + 4]), 0xC800u);
    EXPECT_EQ(loadLe16(&clear[30 + 12]), 3);
}

TEST_F(SimLinkTest, InitWeatherWarnsWhenTheClearIsNotAcknowledged) {
    auto link = connect();
    rig.model->setAckEnabled(false);
    const auto start = rig.clock->elapsed();
    link->initWeather();
    EXPECT_EQ(log.lines(),
              (LogLines{"[INFO] NWI init: dynamics=0, clear weather...", "[WARN] NWI init: clear timeout."}));
    EXPECT_EQ(rig.clock->elapsed() - start, milliseconds(300 + 2000 + 1000));
}

TEST_F(SimLinkTest, ActivatePendingDoesNotWaitForTheAcknowledgement) {
    auto link = connect();
    ASSERT_TRUE(link->writeWeather(amsterdam(), 0.0));
    log.clear();
    rig.model->setAckEnabled(false);
    const auto start = rig.clock->elapsed();
    EXPECT_TRUE(link->activatePending());
    EXPECT_EQ(log.lines(), (LogLines{"[OK] NWI: pending weather activated."}));
    EXPECT_EQ(rig.clock->elapsed() - start, milliseconds(300));
    const auto activations = eventsOf<ActivateEvent>(*rig.model);
    ASSERT_EQ(activations.size(), 1u);
    EXPECT_EQ(activations[0].stations, std::vector<std::string>{"EHAM"});
    EXPECT_EQ(rig.model->activeRecords().count("EHAM"), 1u);

    rig.model->setReplyValue(0);
    log.clear();
    EXPECT_FALSE(link->activatePending());
    EXPECT_TRUE(log.lines().empty());
}

}  // namespace
}  // namespace wx
