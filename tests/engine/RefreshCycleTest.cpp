#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "EngineTestKit.h"
#include "sim/SimTestKit.h"
#include "airports/Distance.h"
#include "sim/LittleEndian.h"
#include "weather/WeatherSummary.h"

namespace wx {
namespace {

using standin::ActivateEvent;
using standin::ClearEvent;
using standin::ClockEvent;
using standin::InitEvent;
using standin::RecordEvent;
using standin::TextEvent;
using test::EngineRig;
using test::eventsOf;
using Lines = std::vector<std::string>;

std::vector<std::string> recordStations(const standin::SimModel& model) {
    std::vector<std::string> stations;
    for (const RecordEvent& event : eventsOf<RecordEvent>(model)) {
        stations.push_back(event.record.station);
    }
    return stations;
}

class RefreshCycle : public testing::Test {
protected:
    void SetUp() override { rig.routeDefaults(); }

    EngineRig rig;
    EngineSettings settings = EngineRig::threeStations();
};

TEST_F(RefreshCycle, WritesTheGlobalPointThenEveryStationAndActivatesThem) {
    rig.run(settings, 1);
    EXPECT_EQ(recordStations(*rig.model), (Lines{"GLOB", "EAAA", "EBBB", "ECCC"}));
    const auto activations = eventsOf<ActivateEvent>(*rig.model);
    ASSERT_EQ(activations.size(), 1u);
    EXPECT_EQ(activations[0].stations, (Lines{"EAAA", "EBBB", "ECCC", "GLOB"}));
    ASSERT_EQ(rig.reports.size(), 3u);
    EXPECT_EQ(rig.reports[0].stationId, "EAAA");
    EXPECT_DOUBLE_EQ(rig.reports[0].distanceNm, distanceNm(50.0, 8.0, 50.1, 8.0));
    EXPECT_EQ(rig.reports[0].weather.rawMetar, "EAAA 071150Z 25010KT 9999 SCT030 12/06 Q1012");
    EXPECT_TRUE(rig.reports[2].weather.synthesized);
    EXPECT_EQ(rig.chosen, (std::vector<Lines>{{"EAAA", "EBBB", "ECCC"}}));
    const Lines expected{"Position: 50.000, 8.000",
                         "--- Cycle (3 stations) ---",
                         "METAR: 2",
                         "[EAAA] EAAA 071150Z 25010KT 9999 SCT030 12/06 Q1012 (10 min)",
                         "[EBBB] EBBB 071150Z 24008KT 8000 -RA BKN012 11/09 Q1011 (10 min)",
                         "Time sync: offset +0 min, Zulu 11:50 \xE2\x86\x92 Local 11:50",
                         "NWI init: dynamics=0, clear weather...",
                         "NWI init: clear OK."};
    Lines logged;
    for (const std::string& line : rig.logLines()) {
        const std::string message = line.substr(line.find("] ") + 2);
        if (std::find(expected.begin(), expected.end(), message) != expected.end()) {
            logged.push_back(message);
        }
    }
    EXPECT_EQ(logged, expected);
    EXPECT_EQ(rig.count("[OK] [GLOB] synthesized"), 1);
    EXPECT_EQ(rig.count("[OK] NWI: 4 points activated"), 1);
    const auto texts = eventsOf<TextEvent>(*rig.model);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, formatWeatherSummary(rig.reports[0].weather, true, 127, "").substr(0, 127));
    EXPECT_EQ(texts[0].seconds, 15);
}

TEST_F(RefreshCycle, IntervalZeroMeansNoPause) {
    rig.run(settings, 3);
    EXPECT_EQ(rig.pauseSeconds(), 0);
    EXPECT_EQ(rig.count("[OK] NWI: 4 points activated"), 3);
}

TEST_F(RefreshCycle, ThePauseIsTheIntervalInSeconds) {
    settings.intervalSec = 7;
    rig.run(settings, 2);
    EXPECT_EQ(rig.pauseSeconds(), 7) << "the last cycle is stopped at its pause";
}

TEST_F(RefreshCycle, ARefreshEndsThePauseWithinASecondAndResetsTheWeather) {
    settings.intervalSec = 600;
    rig.clock->setHook([this](std::chrono::milliseconds duration) {
        if (duration == std::chrono::seconds(1) && rig.pauseSeconds() == 5) {
            rig.engine->requestRefresh();
        }
    });
    rig.run(settings, 2);
    EXPECT_EQ(rig.pauseSeconds(), 5);
    EXPECT_EQ(rig.count("[WARN] --- REFRESH ---"), 1);
    EXPECT_EQ(eventsOf<InitEvent>(*rig.model).size(), 2u);
    EXPECT_EQ(eventsOf<ClearEvent>(*rig.model).size(), 2u);
    const auto texts = eventsOf<TextEvent>(*rig.model);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1].text, "NUBIRO\nRefresh...");
    EXPECT_EQ(texts[1].seconds, 3);
}

