#include "app/win32/FlightChoice.h"

namespace wx {

void showStartFlight(const PlanChoice& kept, const std::optional<std::string>& planFileGiven,
                     const std::optional<std::string>& arrivalGiven, OptionsPanel& options,
                     const WindowCommands& commands) {
    if (arrivalGiven) {
        options.showArrival(*arrivalGiven);
    }
    PlanChoice flight = kept;
    if (planFileGiven) {
        flight = {*planFileGiven, "", "", kept.alternateId};
    }
    if (flight.planPath.empty()) {
        options.showFlight(flight);
        return;
    }
    const std::optional<FlightPlan> plan = commands.takeFlight(flight);
    options.showFlight(plan ? PlanChoice{flight.planPath, plan->departureId, plan->destinationId, flight.alternateId}
                            : PlanChoice{"", "", "", flight.alternateId});
}

void choosePlanFile(OptionsPanel& options, const WindowCommands& commands) {
    const std::optional<std::string> path = options.askPlanFile();
    if (!path) {
        return;
    }
    const std::string alternateId = options.flight().alternateId;
    if (const auto plan = commands.takeFlight({*path, "", "", alternateId})) {
        options.showFlight({*path, plan->departureId, plan->destinationId, alternateId});
    }
}

}  // namespace wx
