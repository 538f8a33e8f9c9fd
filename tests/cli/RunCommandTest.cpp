#include <gtest/gtest.h>

#include <atomic>
#include <regex>
#include <set>
#include <sstream>

#include <nlohmann/json.hpp>

#include "CliOptions.h"
#include "LineReader.h"
#include "RunOptions.h"
#include "app/SavedSettings.h"
#include "airports/LocalAppDataFolder.h"
#include "cli/CliRunner.h"
#include "engine/EngineTestKit.h"

namespace wx {
namespace {

using nlohmann::json;
using test::jsonLines;
using test::runCli;

std::vector<json> named(const std::vector<json>& all, const std::string& name) {
    std::vector<json> found;
    for (const json& event : all) {
        if (event["event"] == name) {
            found.push_back(event);
        }
    }
    return found;
}

bool logged(const std::vector<json>& all, const std::string& message) {
    for (const json& event : named(all, "log")) {
        if (event["message"] == message) {
            return true;
        }
    }
    return false;
}

TEST(RunOptions, EverySettingsFieldHasItsOption) {
    const auto options = cli::parseRunOptions(
        {"--station-mode", "manual", "--manual-stations", "EGLL,,EDDF", "--max-stations", "7", "--radius-nm", "90",
         "--interval-sec", "0", "--only-nearest", "1", "--cavok-haze", "0", "--cavok-visibility-m", "9999",
         "--synth-without-metar", "0", "--global-layer", "0", "--dense-field", "0", "--sync-zulu", "0",
         "--text-in-sim", "0", "--text-seconds", "4", "--full-metar-text", "0", "--sigmet-enabled", "0", "--source",
         "noaa", "--smooth-changes", "1", "--route-stations", "12", "--sim", "fsuipc", "--lat", "51.5", "--version",
         "8", "--cycles", "3", "--at-cycle", "2",
         "move 1 2", "--at-cycle", "2", "refresh", "--record", "pack", "--clock", "2026-10-02T20:20:00.5Z"},
        true);
    const EngineSettings expected{"manual", {"EGLL", "EDDF"}, 7, 90, 0, true, false, 9999, false,
                                  false,    false,           false, false, 4, false, false, "noaa", true,
                                  0,        std::nullopt,    "",    12};
    EXPECT_EQ(options.settings, expected);
    EXPECT_FALSE(options.standIn);
    EXPECT_EQ(options.simSettings.latitudeDeg, 51.5);
    EXPECT_EQ(options.simSettings.simVersion, 8);
    EXPECT_EQ(options.cycles, 3);
    EXPECT_EQ(options.atCycle, (std::vector<std::pair<int, std::string>>{{2, "move 1 2"}, {2, "refresh"}}));
    EXPECT_EQ(options.recordDir, "pack");
    EXPECT_EQ(options.clockStart, std::chrono::sys_days{std::chrono::year{2026} / 10 / 2} + std::chrono::hours{20} +
                                      std::chrono::minutes{20} + std::chrono::milliseconds{500});
    EXPECT_EQ(cli::parseRunOptions({}, false).settings, EngineSettings{});
}

// `nubiro-cli --help` names every option `run` takes, and no other.
TEST(RunOptions, TheUsageNamesEveryOptionParsed) {
    const std::string usage = cli::runUsage();
    std::set<std::string> inUsage;
    const std::regex option(R"(--([a-z-]+))");
    for (std::sregex_iterator it(usage.begin(), usage.end(), option), end; it != end; ++it) {
        inUsage.insert((*it)[1].str());
    }
    const std::vector<std::string> parsed = cli::runOptionNames();
    EXPECT_EQ(inUsage, std::set<std::string>(parsed.begin(), parsed.end()));
    for (const std::string& name : inUsage) {
        try {
            cli::parseRunOptions({"--" + name, "1", "2"}, true);
        } catch (const cli::UsageError& error) {
            EXPECT_NE(std::string(error.what()), "unknown option --" + name);
        }
    }
}

struct BadRunCase {
    std::vector<std::string> args;
    const char* message;
};

class RunOptionMistakes : public testing::TestWithParam<BadRunCase> {};

TEST_P(RunOptionMistakes, EndWithAMessageAndStatusTwo) {
    const auto run = runCli(cli::runRun, GetParam().args, "");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, GetParam().message);
    EXPECT_EQ(run.out.find("Weather source"), std::string::npos) << "nothing started";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RunOptionMistakes,
    testing::Values(BadRunCase{{"--only-nearest", "2"}, "--only-nearest needs 0 or 1, not \"2\""},
                    BadRunCase{{"--max-stations", "many"}, "--max-stations needs a whole number, not \"many\""},
                    BadRunCase{{"--cycles", "-1"}, "--cycles needs 0 or more, not \"-1\""},
                    BadRunCase{{"--keep-reports-min", "9"},
                               "--keep-reports-min needs 0 (off) or 10 to 180 minutes, not \"9\""},
                    BadRunCase{{"--keep-reports-min", "181"},
                               "--keep-reports-min needs 0 (off) or 10 to 180 minutes, not \"181\""},
                    BadRunCase{{"--route-stations", "31"}, "--route-stations needs 0 to 30, not \"31\""},
                    BadRunCase{{"--plan", "a.pln", "--to", "EGBB"},
                               "--plan names its own airports: give it without --from and --to"},
                    BadRunCase{{"--from", "EGSH"}, "--from and --to go together"},
                    BadRunCase{{"--from", "EG-H", "--to", "EGBB"},
                               "--from needs an airport ident such as EGLL, not \"EG-H\""},
                    BadRunCase{{"--alternate", "EGNX"}, "--alternate needs --plan, or --from and --to"},
                    BadRunCase{{"--at-cycle", "0", "stop"}, "--at-cycle needs a cycle of 1 or more, not \"0\""},
                    BadRunCase{{"--at-cycle", "1"}, "option --at-cycle needs a cycle and a command"},
                    BadRunCase{{"--sim", "real"}, "--sim needs standin or fsuipc, not \"real\""},
                    BadRunCase{{"--lat", "95"}, "--lat must lie within -90..90 and --lon within -180..180"},
                    BadRunCase{{"--local", "25:00"}, "--local needs a time HH:MM, not \"25:00\""},
                    BadRunCase{{"--colour", "1"}, "unknown option --colour"},
                    BadRunCase{{"--clock", "2026-10-02 20:20"},
                               "--clock needs a UTC time such as 2026-10-02T20:20:00Z, not \"2026-10-02 20:20\""},
                    BadRunCase{{"--clock", "2300-01-01T00:00Z"},
                               "--clock needs a UTC time such as 2026-10-02T20:20:00Z, not \"2300-01-01T00:00Z\""},
                    BadRunCase{{"--clock", "2026-10-02T20:20Z", "--weather-time", "2026-10-02T20:21Z"},
                               "Weather time 2026-10-02 20:21Z is in the future: the weather can be flown from "
                               "2000-01-01 00:00Z to 2026-10-02 20:20Z"},
                    BadRunCase{{"--weather-time", "1999-12-31T12:00Z", "--clock", "2026-10-02T20:20Z"},
                               "Weather time 1999-12-31 12:00Z is older than the METAR archive: the weather can be "
                               "flown from 2000-01-01 00:00Z to 2026-10-02 20:20Z"},
                    BadRunCase{{"stations"}, "unexpected argument \"stations\""},
                    BadRunCase{{"--settings", "no-such-settings.json"}, "--settings: no file no-such-settings.json"},
                    BadRunCase{{"--airports", "no-such-file.csv"},
                               "nubiro-cli run: cannot load an airport list from no-such-file.csv\n"}));

class RunCommand : public testing::Test {
protected:
    void SetUp() override { rig.routeDefaults(); }

