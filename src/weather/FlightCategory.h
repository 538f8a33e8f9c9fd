#pragma once

#include "weather/WeatherData.h"

namespace wx {

// The flight rules a station's weather allows, from the best to the worst.
enum class FlightCategory { Vfr, Mvfr, Ifr, Lifr };

// The category of a record as written: the ceiling is the base above the
// station of the lowest cloud layer of 5 oktas or more, the visibility is
// in statute miles. LIFR below 500 ft or 1 SM; IFR below 1,000 ft or 3 SM;
// MVFR up to 3,000 ft or 5 SM; VFR above both. The ceiling is compared in
// tens of feet and the visibility in hundredths of a mile, the steps
// reports give them in, so that a record's whole metres do not move a
// reported 1,000 ft (304 m) or 1 SM (1609 m) across a boundary.
FlightCategory flightCategory(const WeatherData& weather);

// The same rules for a ceiling in feet above the station and a visibility
// in statute miles as the steps above give them; infinity for no ceiling or
// an unlimited visibility.
FlightCategory flightCategoryFrom(double ceilingFt, double visibilityMiles);

// Metres as statute miles in hundredths, the step the rules compare.
double visibilityStatuteMiles(int32_t visibilityM);

// "VFR", "MVFR", "IFR" or "LIFR".
const char* flightCategoryName(FlightCategory category);

}  // namespace wx
