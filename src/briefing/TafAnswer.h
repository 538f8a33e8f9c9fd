#pragma once

#include <optional>
#include <string>
#include <vector>

#include "briefing/Briefing.h"
#include "weather/LogFn.h"

namespace wx {

// Decodes an answer of the aviation-weather service's JSON TAF endpoint: an
// array of forecasts, each with "icaoId", "issueTime", "validTimeFrom",
// "validTimeTo", "rawTAF" and the periods "fcsts". Times may be numbers
// (seconds since 1970) or text ("2026-03-28T05:20:00.000Z",
// "2023-10-27 14:00:00", "1698436800"); "visib" a number of statute
// miles or "6+" (9999 m); "wdir" a number or "VRB". A forecast without an
// id, a validity or a period, and a period without its times, is left out
// with the line "TAF parse: ..." (ERROR); the rest stand. Nothing when the
// answer is no JSON array ("TAF: unreadable answer", ERROR).
std::optional<std::vector<Taf>> decodeTafAnswer(const std::string& body, const LogFn& log);

}  // namespace wx
