#include <gtest/gtest.h>

#include <cstdio>

#include "SimTestKit.h"
#include "StandInCommands.h"
#include "sim/NwiRecord.h"
#include "sim/SimLink.h"

namespace wx {
namespace {

using standin::CommandLine;
using standin::parseCommandLine;
using standin::SimModel;
using standin::SimSettings;

TEST(StandInCommandLine, ReadsEveryOption) {
    const CommandLine parsed =
        parseCommandLine({"--lat", "52.3086", "--lon", "4.7639", "--magvar", "-1.5", "--local", "14:30", "--utc",
                          "12:30", "--version", "8", "--ack-delay-ms", "-1", "--class", "UIPCMAIN"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_FALSE(parsed.help);
    EXPECT_EQ(parsed.settings.latitudeDeg, 52.3086);
    EXPECT_EQ(parsed.settings.longitudeDeg, 4.7639);
    EXPECT_EQ(parsed.settings.magVarDeg, -1.5);
    EXPECT_EQ(parsed.settings.localMinutes, 14 * 60 + 30);
    EXPECT_EQ(parsed.settings.utcMinutes, 12 * 60 + 30);
    EXPECT_EQ(parsed.settings.simVersion, 8);
    EXPECT_EQ(parsed.settings.ackDelayMs, -1);
    EXPECT_EQ(parsed.settings.windowClass, "UIPCMAIN");
    EXPECT_TRUE(parseCommandLine({"--help"}).help);
}

TEST(StandInCommandLine, ExplainsWhatItCannotUse) {
    const std::pair<std::vector<std::string>, const char*> kCases[] = {
        {{"--lat", "north"}, "--lat needs a number, not \"north\""},
        {{"--local", "24:00"}, "--local needs a time HH:MM, not \"24:00\""},
        {{"--utc", "12"}, "--utc needs a time HH:MM, not \"12\""},
        {{"--version", "70000"}, "--version needs a number 0..65535, not \"70000\""},
        {{"--ack-delay-ms", "soon"}, "--ack-delay-ms needs a whole number, not \"soon\""},
        {{"--speed", "3"}, "unknown option --speed"},
        {{"--class"}, "option --class needs a value"},
        {{"extra"}, "unexpected argument \"extra\""},
        {{"--lat", "95"}, "--lat must lie within -90..90 and --lon within -180..180"},
    };
    for (const auto& [args, error] : kCases) {
        EXPECT_EQ(parseCommandLine(args).error, error) << args[0];
    }
}

TEST(StandInInput, CarriesOutCommandsAndAnswersEachWithAnEvent) {
    const std::pair<const char*, const char*> kCases[] = {
        {"move 51.4775 -0.4614", R"({"event":"move","lat":51.4775,"lon":-0.4614})"},
        {"version 8", R"({"event":"version","version":8})"},
        {"ack off", R"({"event":"ack","on":false})"},
        {"move 91 0", nullptr},
        {"version -1", nullptr},
        {"ack maybe", nullptr},
        {"fly", nullptr},
    };
    auto model = std::make_shared<SimModel>();
    for (const auto& [line, answer] : kCases) {
        const auto reply = standin::applyInputLine(*model, line);
        if (answer != nullptr) {
            EXPECT_EQ(standin::jsonLine(reply), answer);
        } else {
            EXPECT_EQ(reply["event"], "error") << line;
        }
    }
    EXPECT_EQ(model->simVersion(), 8);
    EXPECT_FALSE(model->ackEnabled());

    test::LoopbackRig rig;
    rig.model = model;
    rig.transport = std::make_shared<standin::LoopbackIpcTransport>(model, rig.clock);
    SimLink link({}, rig.transport, rig.clock);
    EXPECT_FALSE(link.nwiAvailable());
    const auto position = link.readPosition();
    ASSERT_TRUE(position.has_value());
    EXPECT_NEAR(position->latitudeDeg, 51.4775, 1e-9);

    EXPECT_TRUE(standin::isQuitLine(" quit "));
    EXPECT_FALSE(standin::isQuitLine("quit now"));
}

TEST(StandInEvents, PrintsTheRecordWithItsDecodedFields) {
    test::LoopbackRig rig;
    SimLink link({}, rig.transport, rig.clock);
    WeatherData weather;
    weather.stationId = "LFPG";
    weather.elevationM = 119;
    weather.windDirDeg = 250;
    weather.windSpeedKt = 8;
    weather.visibilityM = 8000;
    weather.temperatureC = 21.4f;
    weather.dewpointC = 12.6f;
    weather.qnhHpa = 1018;
    CloudLayer layer;
    layer.baseM = 600;
    layer.coverOktas = 4;
    layer.type = "CU";
    weather.clouds = {layer};
    ASSERT_TRUE(link.writeWeather(weather, 0.0));
    ASSERT_TRUE(link.showText("Nubiro \"quoted\"", 12));
    ASSERT_TRUE(link.activatePending());
    const auto& events = rig.model->events();
    ASSERT_EQ(events.size(), 3u);
    auto recordJson = standin::eventToJson(events[0]);
    // The bytes as written: the command word, then the record from byte 4 on.
    const NwiRecord written = buildNwiRecord(weather, 0.0);
    std::string hex = "01010000";
    for (size_t i = 4; i < written.size(); ++i) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", written[i]);
        hex += pair;
    }
    EXPECT_EQ(recordJson["hex"], hex);
    recordJson.erase("hex");
    EXPECT_EQ(standin::jsonLine(recordJson),
              R"({"event":"record","station":"LFPG","qnhHpa":1018.0,"visibilityM":7998,)"
              R"("temperatures":[{"altitudeM":119,"temperatureC":21,"dewpointC":13}],)"
              R"("winds":[{"altitudeM":1119,"speedKt":8,"gustKt":0,"directionDeg":250,"turbulence":0}],)"
              R"("clouds":[{"baseM":719,"topM":2719,"coverOktas":4,"typeCode":9,"turbulence":0,"icing":0,)"
              R"("precipType":0,"precipRate":0}]})");
    EXPECT_EQ(standin::jsonLine(standin::eventToJson(events[1])),
              R"({"event":"text","text":"Nubiro \"quoted\"","seconds":12})");
    EXPECT_EQ(standin::jsonLine(standin::eventToJson(events[2])),
              R"({"event":"activate","station":"GLOB","stations":["LFPG"]})");
}

TEST(StandInModel, KeepsItsCompletionWordAndTheClockOffset) {
    SimSettings settings;
    settings.localMinutes = 14 * 60 + 30;
    settings.utcMinutes = 12 * 60 + 30;
    SimModel model(settings);
    // A batch writing the completion word, then clock controls with
    // parameters out of range.
    std::vector<uint8_t> area(64, 0);
    const uint8_t batch[] = {2, 0, 0, 0, 0x24, 0xC8, 0, 0, 4, 0, 0, 0, 9, 9, 9, 9,
                             2, 0, 0, 0, 0x10, 0x31, 0, 0, 8, 0, 0, 0, 0x64, 4, 0, 0, 30, 0, 0, 0};
    std::copy(std::begin(batch), std::end(batch), area.begin());
    EXPECT_EQ(model.carryOut(area.data(), area.size(), {}), 1u);
    EXPECT_EQ(model.peek(0xC824, 4), std::vector<uint8_t>(4, 0));
    EXPECT_TRUE(model.events().empty()) << "hour 30 is not carried out";
    EXPECT_EQ(model.localMinutes(), 14 * 60 + 30);

    area[32] = 23;
    model.carryOut(area.data(), area.size(), {});
    EXPECT_EQ(model.localMinutes(), 23 * 60 + 30);
    EXPECT_EQ(model.utcMinutes(), 21 * 60 + 30);
}

}  // namespace
}  // namespace wx
