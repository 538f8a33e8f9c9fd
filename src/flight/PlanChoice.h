#pragma once

#include <functional>
#include <optional>
#include <string>

#include "airports/Airport.h"
#include "flight/FlightPlan.h"

namespace wx {

// The flight the pilot asked for, as the window's plan fields and
// nubiro-cli's options give it: a plan file, or two airports typed in, and
// an alternate beside either.
struct PlanChoice {
    std::string planPath;       // a .PLN file (UTF-8 path); empty: none
    std::string departureId;    // typed airports, used without a plan file
    std::string destinationId;
    std::string alternateId;

    bool operator==(const PlanChoice&) const = default;
};

// Whether the choice asks for a plan: a file, or both typed airports.
bool asksForPlan(const PlanChoice& choice);

// The plan made from a choice, or why there is none although one was asked
// for: one line for the log, naming the file and its first line at fault,
// or the airports not found.
struct TakenPlan {
    std::optional<FlightPlan> plan;
    std::string warning;
};

// An airport by its ident, as AirportDb::findAirport finds it.
using FindAirportFn = std::function<std::optional<Airport>(const std::string& ident)>;

// The plan file when the choice names one (the typed airports are then the
// plan's own and are not looked at), else a plan of one leg between the
// typed airports, each upper-cased and found with findAirport. Nothing,
// without a warning, when the choice asks for no plan.
TakenPlan takePlan(const PlanChoice& choice, const FindAirportFn& findAirport);

}  // namespace wx
