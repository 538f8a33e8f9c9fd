// nubiro-cli.exe run against fsuipc-sim.exe and the web-services stand-in,
// each in a process of its own: the engine as a pilot without a window runs
// it, through the real FSUIPC protocol and WinHTTP.

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <optional>

#include "platform/PlatformDefaults.h"
#include "sources/HttpTransport.h"
#include "support/Environment.h"
#include "support/ServicesSimUser.h"
#include "support/TestData.h"
#include "support/win32/StandInProcess.h"

namespace wx {
namespace {

using nlohmann::json;
using std::chrono::seconds;
using test::ChildProcess;
using test::StandInProcess;

// The next log line of nubiro-cli whose message ends with `ending`.
test::Awaited<json> waitForLog(ChildProcess& cli, const std::string& ending, std::chrono::seconds timeout) {
    return cli.waitFor(
        "a log line ending \"" + ending + "\"",
        [&ending](const json& line) {
            const std::string message = line.value("message", "");
            return line.value("event", "") == "log" && message.size() >= ending.size() &&
                   message.compare(message.size() - ending.size(), ending.size(), ending) == 0;
        },
        timeout);
}

size_t countEvents(const std::vector<std::string>& lines, const std::string& name) {
    size_t count = 0;
    for (const std::string& line : lines) {
        const auto value = json::parse(line, nullptr, false);
        count += value.is_object() && value.value("event", "") == name ? 1 : 0;
    }
    return count;
}

class HeadlessRun : public test::ServicesSimUser<> {
protected:
    void SetUp() override {
        ServicesSimUser::SetUp();
        pointServicesAt(sim_.httpsUrl);
    }

