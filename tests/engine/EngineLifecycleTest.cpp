#include <gtest/gtest.h>

#include <future>
#include <stdexcept>

#include "EngineTestKit.h"

namespace wx {
namespace {

using test::EngineRig;
using Lines = std::vector<std::string>;

// An IPC transport whose first step fails unexpectedly.
class BrokenIpcTransport final : public IpcTransport {
public:
    IpcWindow findWindow(const std::string&) override { throw std::runtime_error("no window station"); }
    uint32_t registerMessage(const std::string&) override { return 0; }
    uint32_t processId() override { return 0; }
    uint32_t nextOpenCount() override { return 0; }
    std::unique_ptr<IpcAtom> addAtom(const std::string&) override { return nullptr; }
    std::unique_ptr<IpcMapping> createMapping(const std::string&, size_t) override { return nullptr; }
    IpcSendResult send(IpcWindow, uint32_t, uintptr_t, intptr_t, uint32_t) override { return {}; }
};

class EngineLifecycle : public testing::Test {
protected:
    void SetUp() override { rig.routeDefaults(); }

    // An engine that stops after `cycles` cycles, not yet started.
    Engine& makeEngine(int cycles, std::function<void(Engine&, int)> atCycleEnd = {}) {
        rig.engine = std::make_unique<Engine>(rig.airports, EngineRig::threeStations(), rig.callbacks(),
                                              rig.seams(cycles, std::move(atCycleEnd)));
        return *rig.engine;
    }

