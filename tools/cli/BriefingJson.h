#pragma once

#include <nlohmann/json.hpp>

#include "briefing/Briefing.h"

namespace wx::cli {

// A briefing as `brief` prints it and the run's "briefing" event holds it:
// "eta", "airports" (each with "icao", "role", "reportCategory",
// "reportAgeMinutes", "taf" and "atEta") and "sigmets". Times are UTC to
// the minute ("2026-12-08T16:40Z"); what is not known is null: no TAF, no
// forecast at the arrival time, a ceiling, a category that nothing decides.
nlohmann::ordered_json briefingToJson(const Briefing& briefing);

// "2026-12-08T16:40Z".
std::string minuteTime(UtcMillis time);

}  // namespace wx::cli
