// A flight plan file of either kind, read from its text as the program reads
// a file it is given, then followed as the engine follows a plan: the point
// of the route nearest to the aircraft, the points ahead and the log line.

#include <algorithm>
#include <cmath>

#include "flight/PlanFile.h"
#include "flight/PlanSummary.h"
#include "flight/Route.h"
#include "support/FuzzInput.h"

namespace {

using namespace wx;

constexpr double kSpacingNm = 50.0;

bool inRange(double latDeg, double lonDeg) { return std::abs(latDeg) <= 90.0 && std::abs(lonDeg) <= 180.0; }

bool isIdent(const std::string& ident) {
    return (ident.size() == 3 || ident.size() == 4) &&
           std::all_of(ident.begin(), ident.end(), [](char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); });
}

void follow(const FlightPlan& plan, double latDeg, double lonDeg) {
    const double lengthNm = routeLengthNm(plan);
    const auto progress = routeProgress(plan, latDeg, lonDeg);
    fuzz::require(progress.has_value() == (plan.waypoints.size() >= 2));
    if (progress) {
        fuzz::require(progress->legIndex + 1 < plan.waypoints.size());
        fuzz::require(progress->remainingNm >= 0.0 && progress->remainingNm <= lengthNm + 1e-6);
        fuzz::require(inRange(progress->point.latDeg, progress->point.lonDeg));
    }
    const auto points = routeStationPoints(plan, latDeg, lonDeg, kSpacingNm);
    fuzz::require(points.size() <= static_cast<size_t>(lengthNm / kSpacingNm) + 1);
    for (size_t i = 0; i < points.size(); ++i) {
        fuzz::require(inRange(points[i].point.latDeg, points[i].point.lonDeg));
        fuzz::require(std::abs(points[i].aheadNm - kSpacingNm * static_cast<double>(i + 1)) < 1e-6);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text = fuzz::inputText(data, size);
    const PlanReadResult result = readPlanText(text);
    if (!result.plan) {
        const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
        fuzz::require(!result.failure.reason.empty());
        fuzz::require(result.failure.line >= 0 && result.failure.line <= lines);
        return 0;
    }
    const FlightPlan& plan = *result.plan;
    fuzz::require(isIdent(plan.departureId) && isIdent(plan.destinationId));
    fuzz::require(!plan.cruiseFt || (*plan.cruiseFt > 0 && *plan.cruiseFt <= 100000));
    for (const Waypoint& waypoint : plan.waypoints) {
        fuzz::require(!waypoint.ident.empty() && inRange(waypoint.latDeg, waypoint.lonDeg));
        fuzz::require(std::isfinite(waypoint.altitudeFt));
        fuzz::require(std::string_view("AVNIU").find(waypoint.type) != std::string_view::npos);
    }
    follow(plan, 51.4775, -0.4614);
    follow(plan, plan.waypoints.empty() ? 0.0 : plan.waypoints.back().latDeg,
           plan.waypoints.empty() ? 0.0 : plan.waypoints.back().lonDeg);
    const PlanSummary summary = summarizePlan(plan, "EGNX");
    fuzz::require(!planSummaryLine(summary).empty() && !planSummaryLineRussian(summary).empty());
    return 0;
}