TEST_F(RefreshCycle, AWeatherTextRequestIsServedDuringThePauseWhichGoesOn) {
    settings.intervalSec = 10;
    settings.textSeconds = 9;
    rig.clock->setHook([this](std::chrono::milliseconds duration) {
        if (duration == std::chrono::seconds(1) && rig.pauseSeconds() == 3) {
            rig.engine->requestWeatherText();
        }
    });
    std::vector<int> shownAt;
    rig.model->setEventListener([&](const standin::SimEvent& event) {
        if (std::holds_alternative<TextEvent>(event)) {
            shownAt.push_back(rig.pauseSeconds());
        }
    });
    rig.run(settings, 2);
    EXPECT_EQ(rig.pauseSeconds(), 10);
    const auto texts = eventsOf<TextEvent>(*rig.model);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(shownAt, (std::vector<int>{0, 3, 10}));
    EXPECT_EQ(texts[1].text, formatWeatherSummary(rig.reports[2].weather, true, 127, "").substr(0, 127));
    EXPECT_EQ(texts[1].seconds, 9);
    EXPECT_EQ(rig.count("[OK] On-demand weather text \xE2\x86\x92 FS"), 1);
}

TEST_F(RefreshCycle, AWeatherTextRequestBeforeAnyWeatherShowsNothing) {
    rig.engine = std::make_unique<Engine>(rig.airports, settings, rig.callbacks(), rig.seams(1, nullptr));
    rig.engine->requestWeatherText();
    rig.engine->start();
    ASSERT_TRUE(rig.waitForStops(1));
    EXPECT_EQ(eventsOf<TextEvent>(*rig.model).size(), 1u) << "only the cycle's own text";
    EXPECT_EQ(rig.count("[OK] On-demand weather text \xE2\x86\x92 FS"), 0);
}

TEST_F(RefreshCycle, AnOnDemandTextWithoutTextSecondsStaysFifteenSeconds) {
    settings.textSeconds = 0;
    rig.run(settings, 2, [](Engine& engine, int cycle) {
        if (cycle == 1) {
            engine.requestWeatherText();
        }
    });
    const auto texts = eventsOf<TextEvent>(*rig.model);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1].seconds, 15);
}

TEST_F(RefreshCycle, AJumpOfMoreThan200NmRefreshesInTheSameCycle) {
    rig.run(settings, 2, [this](Engine&, int cycle) {
        if (cycle == 1) {
            rig.model->setPosition(54.17, 8.0);
        }
    });
    const Lines log = rig.logLines();
    const auto at = [&](const std::string& line) { return std::find(log.begin(), log.end(), line) - log.begin(); };
    const auto jump = at("[WARN] Position changed 250 nm \xE2\x80\x94 auto-refresh");
    ASSERT_LT(jump, static_cast<long>(log.size()));
    EXPECT_EQ(at("[WARN] --- REFRESH ---"), jump + 1);
    EXPECT_LT(jump + 1, at("[INFO] Position: 54.170, 8.000"));
    EXPECT_EQ(eventsOf<InitEvent>(*rig.model).size(), 2u);
}

// Two latitude words of the stand-in whose positions, as the link reads
// them back, lie exactly 200.0 nm apart on one meridian; near the equator
// such pairs exist among the first words.
std::optional<std::pair<int64_t, int64_t>> wordsExactly200NmApart() {
    constexpr double kUnits = 10001750.0 * 65536.0 * 65536.0;
    const auto latitude = [&](int64_t word) { return static_cast<double>(word) * 90.0 / kUnits; };
    for (int64_t from = 0; from < 1000; ++from) {
        const auto distance = [&](int64_t word) { return distanceNm(latitude(from), 8.0, latitude(word), 8.0); };
        int64_t low = from;
        int64_t high = from + static_cast<int64_t>(kUnits / 10);
        while (high - low > 1) {
            const int64_t middle = low + (high - low) / 2;
            (distance(middle) < 200.0 ? low : high) = middle;
        }
        for (int64_t word = high - 50; word < high + 50; ++word) {
            if (distance(word) == 200.0) {
                return std::make_pair(from, word);
            }
        }
    }
    return std::nullopt;
}

