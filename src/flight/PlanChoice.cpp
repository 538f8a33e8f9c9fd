#include "flight/PlanChoice.h"

#include <vector>

#include "flight/DirectPlan.h"
#include "flight/PlanFile.h"
#include "flight/PlanText.h"

namespace wx {

bool asksForPlan(const PlanChoice& choice) {
    return !choice.planPath.empty() || (!choice.departureId.empty() && !choice.destinationId.empty());
}

TakenPlan takePlan(const PlanChoice& choice, const FindAirportFn& findAirport) {
    if (!choice.planPath.empty()) {
        PlanReadResult read = readPlanFile(choice.planPath);
        if (read.plan) {
            return {std::move(read.plan), {}};
        }
        const std::string where = read.failure.line > 0 ? ", line " + std::to_string(read.failure.line) : "";
        return {std::nullopt, "Flight plan not read: " + choice.planPath + where + ": " + read.failure.reason};
    }
    if (!asksForPlan(choice)) {
        return {};
    }
    const std::string departureId = upperAscii(choice.departureId);
    const std::string destinationId = upperAscii(choice.destinationId);
    const std::optional<Airport> departure = findAirport(departureId);
    const std::optional<Airport> destination = findAirport(destinationId);
    if (departure && destination) {
        return {makeDirectPlan(departureId, *departure, destinationId, *destination), {}};
    }
    std::string unknown = departure ? "" : departureId;
    if (!destination) {
        unknown += (unknown.empty() ? "" : ", ") + destinationId;
    }
    return {std::nullopt, "Flight plan not made: " + unknown + " not in the airport list"};
}

}  // namespace wx