    std::vector<std::string> runArgs(std::vector<std::string> extra) const {
        std::vector<std::string> args{"run", "--sim", "fsuipc", "--airports", test::testDataPath("airports.csv"),
                                      "--interval-sec", "0"};
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    }
};

TEST_F(HeadlessRun, TwoCyclesReachTheSimulator) {
    StandInProcess standIn({"--lat", "51.4706", "--lon", "-0.4619", "--local", "14:30", "--utc", "12:30"});
    ASSERT_TRUE(standIn.started());
    ChildProcess cli(NUBIRO_CLI_EXE, runArgs({"--cycles", "2", "--dense-field", "0", "--max-stations", "3"}),
                     "nubiro-cli");
    ASSERT_TRUE(cli.launched());
    EXPECT_TRUE(waitForLog(cli, "Engine stopped.", seconds(120)));
    EXPECT_EQ(cli.waitForExit(seconds(30)), DWORD{0});
    const auto lines = cli.linesSoFar();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(json::parse(lines.back()), json({{"event", "stopped"}}));
    EXPECT_EQ(countEvents(lines, "station"), 6u);

    const auto events = standIn.quit();
    ASSERT_TRUE(events);
    EXPECT_EQ(countEvents(*events, "init"), 1u);
    EXPECT_EQ(countEvents(*events, "clear"), 1u);
    EXPECT_EQ(countEvents(*events, "time"), 2u);
    EXPECT_EQ(countEvents(*events, "record"), 8u);
    EXPECT_EQ(countEvents(*events, "activate"), 2u);
    EXPECT_EQ(countEvents(*events, "text"), 2u);
}

// A weather time reaches the simulator across processes: its date, then
// its clock, at the weather time shifted by the simulator's offset.
TEST_F(HeadlessRun, AWeatherTimeSetsTheSimulatorsDateAndClock) {
    StandInProcess standIn({"--lat", "51.4706", "--lon", "-0.4619", "--local", "14:30", "--utc", "12:30"});
    ASSERT_TRUE(standIn.started());
    ChildProcess cli(NUBIRO_CLI_EXE,
                     runArgs({"--cycles", "1", "--dense-field", "0", "--max-stations", "3", "--weather-time",
                              "2022-10-23T14:50Z"}),
                     "nubiro-cli");
    ASSERT_TRUE(cli.launched());
    EXPECT_TRUE(waitForLog(cli, "Engine stopped.", seconds(120)));
    EXPECT_EQ(cli.waitForExit(seconds(30)), DWORD{0});
    const auto events = standIn.quit();
    ASSERT_TRUE(events);
    std::vector<json> clock;
    for (const std::string& line : *events) {
        const auto event = json::parse(line, nullptr, false);
        if (event.is_object() && (event.value("event", "") == "date" || event.value("event", "") == "time")) {
            clock.push_back(event);
        }
    }
    ASSERT_EQ(clock.size(), 3u);
    EXPECT_EQ(clock[0], json({{"event", "date"}, {"dayOfYear", 296}, {"year", 2022}}));
    EXPECT_EQ(clock[2].value("local", ""), "16:50");
    EXPECT_EQ(clock[2].value("utc", ""), "14:50");
}

// Mid-Atlantic, no airport within reach: the weather at the aircraft is
// written and activated every cycle.
TEST_F(HeadlessRun, OverOpenWaterTheGlobalPointIsWrittenEveryCycle) {
    StandInProcess standIn({"--lat", "45", "--lon", "-30"});
    ASSERT_TRUE(standIn.started());
    ChildProcess cli(NUBIRO_CLI_EXE, runArgs({"--cycles", "2"}), "nubiro-cli");
    ASSERT_TRUE(cli.launched());
    EXPECT_TRUE(waitForLog(cli, "Engine stopped.", seconds(120)));
    EXPECT_EQ(cli.waitForExit(seconds(30)), DWORD{0});
    const auto events = standIn.quit();
    ASSERT_TRUE(events);
    EXPECT_EQ(countEvents(*events, "record"), 2u);
    EXPECT_EQ(countEvents(*events, "activate"), 2u);
    EXPECT_EQ(countEvents(*events, "text"), 0u);
}

// fsuipc-sim places the stations with the airport list and shows the
// nearest one's weather at the aircraft: the read-back agrees; once it shows
// another QNH, the second cycle that sees it warns.
TEST_F(HeadlessRun, TheReadBackAgreesThenWarnsWhenTheSimulatorDiffers) {
    StandInProcess standIn({"--lat", "51.4706", "--lon", "-0.4619", "--airports", test::testDataPath("airports.csv")});
    ASSERT_TRUE(standIn.started());
    ChildProcess cli(NUBIRO_CLI_EXE, runArgs({"--station-mode", "manual", "--manual-stations", "EGLL"}),
                     "nubiro-cli");
    const auto first = cli.waitForEvent("readback", seconds(120));
    ASSERT_TRUE(first);
    EXPECT_EQ((*first)["stationId"], "EGLL");
    EXPECT_EQ((*first)["matches"], true);
    standIn.sendLine("ambient qnh 990");
    EXPECT_TRUE(waitForLog(cli, "Read-back differs from the weather sent: QNH 990 (sent " +
                                    (*first)["sent"]["qnhHpa"].dump() + ")",
                           seconds(60)));
    cli.sendLine("stop");
    EXPECT_TRUE(waitForLog(cli, "Engine stopped.", seconds(30)));
}

// The service's QNH 6 hPa higher from the second fetch on: with smooth
// changes fsuipc-sim receives it in 1 hPa steps and then keeps it.
TEST_F(HeadlessRun, SmoothChangesBringANewQnhInOneHectopascalSteps) {
    ASSERT_TRUE(sim_.setFault(*control_, "/api/data/metar", "qnh-rise:6"));
    StandInProcess standIn({"--lat", "51.4706", "--lon", "-0.4619"});
    ASSERT_TRUE(standIn.started());
    ChildProcess cli(NUBIRO_CLI_EXE,
                     runArgs({"--station-mode", "manual", "--manual-stations", "EGLL", "--global-layer", "0",
                              "--smooth-changes", "1", "--interval-sec", "2", "--cycles", "8"}),
                     "nubiro-cli");
    ASSERT_TRUE(cli.launched());
    EXPECT_TRUE(waitForLog(cli, "Engine stopped.", seconds(180)));
    const auto events = standIn.quit();
    ASSERT_TRUE(events);
    std::vector<double> qnh;
    for (const std::string& line : *events) {
        const auto event = json::parse(line, nullptr, false);
        if (event.is_object() && event.value("event", "") == "record") {
            qnh.push_back(event["qnhHpa"].get<double>());
        }
    }
    EXPECT_EQ(qnh, (std::vector<double>{1019, 1020, 1021, 1022, 1023, 1024, 1025, 1025}));
}

// The simulator crashes and is started again: the link is closed, looked
// for again, and the new simulator gets its weather.
TEST_F(HeadlessRun, FindsTheSimulatorAgainAfterItDiedAndStopsOnCommand) {
    const std::vector<std::string> options{"--lat", "51.4706", "--lon", "-0.4619"};
    auto standIn = std::make_unique<StandInProcess>(options);
    ASSERT_TRUE(standIn->started());
    ChildProcess cli(NUBIRO_CLI_EXE, runArgs({"--station-mode", "manual", "--manual-stations", "EGLL,EHAM"}),
                     "nubiro-cli");
    ASSERT_TRUE(waitForLog(cli, "NWI: 3 points activated", seconds(120)));
    standIn->kill();
    standIn.reset();
    EXPECT_TRUE(waitForLog(cli, "FSUIPC connection lost.", seconds(60)));
    EXPECT_TRUE(waitForLog(cli, "FSUIPC connection failed.", seconds(60)));
    standIn = std::make_unique<StandInProcess>(options);
    ASSERT_TRUE(standIn->started());
    EXPECT_TRUE(waitForLog(cli, "NWI: 3 points activated", seconds(60)));
    cli.sendLine("stop");
    EXPECT_TRUE(waitForLog(cli, "Engine stopped.", seconds(60)));
    EXPECT_EQ(cli.waitForExit(seconds(30)), DWORD{0});
}

// Through WinHTTP, from Geneva to Southend with Gatwick as alternate, the
// aircraft 140 nm short of Southend: the first cycle writes the destination
// and the alternate from their reports, the departure and the stations 50
// and 100 nm ahead beside the 20 nearest.
TEST_F(HeadlessRun, APlanWritesTheDestinationTheAlternateAndTheRouteInTheFirstCycle) {
    StandInProcess standIn({"--lat", "49.62", "--lon", "2.72"});
    ASSERT_TRUE(standIn.started());
    ChildProcess cli(NUBIRO_CLI_EXE,
                     runArgs({"--cycles", "1", "--plan", test::testDataPath("plans/fs9-long-lsgg-egmc.pln"),
                              "--alternate", "EGKK"}),
                     "nubiro-cli");
    ASSERT_TRUE(cli.launched());
    EXPECT_TRUE(waitForLog(cli, "Engine stopped.", seconds(120)));
    EXPECT_EQ(cli.waitForExit(seconds(30)), DWORD{0});
    std::map<std::string, std::vector<std::string>> byRole;
    std::optional<double> destinationNm;
    for (const std::string& line : cli.linesSoFar()) {
        const auto event = json::parse(line, nullptr, false);
        if (event.is_object() && event.value("event", "") == "station") {
            const std::string role = event.value("role", "nearest");
            byRole[role].push_back(event["stationId"]);
            if (role == "destination") {
                destinationNm = event["distanceNm"].get<double>();
            }
        }
    }
    using Ids = std::vector<std::string>;
    EXPECT_EQ(byRole["destination"], Ids{"EGMC"});
    EXPECT_EQ(byRole["alternate"], Ids{"EGKK"});
    EXPECT_EQ(byRole["departure"], Ids{"LSGG"});
    EXPECT_EQ(byRole["route"], (Ids{"LFAT", "LFAC"}));
    EXPECT_EQ(byRole["nearest"].size(), 20u);
    ASSERT_TRUE(destinationNm.has_value());
    EXPECT_NEAR(*destinationNm, 140.0, 1.0);
    const auto events = standIn.quit();
    ASSERT_TRUE(events);
    EXPECT_EQ(countEvents(*events, "record"), 26u) << "the global point and 25 stations";
}

// Through WinHTTP, from Heathrow to Birmingham with Gatwick as alternate,
// the simulator's GPS 90 minutes from its destination: the cycle's briefing
// arrives then, with the TAFs of all three airports.
TEST_F(HeadlessRun, TheBriefingArrivesAtTheSimulatorsGpsTime) {
    StandInProcess standIn({"--lat", "51.9", "--lon", "-1.1"});
    ASSERT_TRUE(standIn.started());
    standIn.sendLine("gps 250 5400");
    EXPECT_TRUE(standIn.waitFor(
        "the GPS set", [](const json& line) { return line.value("event", "") == "gps"; }, seconds(30)));
    ChildProcess cli(NUBIRO_CLI_EXE,
                     runArgs({"--cycles", "1", "--from", "EGLL", "--to", "EGBB", "--alternate", "EGKK", "--clock",
                              "2026-12-08T12:00:00Z"}),
                     "nubiro-cli");
    ASSERT_TRUE(cli.launched());
    EXPECT_TRUE(waitForLog(cli, "Engine stopped.", seconds(120)));
    EXPECT_EQ(cli.waitForExit(seconds(30)), DWORD{0});
    std::vector<json> briefings;
    for (const std::string& line : cli.linesSoFar()) {
        const auto event = json::parse(line, nullptr, false);
        if (event.is_object() && event.value("event", "") == "briefing") {
            briefings.push_back(event);
        }
    }
    ASSERT_EQ(briefings.size(), 1u);
    EXPECT_EQ(briefings[0]["eta"], "2026-12-08T13:30Z");
    ASSERT_EQ(briefings[0]["airports"].size(), 3u);
    for (const json& airport : briefings[0]["airports"]) {
        EXPECT_TRUE(airport["taf"].is_object()) << airport.dump();
    }
    EXPECT_TRUE(standIn.quit());
}

}  // namespace
}  // namespace wx