    std::vector<std::string> args(std::vector<std::string> extra) const {
        std::vector<std::string> all{"--sim", "standin", "--airports", rig.scratch.path("airports.csv"), "--lat", "50",
                                     "--lon", "8",
                                     "--interval-sec", "0", "--dense-field", "0", "--max-stations", "3"};
        all.insert(all.end(), extra.begin(), extra.end());
        return all;
    }

    test::EngineRig rig;
};

TEST_F(RunCommand, RunsTheGivenCyclesAndCommandsAtTheirPause) {
    const auto run = runCli(cli::runRun, args({"--cycles", "2", "--at-cycle", "1", "move 60 8"}), "");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto all = jsonLines(run.out);
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(all.back(), json({{"event", "stopped"}}));
    EXPECT_EQ(named(all, "stations").front()["stationIds"], json({"EAAA", "EBBB", "ECCC"}));
    EXPECT_EQ(named(all, "station").size(), 3u);
    EXPECT_EQ(named(all, "move").size(), 1u);
    EXPECT_EQ(named(all, "activate").size(), 2u) << "only the global point near the new position";
    const auto records = named(all, "record");
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[0]["hex"].get<std::string>().size(), 2048u);
    EXPECT_TRUE(logged(all, "Position changed 600 nm \xE2\x80\x94 auto-refresh"));
    EXPECT_TRUE(logged(all, "Engine stopped."));
}

