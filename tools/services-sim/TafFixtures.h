#pragma once

#include <chrono>
#include <string>

namespace wx::sim {

// The answer of the JSON TAF endpoint (/api/data/taf?ids=...&format=json)
// for the ids asked (comma or blank separated, any case), each station the
// stand-in has a forecast for once, in the order asked: an array, empty
// when it has none of them. The forecasts are valid for 30 hours from the
// hour before `anchor` and shaped as the service sends them: validity and
// period times as numbers of seconds, "issueTime" as text (in both of the
// service's forms), "timeBec" as text, "wdir" "VRB", "visib" "6+", change
// groups that give only what changes, FM, BECMG, TEMPO, PROB and PROB with
// TEMPO (a "TEMPO" with a "probability").
std::string tafJsonAnswer(const std::string& ids, std::chrono::system_clock::time_point anchor);

}  // namespace wx::sim
