#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace wx {

// One point of a plan, in the plan's order.
struct Waypoint {
    std::string ident;        // as in the file; bytes above 0x7F kept as they are
    char type = 'U';          // 'A' airport, 'V' VOR, 'N' NDB, 'I' intersection, 'U' user
    double latDeg = 0.0;      // north positive
    double lonDeg = 0.0;      // east positive
    double altitudeFt = 0.0;  // the plan's altitude of the point (0 when it gives none)
    std::string airway;       // the airway that leads to this point; empty for a direct leg

    bool operator==(const Waypoint&) const = default;
};

// A flight plan as read from a file or made from two airports. The first
// and last waypoints are normally the departure and destination airports.
struct FlightPlan {
    std::string title;
    std::string departureId;    // 3-4 upper-case letters or digits
    std::string destinationId;  // 3-4 upper-case letters or digits
    std::string departureName;  // bytes as in the file (a Windows code page or UTF-8)
    std::string destinationName;
    std::optional<int> cruiseFt;  // none when the plan gives none, or 0
    std::vector<Waypoint> waypoints;

    bool operator==(const FlightPlan&) const = default;
};

// Why a plan could not be read: the first line at fault (1-based; 0 when
// the fault is the file as a whole: unreadable, too large, empty) and a
// sentence in English.
struct PlanFailure {
    int line = 0;
    std::string reason;

    bool operator==(const PlanFailure&) const = default;
};

// Either a plan or, when plan is empty, the failure.
struct PlanReadResult {
    std::optional<FlightPlan> plan;
    PlanFailure failure;

    static PlanReadResult failed(int line, std::string reason) { return {std::nullopt, {line, std::move(reason)}}; }
};

}  // namespace wx