// A pilot's window settings replayed: the file's values, the options
// given beside it winning wherever they stand, and the window's warning
// about what the file held amiss.
TEST_F(RunCommand, StartsFromASettingsFileWithTheOptionsBesideItWinning) {
    const std::string file = rig.scratch.write(
        "settings.json", R"({"stationMode": "manual", "manualStations": ["ECCC", "EBBB"], "intervalSec": 900,
                             "maxStations": "many", "sigmetEnabled": false})");
    const auto options = cli::parseRunOptions({"--interval-sec", "60", "--settings", file}, true);
    EngineSettings expected = SavedSettings{}.engine;
    expected.stationMode = "manual";
    expected.manualStations = {"ECCC", "EBBB"};
    expected.intervalSec = 60;
    expected.sigmetEnabled = false;
    EXPECT_EQ(options.settings, expected);

    const auto run = runCli(cli::runRun, args({"--settings", file, "--cycles", "1"}), "");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto all = jsonLines(run.out);
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(all.front(), json({{"event", "log"},
                                 {"level", "WARN"},
                                 {"message", "Settings file: values out of range (maxStations), defaults used"}}));
    const auto stations = named(all, "station");
    ASSERT_EQ(stations.size(), 2u);
    EXPECT_EQ(stations[0]["stationId"], "EBBB");
    EXPECT_EQ(stations[1]["stationId"], "ECCC");
}

struct FlightOptionsCase {
    const char* name;
    const char* settingsFile;  // the flight a settings file held; empty: no file
    std::vector<std::string> args;
    PlanChoice flight;
};

class FlightOptions : public testing::TestWithParam<FlightOptionsCase> {};

TEST_P(FlightOptions, GiveTheFlightOverTheSettingsFiles) {
    const FlightOptionsCase& c = GetParam();
    test::ScratchDir scratch;
    std::vector<std::string> args = c.args;
    if (*c.settingsFile != '\0') {
        args.insert(args.end(), {"--settings", scratch.write("settings.json", c.settingsFile)});
    }
    EXPECT_EQ(cli::parseRunOptions(args, true).flight, c.flight);
}

constexpr const char* kFileFlight = R"({"planFile": "a.pln", "from": "LSGG", "to": "EGMC", "alternate": "EGKK"})";