void pokeLatitude(standin::SimModel& model, int64_t word) {
    uint8_t bytes[8];
    storeLe64(bytes, static_cast<uint64_t>(word));
    model.poke(0x0560, std::vector<uint8_t>(bytes, bytes + 8));
}

TEST_F(RefreshCycle, AJumpOfExactly200NmDoesNot) {
    const auto words = wordsExactly200NmApart();
    ASSERT_TRUE(words.has_value());
    pokeLatitude(*rig.model, words->first);
    rig.run(settings, 2, [&](Engine&, int cycle) {
        if (cycle == 1) {
            pokeLatitude(*rig.model, words->second);
        }
    });
    EXPECT_EQ(rig.count("[INFO] Position: 3.331, 8.000"), 1);
    EXPECT_EQ(rig.count("[WARN] --- REFRESH ---"), 0);
}

TEST_F(RefreshCycle, TheWeatherIsResetOnlyInTheFirstCycleWithStations) {
    rig.run(settings, 3);
    EXPECT_EQ(eventsOf<InitEvent>(*rig.model).size(), 1u);
    EXPECT_EQ(eventsOf<ClearEvent>(*rig.model).size(), 1u);
}

TEST_F(RefreshCycle, TheClockIsSetOnceAndRetriedWhileNoReportHasATime) {
    rig.http->route("/api/data/metar", test::metarAnswer({{"EAAA", "EAAA 25010KT 9999 12/06 Q1012"}}));
    rig.run(settings, 3, [this](Engine&, int cycle) {
        if (cycle == 1) {
            rig.http->route("/api/data/metar", test::metarAnswer({{"EAAA", "EAAA 071735Z 25010KT 12/06 Q1012"}}));
        }
    });
    const auto clock = eventsOf<ClockEvent>(*rig.model);
    ASSERT_EQ(clock.size(), 2u);
    EXPECT_EQ(clock[0].value, 17u);
    EXPECT_EQ(clock[1].value, 35u);
    EXPECT_EQ(rig.count("[INFO] Time sync: offset +0 min, Zulu 17:35 \xE2\x86\x92 Local 17:35"), 1);
}

TEST_F(RefreshCycle, OnlyNearestFetchesForAllAndWritesOne) {
    settings.maxStations = 10;
    settings.onlyNearest = true;
    settings.globalLayer = false;
    rig.run(settings, 1);
    EXPECT_EQ(rig.count("[INFO] --- Cycle (10 stations) ---"), 1);
    EXPECT_NE(rig.http->urls().front().find("ids=EAAA,EBBB,ECCC,EDDD,EEEE,EFFF,EGGG,EHHH,EIII,EJJJ"),
              std::string::npos);
    EXPECT_EQ(recordStations(*rig.model), Lines{"EAAA"});
    EXPECT_EQ(rig.count("[OK] NWI: 1 points activated"), 1);
}

TEST_F(RefreshCycle, OnlyTheGlobalPointWrittenShowsNoText) {
    rig.http->route("/api/data/metar", "[]");
    settings.synthWithoutMetar = false;
    rig.run(settings, 1);
    EXPECT_EQ(recordStations(*rig.model), Lines{"GLOB"});
    EXPECT_EQ(rig.count("[OK] NWI: 1 points activated"), 1);
    EXPECT_TRUE(eventsOf<TextEvent>(*rig.model).empty());
    EXPECT_TRUE(rig.reports.empty());
}

// Over open water, with no station in range, the model's weather at the
// aircraft is still written every cycle: SIGMETs and the global point, no
// METARs, clock or text.
TEST_F(RefreshCycle, OverOpenWaterTheGlobalPointIsWrittenEveryCycle) {
    rig.model->setPosition(0.0, 0.0);
    rig.run(settings, 2);
    EXPECT_EQ(rig.count("[INFO] --- Cycle (0 stations) ---"), 2);
    EXPECT_EQ(recordStations(*rig.model), (Lines{"GLOB", "GLOB"}));
    EXPECT_EQ(eventsOf<ActivateEvent>(*rig.model).size(), 2u);
    EXPECT_EQ(rig.count("[OK] NWI: 1 points activated"), 2);
    EXPECT_EQ(eventsOf<InitEvent>(*rig.model).size(), 1u);
    EXPECT_TRUE(eventsOf<TextEvent>(*rig.model).empty());
    EXPECT_TRUE(eventsOf<ClockEvent>(*rig.model).empty());
    Lines paths;
    for (const std::string& url : rig.http->urls()) {
        paths.push_back(url.substr(url.find('/', 8), url.find('?') - url.find('/', 8)));
    }
    EXPECT_EQ(paths, (Lines{"/api/data/isigmet", "/v1/forecast", "/api/data/isigmet", "/v1/forecast"}));
}