    EngineRig rig;
};

TEST_F(EngineLifecycle, ConstructionNamesTheSourceAndStartsNothing) {
    makeEngine(1);
    EXPECT_FALSE(rig.engine->isRunning());
    EXPECT_EQ(rig.logLines(), Lines{"[INFO] Weather source: openmeteo"});
    EXPECT_TRUE(rig.ipc->areaNames().empty());
}

TEST_F(EngineLifecycle, StartWhileRunningLaunchesNoSecondWorker) {
    std::promise<void> release;
    auto released = release.get_future().share();
    Engine& engine = makeEngine(1, [released](Engine&, int) { released.wait(); });
    engine.start();
    engine.start();
    EXPECT_TRUE(engine.isRunning());
    release.set_value();
    ASSERT_TRUE(rig.waitForStops(1));
    rig.engine.reset();
    EXPECT_EQ(rig.stops, 1);
    EXPECT_EQ(rig.ipc->areaNames().size(), 1u);
    EXPECT_EQ(rig.count("[INFO] Engine stopped."), 1);
}

TEST_F(EngineLifecycle, RequestsMadeBeforeStartAreDropped) {
    Engine& engine = makeEngine(1);
    engine.requestStop();
    engine.requestRefresh();
    engine.start();
    ASSERT_TRUE(rig.waitForStops(1));
    EXPECT_EQ(rig.count("[INFO] --- Cycle (3 stations) ---"), 1);
    EXPECT_EQ(rig.count("[WARN] --- REFRESH ---"), 0);
}

TEST_F(EngineLifecycle, WithoutTheSimulatorItEndsAtOnce) {
    rig.ipc->setRunning(false);
    Engine& engine = makeEngine(1);
    engine.start();
    ASSERT_TRUE(rig.waitForStops(1));
    rig.engine.reset();
    EXPECT_EQ(rig.logLines(), (Lines{"[INFO] Weather source: openmeteo", "[ERROR] FSUIPC connection failed.",
                                     "[ERROR] Cannot open FSUIPC"}));
    EXPECT_EQ(rig.stops, 1);
}

TEST_F(EngineLifecycle, IsNotRunningOnceItReportedItsEnd) {
    rig.ipc->setRunning(false);
    Engine& engine = makeEngine(1);
    engine.start();
    ASSERT_TRUE(rig.waitForStops(1));
    EXPECT_FALSE(engine.isRunning()) << "still running after it reported its end";
}

TEST_F(EngineLifecycle, AStopEndsWithOneStoppedLineAndOneCallback) {
    Engine& engine = makeEngine(2);
    engine.start();
    ASSERT_TRUE(rig.waitForStops(1));
    rig.engine.reset();
    EXPECT_EQ(rig.count("[INFO] Engine stopped."), 1);
    EXPECT_EQ(rig.logLines().back(), "[INFO] Engine stopped.");
    EXPECT_EQ(rig.stops, 1);
    EXPECT_EQ(rig.ipc->liveAreas(), 0u) << "the simulator link is closed";
}

TEST_F(EngineLifecycle, AnEndedWorkerIsJoinedBeforeTheNextStart) {
    Engine& engine = makeEngine(1);
    engine.start();
    ASSERT_TRUE(rig.waitForStops(1));
    engine.start();
    ASSERT_TRUE(rig.waitForStops(2));
    rig.engine.reset();
    EXPECT_EQ(rig.count("[INFO] Engine stopped."), 2);
    EXPECT_EQ(rig.ipc->areaNames().size(), 2u);
}

TEST_F(EngineLifecycle, AFailureOutsideTheCycleIsFatal) {
    rig.engine = std::make_unique<Engine>(rig.airports, EngineRig::threeStations(), rig.callbacks(),
                                          EngineSeams{std::make_shared<BrokenIpcTransport>(), rig.clock, nullptr, nullptr});
    rig.engine->start();
    ASSERT_TRUE(rig.waitForStops(1));
    rig.engine.reset();
    EXPECT_EQ(rig.logLines(), (Lines{"[INFO] Weather source: openmeteo", "[ERROR] Fatal: no window station",
                                     "[INFO] Engine stopped."}));
}

TEST_F(EngineLifecycle, SourceChangesTakeEffectAtTheNextCycle) {
    Engine& engine = makeEngine(3, [](Engine& e, int cycle) {
        EngineSettings settings = EngineRig::threeStations();
        settings.source = cycle == 1 ? "noaa" : "openmeteo";
        e.updateSettings(settings);
    });
    engine.start();
    ASSERT_TRUE(rig.waitForStops(1));
    Lines switches;
    for (const std::string& line : rig.linesAt("OK")) {
        if (line.rfind("Switched", 0) == 0) {
            switches.push_back(line);
        }
    }
    EXPECT_EQ(switches, (Lines{"Switched weather source \xE2\x86\x92 noaa",
                               "Switched weather source \xE2\x86\x92 openmeteo"}));
}

TEST_F(EngineLifecycle, AnUnknownSourceNameIsKeptAndNotRebuilt) {
    Engine& engine = makeEngine(3, [](Engine& e, int) {
        EngineSettings settings = EngineRig::threeStations();
        settings.source = "nosuch";
        e.updateSettings(settings);
    });
    engine.start();
    ASSERT_TRUE(rig.waitForStops(1));
    EXPECT_EQ(rig.count("[OK] Switched weather source \xE2\x86\x92 nosuch"), 1);
    EXPECT_EQ(rig.count("[OK] NWI: 4 points activated"), 3) << "the default source serves it";
}

TEST_F(EngineLifecycle, WithoutALogFunctionEverythingElseIsTheSame) {
    const auto recordsOf = [](const standin::SimModel& model) {
        std::vector<std::vector<uint8_t>> records;
        for (const auto& event : model.events()) {
            if (const auto* record = std::get_if<standin::RecordEvent>(&event)) {
                records.push_back(record->bytes);
            }
        }
        return records;
    };
    makeEngine(2).start();
    ASSERT_TRUE(rig.waitForStops(1));
    rig.engine.reset();

    EngineRig silent;
    silent.routeDefaults();
    EngineCallbacks callbacks = silent.callbacks();
    callbacks.onLog = nullptr;
    silent.engine = std::make_unique<Engine>(silent.airports, EngineRig::threeStations(), callbacks,
                                             silent.seams(2, nullptr));
    silent.engine->start();
    ASSERT_TRUE(silent.waitForStops(1));
    silent.engine.reset();
    EXPECT_TRUE(silent.logLines().empty());
    EXPECT_EQ(silent.reports.size(), rig.reports.size());
    EXPECT_EQ(recordsOf(*silent.model), recordsOf(*rig.model));
    EXPECT_EQ(recordsOf(*rig.model).size(), 8u);
}

TEST_F(EngineLifecycle, DestructionStopsARunningEngine) {
    std::promise<void> paused;
    EngineSettings settings = EngineRig::threeStations();
    settings.intervalSec = 1000000;
    bool first = true;
    rig.clock->setHook([&](std::chrono::milliseconds duration) {
        if (duration == std::chrono::seconds(1) && first) {
            first = false;
            paused.set_value();
        }
    });
    rig.engine = std::make_unique<Engine>(rig.airports, settings, rig.callbacks(), rig.seams(1000, nullptr));
    rig.engine->start();
    paused.get_future().wait();
    rig.engine.reset();
    EXPECT_EQ(rig.stops, 1);
    EXPECT_EQ(rig.logLines().back(), "[INFO] Engine stopped.");
}

}  // namespace
}  // namespace wx