INSTANTIATE_TEST_SUITE_P(
    Cases, FlightOptions,
    testing::Values(
        FlightOptionsCase{"TypedAirportsUpperCased", "", {"--from", "egsh", "--to", "EGBB", "--alternate", "egnx"},
                          {"", "EGSH", "EGBB", "EGNX"}},
        FlightOptionsCase{"APlanFile", "", {"--plan", "b.pln"}, {"b.pln", "", "", ""}},
        FlightOptionsCase{"TheFilesFlight", kFileFlight, {}, {"a.pln", "LSGG", "EGMC", "EGKK"}},
        FlightOptionsCase{"TypedAirportsReplaceTheFilesPlan", kFileFlight, {"--from", "EGSH", "--to", "EGBB"},
                          {"", "EGSH", "EGBB", "EGKK"}},
        FlightOptionsCase{"AnAlternateBesideTheFilesPlan", kFileFlight, {"--alternate", "EGSS"},
                          {"a.pln", "LSGG", "EGMC", "EGSS"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RunCommand, ServesCommandsFromInputUntilItEnds) {
    const auto run = runCli(cli::runRun, args({}), "set interval-sec 600\nset max-stations lots\nmove 50.1 8\nhover\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto all = jsonLines(run.out);
    const auto errors = named(all, "error");
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[0]["message"], "--max-stations needs a whole number, not \"lots\"");
    EXPECT_EQ(named(all, "move").size(), 1u);
    EXPECT_EQ(all.back(), json({{"event", "stopped"}}));
}

TEST_F(RunCommand, APackThatCannotBeWrittenEndsTheRunBeforeItStarts) {
    const std::string file = rig.scratch.write("taken", "a file");
    const auto run = runCli(cli::runRun, args({"--record", file + "/pack"}), "");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.rfind("nubiro-cli run: cannot record a weather pack: cannot make the folder " + file + "/pack", 0),
              0u)
        << run.err;
    EXPECT_EQ(run.out, "");
}

TEST_F(RunCommand, WithoutTheSimulatorTheEngineEndsAndSaysWhy) {
    const auto run = runCli(cli::runRun, args({"--sim", "fsuipc"}), "");
    EXPECT_EQ(run.status, 1);
    const auto all = jsonLines(run.out);
    EXPECT_TRUE(logged(all, "Cannot open FSUIPC"));
    EXPECT_FALSE(logged(all, "Engine stopped."));
    EXPECT_EQ(all.back(), json({{"event", "stopped"}}));
}

// Without an airport list no station can be placed: like the window, which
// refuses Start then, the run ends before the engine starts.
TEST_F(RunCommand, WithoutAnyAirportListTheEngineDoesNotStart) {
    const FolderLookup previous = defaultLocalAppDataLookup();
    setDefaultLocalAppDataLookup([folder = rig.scratch.path("appdata")] { return std::optional<std::string>(folder); });
    const auto run = runCli(cli::runRun, {"--sim", "standin", "--interval-sec", "0"}, "");
    setDefaultLocalAppDataLookup(previous);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "nubiro-cli run: no airport list could be loaded, so the engine does not start\n");
    const auto all = jsonLines(run.out);
    EXPECT_TRUE(logged(all, "Failed to download airport DB."));
    EXPECT_FALSE(logged(all, "Weather source: openmeteo"));
}

// An output buffer that counts the flushes asked of it.
class FlushCounter : public std::stringbuf {
public:
    int flushes() const { return flushes_.load(); }

protected:
    int sync() override {
        ++flushes_;
        return std::stringbuf::sync();
    }

private:
    std::atomic<int> flushes_{0};
};

// Standard input comes tied to standard output, but the run reads it on a
// thread of its own: a flush from there would race the lines the engine's
// thread prints, cutting or doubling one.
TEST(RunInput, ReadingNeverFlushesTheOutputTheInputIsTiedTo) {
    FlushCounter buffer;
    std::ostream out(&buffer);
    std::istringstream in("refresh\nstop\n");
    in.tie(&out);
    cli::LineReader reader(in);
    EXPECT_EQ(reader.waitForLine(std::chrono::seconds(10)).line, "refresh");
    EXPECT_EQ(reader.waitForLine(std::chrono::seconds(10)).line, "stop");
    EXPECT_EQ(buffer.flushes(), 0);
}

}  // namespace
}  // namespace wx