TEST_F(RefreshCycle, WithoutTheGlobalPointNoStationsMeansNoFetch) {
    settings.globalLayer = false;
    rig.model->setPosition(0.0, 0.0);
    rig.run(settings, 1);
    EXPECT_EQ(rig.count("[INFO] --- Cycle (0 stations) ---"), 1);
    EXPECT_TRUE(rig.http->urls().empty());
    EXPECT_TRUE(recordStations(*rig.model).empty());
}

TEST_F(RefreshCycle, SigmetsHardenStationsAndTagTheText) {
    rig.http->route("/api/data/isigmet",
                    R"([{"hazard":"TS","firId":"EDGG","coords":[{"lat":49,"lon":7},{"lat":49,"lon":9},)"
                    R"({"lat":52,"lon":9},{"lat":52,"lon":7}]}])");
    rig.run(settings, 1);
    EXPECT_EQ(rig.count("[INFO] SIGMET active: 1"), 1);
    EXPECT_EQ(rig.count("[WARN] [GLOB] SIGMET TS (EDGG)"), 1);
    EXPECT_EQ(rig.count("[WARN] [EAAA] SIGMET TS (EDGG)"), 1);
    ASSERT_FALSE(rig.reports.empty());
    EXPECT_EQ(rig.reports[0].weather.sigmets, Lines{"TS@EDGG"});
    const auto texts = eventsOf<TextEvent>(*rig.model);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(texts[0].text.find("SIGMET: TS@EDGG"), std::string::npos);
}

// After the activation the window's map hears where the aircraft is, the
// stations written where their airports lie, and the SIGMETs with their
// areas.
TEST_F(RefreshCycle, ReportsAnOverviewAfterTheActivation) {
    rig.http->route("/api/data/isigmet",
                    R"([{"hazard":"TURB","firId":"EDGG","coords":[{"lat":49,"lon":7},{"lat":49,"lon":9},)"
                    R"({"lat":48,"lon":9}]}])");
    rig.run(settings, 1);
    ASSERT_EQ(rig.overviews.size(), 1u);
    const CycleOverview& overview = rig.overviews[0];
    EXPECT_EQ(overview.aircraft, (SimPosition{50.0, 8.0}));
    EXPECT_EQ(overview.radiusNm, settings.radiusNm);
    ASSERT_EQ(overview.stations.size(), rig.reports.size());
    for (size_t i = 0; i < rig.reports.size(); ++i) {
        EXPECT_EQ(overview.stations[i].stationId, rig.reports[i].stationId);
        EXPECT_EQ(overview.stations[i].weather, rig.reports[i].weather);
    }
    EXPECT_EQ(overview.stations[0].latDeg, 50.1);
    EXPECT_EQ(overview.stations[0].lonDeg, 8.0);
    EXPECT_EQ(overview.sigmets, (std::vector<OverviewSigmet>{{"TURB@EDGG", SigmetHazard::Turbulence,
                                                                {{{49, 7}, {49, 9}, {48, 9}}}}}));
}

TEST_F(RefreshCycle, AFailedWriteSkipsTheStation) {
    rig.model->setAckEnabled(false);
    rig.run(settings, 1);
    EXPECT_TRUE(rig.reports.empty());
    EXPECT_EQ(rig.count("[WARN] [EAAA] NWI timeout"), 1);
    EXPECT_TRUE(eventsOf<ActivateEvent>(*rig.model).empty());
}

// A stop in the middle of a station's write breaks the cycle off there:
// nothing is activated or shown, and the stop line is the last.
TEST_F(RefreshCycle, AStopBreaksTheCycleOffWhereItStands) {
    rig.model->setEventListener([this](const standin::SimEvent& event) {
        const auto* record = std::get_if<RecordEvent>(&event);
        if (record && record->record.station == "EAAA") {
            rig.engine->requestStop();
        }
    });
    rig.engine = std::make_unique<Engine>(rig.airports, settings, rig.callbacks(), rig.seams(5, nullptr));
    rig.engine->start();
    ASSERT_TRUE(rig.waitForStops(1));
    EXPECT_EQ(recordStations(*rig.model), (Lines{"GLOB", "EAAA"}));
    EXPECT_TRUE(eventsOf<ActivateEvent>(*rig.model).empty());
    EXPECT_TRUE(eventsOf<TextEvent>(*rig.model).empty());
    EXPECT_TRUE(rig.reports.empty());
    EXPECT_EQ(rig.logLines().back(), "[INFO] Engine stopped.");
    EXPECT_EQ(rig.count("[WARN] [EAAA] NWI timeout"), 0);
}

