// A TAF answer body through a source's fetchTafs, and the forecast in force
// read from each forecast across and beyond its validity, as the briefing
// reads it.

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

#include "briefing/ForecastAt.h"
#include "sources/OpenMeteoSource.h"
#include "support/FuzzInput.h"
#include "support/ScriptedTransport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace wx;
    const LogFn log = [](const std::string&, const std::string&) {};
    OpenMeteoSource source(log, std::make_shared<test::ScriptedTransport>(
                                    std::vector<std::optional<std::string>>{fuzz::inputText(data, size)}));
    const auto tafs = source.fetchTafs({"EGBB", "EGLL"});
    if (!tafs) {
        return 0;
    }
    for (const Taf& taf : *tafs) {
        for (int hour = -2; hour <= 32; hour += 3) {
            if (const auto at = forecastAt(taf, taf.validFrom + std::chrono::hours(hour))) {
                fuzz::require(at->prevailing.category == std::nullopt || at->prevailing.visibilityM ||
                              at->prevailing.ceilingFt);
            }
        }
    }
    return 0;
}
