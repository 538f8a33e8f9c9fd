#include "flight/PlanSummary.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "flight/Route.h"

namespace wx {
namespace {

constexpr const char* kArrow = "\xE2\x86\x92";  // U+2192

std::string flightLevel(int cruiseFt) {
    char text[16];
    std::snprintf(text, sizeof text, "FL%03d", cruiseFt / 100);
    return text;
}

std::string roundedNm(double nm) { return std::to_string(std::lround(nm)); }

// The parts both languages share: "EGSH → EGBB" and the alternate's part.
std::string route(const PlanSummary& summary, const char* alternateWord) {
    std::string text = summary.departureId + " " + kArrow + " " + summary.destinationId;
    if (!summary.alternateId.empty()) {
        text += std::string(" (") + alternateWord + " " + summary.alternateId + ")";
    }
    return text;
}

}  // namespace

PlanSummary summarizePlan(const FlightPlan& plan, const std::string& alternateId) {
    return {plan.departureId, plan.destinationId, alternateId, plan.waypoints.size(), routeLengthNm(plan),
            plan.cruiseFt};
}

std::string planSummaryLine(const PlanSummary& summary) {
    std::string text = "Flight plan: " + route(summary, "alternate") + ", " + std::to_string(summary.waypointCount) +
                       (summary.waypointCount == 1 ? " waypoint, " : " waypoints, ") + roundedNm(summary.lengthNm) +
                       " nm";
    if (summary.cruiseFt) {
        text += ", cruise " + flightLevel(*summary.cruiseFt);
    }
    return text;
}

std::string planSummaryLineRussian(const PlanSummary& summary) {
    std::string text = "План полёта: " + route(summary, "запасной") + ", " + std::to_string(summary.waypointCount) +
                       " " + russianPointsWord(summary.waypointCount) + ", " + roundedNm(summary.lengthNm) + " nm";
    if (summary.cruiseFt) {
        text += ", эшелон " + flightLevel(*summary.cruiseFt);
    }
    return text;
}

std::string russianPointsWord(size_t count) {
    const size_t lastTwo = count % 100;
    const size_t last = count % 10;
    if (lastTwo >= 11 && lastTwo <= 14) {
        return "пунктов";
    }
    if (last == 1) {
        return "пункт";
    }
    if (last >= 2 && last <= 4) {
        return "пункта";
    }
    return "пунктов";
}

}  // namespace wx
