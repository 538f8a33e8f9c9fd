#include "flight/IniPlan.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "flight/PlanCoordinates.h"
#include "flight/PlanText.h"

namespace wx {
namespace {

constexpr std::string_view kWaypointKey = "waypoint.";

struct NumberedWaypoint {
    long number;
    int line;
    Waypoint waypoint;
};

// What has been read of the [flightplan] section so far.
class IniPlanReader {
public:
    // False, with the failure set, when the line fails the plan.
    bool readKey(std::string_view key, std::string_view value, int line);
    PlanReadResult finish(int sectionLine);
    PlanReadResult failure() const { return {std::nullopt, failure_}; }

private:
    bool fail(int line, std::string reason) {
        failure_ = {line, std::move(reason)};
        return false;
    }
    bool readAirport(std::string_view key, std::string_view value, int line, std::string& id);
    bool readWaypoint(std::string_view key, std::string_view value, int line);

    FlightPlan plan_;
    std::vector<NumberedWaypoint> waypoints_;
    std::set<std::string> seen_;
    PlanFailure failure_;
};

bool IniPlanReader::readKey(std::string_view key, std::string_view value, int line) {
    const std::string name = lowerAscii(key);
    if (name.compare(0, kWaypointKey.size(), kWaypointKey) == 0) {
        return readWaypoint(name, value, line);
    }
    if (!seen_.insert(name).second) {
        return true;
    }
    if (name == "title") {
        plan_.title = value;
    } else if (name == "departure_name") {
        plan_.departureName = value;
    } else if (name == "destination_name") {
        plan_.destinationName = value;
    } else if (name == "departure_id") {
        return readAirport(name, value, line, plan_.departureId);
    } else if (name == "destination_id") {
        return readAirport(name, value, line, plan_.destinationId);
    } else if (name == "cruising_altitude") {
        const auto altitude = parseCruiseAltitudeFt(value);
        if (!altitude) {
            return fail(line, "cruising_altitude \"" + std::string(value) + "\" is not an altitude in feet");
        }
        if (*altitude > 0.0) {
            plan_.cruiseFt = static_cast<int>(std::lround(*altitude));
        }
    }
    return true;
}

// "EGSH" or "EGSH, N52* 40.55', E1* 16.93', +000117.00".
bool IniPlanReader::readAirport(std::string_view key, std::string_view value, int line, std::string& id) {
    const size_t comma = value.find(',');
    const std::string_view ident = trimmed(value.substr(0, comma));
    if (!isAirportIdent(ident)) {
        return fail(line, std::string(key) + " \"" + std::string(ident) + "\" is not 3 or 4 letters or digits");
    }
    if (comma != std::string_view::npos) {
        const PositionResult position = parsePosition(value.substr(comma + 1));
        if (!position.position) {
            return fail(line, std::string(key) + ": " + position.reason);
        }
    }
    id = upperAscii(ident);
    return true;
}

bool IniPlanReader::readWaypoint(std::string_view key, std::string_view value, int line) {
    const std::string_view digits = key.substr(kWaypointKey.size());
    if (digits.empty() || digits.size() > 6 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return fail(line, "\"" + std::string(key) + "\" is not waypoint.N with a number N");
    }
    IniWaypointResult read = parseIniWaypoint(value);
    if (!read.waypoint) {
        return fail(line, std::string(key) + ": " + read.reason);
    }
    waypoints_.push_back({std::stol(std::string(digits)), line, std::move(*read.waypoint)});
    return true;
}

PlanReadResult IniPlanReader::finish(int sectionLine) {
    std::stable_sort(waypoints_.begin(), waypoints_.end(),
                     [](const NumberedWaypoint& a, const NumberedWaypoint& b) { return a.number < b.number; });
    for (size_t i = 1; i < waypoints_.size(); ++i) {
        if (waypoints_[i].number == waypoints_[i - 1].number) {
            const NumberedWaypoint& later = waypoints_[i].line > waypoints_[i - 1].line ? waypoints_[i] : waypoints_[i - 1];
            return PlanReadResult::failed(later.line, "waypoint." + std::to_string(later.number) + " appears twice");
        }
    }
    if (plan_.departureId.empty()) {
        return PlanReadResult::failed(sectionLine, "the plan has no departure (departure_id)");
    }
    if (plan_.destinationId.empty()) {
        return PlanReadResult::failed(sectionLine, "the plan has no destination (destination_id)");
    }
    for (NumberedWaypoint& numbered : waypoints_) {
        plan_.waypoints.push_back(std::move(numbered.waypoint));
    }
    return {std::move(plan_), {}};
}

}  // namespace

IniWaypointResult parseIniWaypoint(std::string_view value) {
    std::vector<std::string_view> fields = commaFields(value);
    // A trailing comma after the airway leaves one empty field more.
    if ((fields.size() == 7 || fields.size() == 10) && fields.back().empty()) {
        fields.pop_back();
    }
    const bool shortForm = fields.size() == 5 || fields.size() == 6;
    const bool longForm = fields.size() == 8 || fields.size() == 9;
    if (!shortForm && !longForm) {
        return {std::nullopt, "a waypoint has 5 or 6 fields (ident, type, latitude, longitude, altitude, airway) "
                              "or 8 or 9 (region, ident, name, ident, type, ...), not " +
                                  std::to_string(fields.size())};
    }
    const size_t typeField = shortForm ? 1 : 4;
    std::string_view ident = shortForm ? fields[0] : fields[1];
    if (ident.empty() && longForm) {
        ident = fields[3];
    }
    if (ident.empty()) {
        return {std::nullopt, "the waypoint has no ident"};
    }
    const std::string type = upperAscii(fields[typeField]);
    if (type.size() != 1 || std::string_view("AVNIU").find(type[0]) == std::string_view::npos) {
        return {std::nullopt, "waypoint type \"" + std::string(fields[typeField]) + "\" is not one of A V N I U"};
    }
    const AngleResult lat = parseAngle(fields[typeField + 1], Axis::Latitude);
    if (!lat.degrees) {
        return {std::nullopt, lat.reason};
    }
    const AngleResult lon = parseAngle(fields[typeField + 2], Axis::Longitude);
    if (!lon.degrees) {
        return {std::nullopt, lon.reason};
    }
    const auto altitude = parseAltitudeFt(fields[typeField + 3]);
    if (!altitude) {
        return {std::nullopt, "altitude \"" + std::string(fields[typeField + 3]) + "\" is not a number"};
    }
    const size_t airwayField = typeField + 4;
    Waypoint waypoint{std::string(ident), type[0], *lat.degrees, *lon.degrees, *altitude,
                      airwayField < fields.size() ? std::string(fields[airwayField]) : std::string()};
    return {std::move(waypoint), {}};
}

PlanReadResult readIniPlan(std::string_view text) {
    IniPlanReader reader;
    int sectionLine = 0;
    bool inPlan = false;
    int line = 0;
    while (!text.empty()) {
        ++line;
        const size_t end = text.find('\n');
        const std::string_view content = trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (content.empty() || content.front() == ';') {
            continue;
        }
        if (content.front() == '[' && content.back() == ']') {
            inPlan = lowerAscii(trimmed(content.substr(1, content.size() - 2))) == "flightplan";
            if (inPlan && sectionLine == 0) {
                sectionLine = line;
            }
            continue;
        }
        const size_t equals = content.find('=');
        if (!inPlan || equals == std::string_view::npos) {
            continue;
        }
        if (!reader.readKey(trimmed(content.substr(0, equals)), trimmed(content.substr(equals + 1)), line)) {
            return reader.failure();
        }
    }
    if (sectionLine == 0) {
        return PlanReadResult::failed(1, "no [flightplan] section: not a flight plan");
    }
    return reader.finish(sectionLine);
}

}  // namespace wx
