#pragma once

#include <functional>
#include <iosfwd>

#include "weather/WeatherData.h"

namespace wx::cli {

// Reads weather records, one JSON object a line, and hands each to use().
// Empty lines are skipped; a line that is not a record is reported on err as
// "line N: ..." and passed over. Returns 1 when any line was reported, else 0.
int forEachRecordLine(std::istream& in, std::ostream& err, const std::function<void(const WeatherData&)>& use);

}  // namespace wx::cli
