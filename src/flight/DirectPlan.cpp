#include "flight/DirectPlan.h"

#include "flight/PlanText.h"

namespace wx {
namespace {

constexpr double kFeetPerMetre = 1.0 / 0.3048;

Waypoint airportWaypoint(const std::string& ident, const Airport& airport) {
    return {ident, 'A', airport.lat, airport.lon, airport.elevationM * kFeetPerMetre, {}};
}

}  // namespace

FlightPlan makeDirectPlan(std::string_view departureId, const Airport& departure, std::string_view destinationId,
                          const Airport& destination) {
    FlightPlan plan;
    plan.departureId = upperAscii(departureId);
    plan.destinationId = upperAscii(destinationId);
    plan.title = plan.departureId + " to " + plan.destinationId;
    plan.departureName = departure.name;
    plan.destinationName = destination.name;
    plan.waypoints = {airportWaypoint(plan.departureId, departure), airportWaypoint(plan.destinationId, destination)};
    return plan;
}

}  // namespace wx
