#pragma once

#include <string>

#include "sources/WeatherSource.h"

namespace wx {

// Stores text as the report of id. A later entry replaces an earlier one,
// except when both carry a "ddhhmmZ" time group and the later one is the
// older report: the service lists several reports of a station newest first,
// and the newest must win.
void putReport(MetarMap& map, const std::string& id, const std::string& text);

// True when candidate's time group is strictly older than current's. Days
// more than half a month apart are taken to lie across a month boundary.
bool isOlderReport(const std::string& candidate, const std::string& current);

}  // namespace wx
