// The simulator link against fsuipc-sim.exe in a process of its own,
// through the real Win32 protocol: window lookup, registered message, global
// atom, named mapping and SendMessageTimeout.

#include <gtest/gtest.h>

#include <chrono>

#include "platform/PlatformDefaults.h"
#include "sim/FsuipcClient.h"
#include "sim/LittleEndian.h"
#include "sim/SimLink.h"
#include "support/LogRecorder.h"
#include "support/win32/StandInProcess.h"

namespace wx {
namespace {

using test::StandInProcess;
using LogLines = std::vector<std::string>;

class CrossProcessTest : public ::testing::Test {
protected:
    void SetUp() override { installPlatformDefaults(); }

    LogFn recorder() { return log.fn(); }

    test::LogRecorder log;
};

WeatherData amsterdam() {
    WeatherData weather;
    weather.stationId = "EHAM";
    weather.elevationM = -3;
    weather.windDirDeg = 240;
    weather.windSpeedKt = 12;
    weather.temperatureC = 7.0f;
    weather.dewpointC = 3.0f;
    CloudLayer layer;
    layer.baseM = 300;
    layer.coverOktas = 3;
    layer.type = "SC";
    layer.source = "METAR";
    weather.clouds = {layer};
    return weather;
}

TEST_F(CrossProcessTest, WithoutTheSimulatorNothingConnects) {
    FsuipcClient client;
    EXPECT_FALSE(client.open(0));
    EXPECT_EQ(client.result(), FsuipcResult::NoWindow);
    SimLink link(recorder());
    EXPECT_FALSE(link.connected());
    EXPECT_EQ(log.lines(), (LogLines{"[ERROR] FSUIPC connection failed."}));
}

TEST_F(CrossProcessTest, ReadsWritesAndDrivesTheStandIn) {
    StandInProcess standIn(
        {"--lat", "52.3086", "--lon", "4.7639", "--magvar", "-1.5", "--local", "14:30", "--utc", "12:30"});
    ASSERT_TRUE(standIn.started());

    {
        FsuipcClient client;
        ASSERT_TRUE(client.open(7)) << static_cast<int>(client.result());
        EXPECT_GE(client.moduleVersion(), 0x19980005u);
        EXPECT_EQ(client.simVersion(), 7u);
        uint8_t version[4] = {};
        uint8_t clock[2] = {};
        ASSERT_TRUE(client.read(0x3308, 4, version));
        ASSERT_TRUE(client.read(0x0238, 2, clock));
        ASSERT_TRUE(client.process()) << static_cast<int>(client.result());
        EXPECT_EQ(loadLe32(version), 0xFADE0007u);
        EXPECT_EQ(clock[0], 14);
        EXPECT_EQ(clock[1], 30);
    }

    SimLink link(recorder());
    ASSERT_TRUE(link.connected());
    EXPECT_TRUE(link.nwiAvailable());
    const auto position = link.readPosition();
    ASSERT_TRUE(position.has_value());
    EXPECT_NEAR(position->latitudeDeg, 52.3086, 1e-9);
    EXPECT_NEAR(position->longitudeDeg, 4.7639, 1e-9);
    EXPECT_NEAR(link.readMagneticVariation(), -1.5, 0.01);

    link.initWeather();
    ASSERT_TRUE(standIn.waitForEvent("init"));
    const auto clear = standIn.waitForEvent("clear");
    ASSERT_TRUE(clear);
    EXPECT_EQ((*clear)["station"], "GLOB");

    ASSERT_TRUE(link.writeWeather(amsterdam(), -1.5));
    const auto record = standIn.waitForEvent("record");
    ASSERT_TRUE(record);
    EXPECT_EQ((*record)["station"], "EHAM");
    EXPECT_EQ((*record)["temperatures"][0]["altitudeM"], 0);
    EXPECT_EQ((*record)["temperatures"][0]["temperatureC"], 7);
    EXPECT_EQ((*record)["winds"][0]["altitudeM"], 997);
    EXPECT_EQ((*record)["clouds"][0]["baseM"], 297);
    EXPECT_EQ((*record)["clouds"][0]["topM"], 2297);

    ASSERT_TRUE(link.activatePending());
    const auto activated = standIn.waitForEvent("activate");
    ASSERT_TRUE(activated);
    EXPECT_EQ((*activated)["stations"], nlohmann::json::array({"EHAM"}));

    ASSERT_TRUE(link.syncTime(23, 50));
    ASSERT_TRUE(standIn.waitForEvent("time"));
    const auto time = standIn.waitForEvent("time");
    ASSERT_TRUE(time);
    EXPECT_EQ((*time)["local"], "01:50");
    EXPECT_EQ((*time)["utc"], "23:50");

    ASSERT_TRUE(link.showText("EHAM 121225Z 24012KT", 15));
    const auto text = standIn.waitForEvent("text");
    ASSERT_TRUE(text);
    EXPECT_EQ((*text)["text"], "EHAM 121225Z 24012KT");
    EXPECT_EQ((*text)["seconds"], 15);

    EXPECT_EQ(log.lines(), (LogLines{"[INFO] FS version (0x3308): 7 \xE2\x86\x92 NWI enabled",
                             "[INFO] NWI init: dynamics=0, clear weather...",
                             "[OK] NWI init: clear OK.",
                             "[OK] [EHAM] OK: wind 12kt, QNH 1013, vis 9999m, clouds=1, turb=0, ice=0",
                             "[OK] NWI: pending weather activated.",
                             "[INFO] Time sync: offset +120 min, Zulu 23:50 \xE2\x86\x92 Local 01:50"}));

    standIn.sendLine("move -33.9461 151.1772");
    ASSERT_TRUE(standIn.waitForEvent("move"));
    const auto moved = link.readPosition();
    ASSERT_TRUE(moved.has_value());
    EXPECT_NEAR(moved->latitudeDeg, -33.9461, 1e-9);
    EXPECT_NEAR(moved->longitudeDeg, 151.1772, 1e-9);
}

TEST_F(CrossProcessTest, UnacknowledgedRecordTimesOutAfterThreeSeconds) {
    StandInProcess standIn({"--ack-delay-ms", "-1"});
    ASSERT_TRUE(standIn.started());
    SimLink link(recorder());
    ASSERT_TRUE(link.nwiAvailable());
    log.clear();

    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(link.writeWeather(amsterdam(), 0.0));
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(2900));
    EXPECT_LT(waited, std::chrono::milliseconds(6000));
    EXPECT_EQ(log.lines(), (LogLines{"[WARN] [EHAM] NWI timeout"}));
    EXPECT_TRUE(standIn.waitForEvent("record")) << "taken, only not acknowledged";

