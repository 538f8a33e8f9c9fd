// The window thread's side of the engine while its worker runs cycles
// without pause: requests, new settings and finally destruction, all from
// another thread. Built into the ThreadSanitizer tree as well.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "EngineTestKit.h"

namespace wx {
namespace {

TEST(EngineThreads, RequestsSettingsAndDestructionWhileCyclesRun) {
    test::EngineRig rig;
    rig.routeDefaults();
    std::atomic<int> cycles{0};
    EngineSeams seams{rig.ipc, rig.clock, [&cycles](int) { ++cycles; }, nullptr};
    EngineSettings settings = test::EngineRig::threeStations();
    auto engine = std::make_unique<Engine>(rig.airports, settings, rig.callbacks(), std::move(seams));
    engine->start();
    // Requests go on until 20 cycles ran and one of them had a last weather
    // to show: on a busy machine the worker may run many cycles between two
    // turns of this loop.
    const auto shown = [&rig] { return rig.count("[OK] On-demand weather text \xE2\x86\x92 FS") > 0; };
    for (int i = 0; cycles.load() < 20 || !shown(); ++i) {
        engine->requestRefresh();
        engine->requestWeatherText();
        settings.source = i % 2 == 0 ? "noaa" : "openmeteo";
        settings.maxStations = 1 + i % 4;
        settings.stationMode = i % 3 == 0 ? "manual" : "auto";
        settings.manualStations = {"EBBB", "EAAA"};
        engine->updateSettings(settings);
        EXPECT_TRUE(engine->isRunning());
        std::this_thread::yield();
    }
    engine.reset();
    EXPECT_EQ(rig.stops, 1);
    EXPECT_EQ(rig.logLines().back(), "[INFO] Engine stopped.");
}

}  // namespace
}  // namespace wx
