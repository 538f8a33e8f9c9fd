#pragma once

#include <optional>
#include <string>

#include "app/UiLanguage.h"
#include "briefing/Briefing.h"

namespace wx {

// The briefing's words in the window's language (the codes pilots read in
// reports stay as they are: VFR, TEMPO, PROB30, -RA, TS).

// "16:40Z".
std::string utcClockText(UtcMillis time);
// "081120Z": the day of the month, hours and minutes, as a TAF gives its
// issue time.
std::string dayTimeGroup(UtcMillis time);
// "VFR", ... or "?" for a category that cannot be told.
std::string categoryText(const std::optional<FlightCategory>& category);

// "Arrival 2026-12-08 16:40Z".
std::string arrivalText(Language language, UtcMillis eta);
// "DEST EGBB".
std::string airportName(const BriefingAirport& airport);
// "METAR MVFR, 12 min", or that there is no report.
std::string reportText(Language language, const BriefingAirport& airport);
// "TAF issued 081120Z", or that there is no TAF.
std::string tafText(Language language, const BriefingAirport& airport);

// What a period gives: "wind 240°/12 kt, gusts 22 kt, vis 10 km or more,
// ceiling 800 ft, -RA" (a calm, a variable wind, no ceiling among listed
// clouds); what it does not give is left out.
std::string periodWords(Language language, const TafPeriod& period);
// The forecast in force at arrival: "At arrival 16:40Z: IFR — wind ...",
// then each TEMPO and PROB period beside it ("; TEMPO LIFR: vis 800 m");
// or that there is none for that time.
std::string arrivalForecastText(Language language, const BriefingAirport& airport, UtcMillis eta);

// "TS, SFC–FL380, legs 1, 2, at the cruise level (id)".
std::string sigmetText(Language language, const BriefingSigmet& sigmet);

}  // namespace wx
