#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

#include "weather/Clouds.h"
#include "weather/MetarDecoder.h"

namespace {

std::vector<std::string> corpus() {
    std::ifstream file(NUBIRO_TEST_DATA_DIR "/metar-corpus.txt");
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
}

// Decodes and finishes every report of the corpus once per iteration; the
// items-per-second counter is reports per second.
void BM_DecodeCorpus(benchmark::State& state) {
    const std::vector<std::string> lines = corpus();
    if (lines.empty()) {
        state.SkipWithError("metar-corpus.txt not found; build the nubiro_test_data target");
        return;
    }
    for (auto _ : state) {
        for (const std::string& line : lines) {
            auto weather = wx::decodeMetar("TEST", line, 0, true, 12000);
            wx::finalizeClouds(*weather);
            benchmark::DoNotOptimize(weather);
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(lines.size()));
}
BENCHMARK(BM_DecodeCorpus)->Unit(benchmark::kMillisecond);

}  // namespace
