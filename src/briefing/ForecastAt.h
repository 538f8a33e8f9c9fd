#pragma once

#include <optional>

#include "briefing/Briefing.h"

namespace wx {

// The forecast in force at a time, within the validity (from validFrom up
// to, not including, validTo); nothing outside it or without periods.
//
// The prevailing conditions start as the base period (the first "BASE",
// else the first period) and take each FM and BECMG begun by then, in the
// forecast's order: an FM replaces them whole (it is a complete forecast);
// a BECMG puts the values it gives over them once its change is complete
// (at becomingEnd, or at its start without one), so that while it is
// becoming the previous values prevail. The prevailing period keeps the
// times and change name of the last period applied, and its category is
// worked out again from its values. Beside it stand the TEMPO and PROB
// periods in force at that time, in the forecast's order.
std::optional<ForecastAt> forecastAt(const Taf& taf, UtcMillis at);

}  // namespace wx
