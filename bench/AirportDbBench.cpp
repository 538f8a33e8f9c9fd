#include <benchmark/benchmark.h>

#include <malloc.h>

#include "airports/AirportDb.h"

namespace {

const char* const kAirportList = NUBIRO_TEST_DATA_DIR "/airports.csv";

// Bytes the C heap has handed out and not taken back (glibc's mallinfo2:
// in-use arena bytes plus mmap'ed blocks).
size_t heapBytesInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Loads the real-size list into a fresh database once per iteration. The
// "heldMB" counter is what a loaded database keeps on the heap: heap in use
// with the loaded database alive minus heap in use before it was made.
void BM_LoadAirportList(benchmark::State& state) {
    for (auto _ : state) {
        wx::AirportDb db(nullptr);
        if (!db.loadFile(kAirportList)) {
            state.SkipWithError("airports.csv not found; build the nubiro_test_data target");
            return;
        }
        benchmark::DoNotOptimize(db.size());
    }
    const size_t before = heapBytesInUse();
    {
        wx::AirportDb db(nullptr);
        db.loadFile(kAirportList);
        state.counters["heldMB"] = static_cast<double>(heapBytesInUse() - before) / (1024.0 * 1024.0);
        state.counters["airports"] = static_cast<double>(db.size());
    }
}
BENCHMARK(BM_LoadAirportList)->Unit(benchmark::kMillisecond);

// The engine's automatic station choice: 20 airports within 150 nm of
// Heathrow.
void BM_NearestAirports(benchmark::State& state) {
    wx::AirportDb db(nullptr);
    if (!db.loadFile(kAirportList)) {
        state.SkipWithError("airports.csv not found; build the nubiro_test_data target");
        return;
    }
    for (auto _ : state) {
        auto nearest = db.nearestAirports(51.470748, -0.459909, 20, 150.0);
        benchmark::DoNotOptimize(nearest);
    }
}
BENCHMARK(BM_NearestAirports)->Unit(benchmark::kMicrosecond);

}  // namespace