    standIn.sendLine("ack on");
    ASSERT_TRUE(standIn.waitForEvent("ack"));
    log.clear();
    EXPECT_TRUE(link.writeWeather(amsterdam(), 0.0));
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(log.lines()[0].rfind("[OK] ", 0), 0u);
}

TEST_F(CrossProcessTest, OtherSimulatorVersionLeavesNwiOff) {
    StandInProcess standIn({"--version", "8", "--class", "UIPCMAIN"});
    ASSERT_TRUE(standIn.started());
    {
        SimLink link(recorder());
        ASSERT_TRUE(link.connected());
        EXPECT_FALSE(link.nwiAvailable());
        EXPECT_FALSE(link.writeWeather(amsterdam(), 0.0));
    }
    EXPECT_EQ(log.lines(), (LogLines{"[INFO] FS version (0x3308): 8 \xE2\x86\x92 NWI not available",
                             "[WARN] NWI not available."}));

    standIn.sendLine("version 7");
    ASSERT_TRUE(standIn.waitForEvent("version"));
    SimLink link({});
    EXPECT_TRUE(link.nwiAvailable());
}

TEST_F(CrossProcessTest, StandInEndsWithItsInput) {
    StandInProcess standIn({});
    ASSERT_TRUE(standIn.started());
    EXPECT_EQ(standIn.closeInputAndWait(std::chrono::seconds(30)), DWORD{0});
    EXPECT_TRUE(standIn.waitForEvent("quit"));
    FsuipcClient client;
    EXPECT_FALSE(client.open(0));
    EXPECT_EQ(client.result(), FsuipcResult::NoWindow);
}

}  // namespace
}  // namespace wx