// The simulator goes away after the first cycle and is back after the
// third: the link is closed once, looked for every cycle, and the new
// simulator's weather is reset before the stations are written again.
TEST_F(RefreshCycle, ASimulatorThatWentAwayIsFoundAgain) {
    rig.run(settings, 4, [this](Engine&, int cycle) {
        if (cycle == 1 || cycle == 3) {
            rig.ipc->setRunning(cycle == 3);
        }
    });
    const Lines expected{"[OK] NWI: 4 points activated", "[ERROR] FSUIPC connection lost.",
                         "[ERROR] FSUIPC connection failed.", "[INFO] FS version (0x3308): 7 \xE2\x86\x92 NWI enabled",
                         "[OK] NWI: 4 points activated"};
    Lines seen;
    for (const std::string& line : rig.logLines()) {
        if (std::find(expected.begin(), expected.end(), line) != expected.end()) {
            seen.push_back(line);
        }
    }
    EXPECT_EQ(seen, (Lines{expected[3], expected[0], expected[1], expected[2], expected[3], expected[4]}));
    EXPECT_EQ(eventsOf<InitEvent>(*rig.model).size(), 2u);
    EXPECT_EQ(eventsOf<ActivateEvent>(*rig.model).size(), 2u);
}

TEST_F(RefreshCycle, AMissingPositionIsSaidOncePerOutage) {
    rig.run(settings, 4, [this](Engine&, int cycle) {
        if (cycle == 1 || cycle == 2) {
            rig.model->setPosition(cycle == 1 ? 95.0 : 50.0, 8.0);
        }
        if (cycle == 3) {
            rig.model->setPosition(-95.0, 8.0);
        }
    });
    EXPECT_EQ(rig.count("[WARN] No position from the simulator."), 2);
    EXPECT_EQ(rig.count("[INFO] --- Cycle (0 stations) ---"), 2);
}

TEST_F(RefreshCycle, AStopEndsThePauseAfterACycleError) {
    EngineCallbacks callbacks = rig.callbacks();
    std::chrono::milliseconds stoppedAt{};
    callbacks.onStationWritten = [&](const StationEntry&, const WeatherData&) {
        stoppedAt = rig.clock->elapsed();
        rig.engine->requestStop();
        throw std::runtime_error("window gone");
    };
    rig.engine = std::make_unique<Engine>(rig.airports, settings, callbacks, rig.seams(3, nullptr));
    rig.engine->start();
    ASSERT_TRUE(rig.waitForStops(1));
    EXPECT_LT(rig.clock->elapsed() - stoppedAt, std::chrono::seconds(1));
    EXPECT_EQ(rig.logLines().back(), "[INFO] Engine stopped.");
}

TEST_F(RefreshCycle, AnErrorAbandonsTheRestOfTheCycle) {
    EngineCallbacks callbacks = rig.callbacks();
    int calls = 0;
    callbacks.onStationWritten = [&](const StationEntry&, const WeatherData&) {
        if (++calls == 1) {
            throw std::runtime_error("window gone");
        }
        if (calls == 2) {
            throw 42;
        }
    };
    rig.engine = std::make_unique<Engine>(rig.airports, settings, callbacks, rig.seams(3, nullptr));
    rig.engine->start();
    ASSERT_TRUE(rig.waitForStops(1));
    rig.engine.reset();
    EXPECT_EQ(rig.count("[ERROR] Cycle error: window gone"), 1);
    EXPECT_EQ(rig.count("[ERROR] Cycle unknown error"), 1);
    EXPECT_EQ(recordStations(*rig.model), (Lines{"GLOB", "EAAA", "GLOB", "EAAA", "GLOB", "EAAA", "EBBB", "ECCC"}));
    EXPECT_EQ(eventsOf<ActivateEvent>(*rig.model).size(), 1u);
    EXPECT_GE(rig.clock->elapsed(), std::chrono::seconds(6)) << "3 s after each error";
}

}  // namespace
}  // namespace wx
