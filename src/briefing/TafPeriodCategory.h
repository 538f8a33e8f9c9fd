#pragma once

#include <optional>

#include "briefing/Briefing.h"
#include "weather/FlightCategory.h"

namespace wx {

// The category of what a period gives, by the rules of the table's column:
// a value the period does not give limits nothing. None when it gives
// neither a visibility nor a ceiling (a layer of BKN, OVC or vertical
// visibility), so that nothing decides one.
std::optional<FlightCategory> periodCategory(const TafPeriod& period);

}  // namespace wx
