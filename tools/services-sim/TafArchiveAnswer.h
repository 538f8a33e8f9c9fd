#pragma once

#include <map>
#include <string>

#include "MetarFixtures.h"
#include "PastAnswers.h"

namespace wx::sim {

// The Mesonet's taf.py with "fmt=csv": one row a group, in its columns.
// Each asked station with a report gets one TAF, issued at the last whole
// six hours (00, 06, 12, 18 UTC) before "ets" less 40 minutes and valid
// for 24 hours from the next whole hour, whose one group forecasts the
// weather of the station's report as the stand-in serves it at "ets"
// (wind, visibility, weather, clouds). Stations come as repeated or
// comma-separated "station" values (a three-letter id gets its K); the end
// as "ets" (ISO 8601) or year2..minute2. Without an end: 422.
ArchiveAnswer tafArchiveAnswer(const MetarFixtures& fixtures, const std::multimap<std::string, std::string>& params);

}  // namespace wx::sim
