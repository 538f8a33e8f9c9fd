#include "flight/XmlPlan.h"

#include <cmath>

#include "flight/PlanCoordinates.h"
#include "flight/PlanText.h"
#include "flight/XmlDocument.h"

namespace wx {
namespace {

std::string textOf(const XmlElement* element) { return element ? std::string(trimmed(element->text)) : std::string(); }

char waypointType(std::string_view word) {
    static constexpr std::pair<std::string_view, char> kTypes[] = {
        {"airport", 'A'}, {"vor", 'V'}, {"ndb", 'N'}, {"intersection", 'I'}, {"user", 'U'}};
    const std::string lower = lowerAscii(trimmed(word));
    for (const auto& [name, letter] : kTypes) {
        if (lower == name) {
            return letter;
        }
    }
    return 'U';
}

class XmlPlanReader {
public:
    explicit XmlPlanReader(const XmlElement& planElement) : element_(planElement) {}

    PlanReadResult read();

private:
    bool fail(int line, std::string reason) {
        failure_ = {line, std::move(reason)};
        return false;
    }
    bool readCruise();
    bool readAirport(const char* role, const char* idName, const char* positionName, std::string& id);
    bool readWaypoint(const XmlElement& element);

    const XmlElement& element_;
    FlightPlan plan_;
    PlanFailure failure_;
};

bool XmlPlanReader::readCruise() {
    const XmlElement* cruise = element_.child("CruisingAlt");
    if (!cruise) {
        return true;
    }
    const auto altitude = parseCruiseAltitudeFt(cruise->text);
    if (!altitude) {
        return fail(cruise->line, "<CruisingAlt> \"" + textOf(cruise) + "\" is not an altitude in feet");
    }
    if (*altitude > 0.0) {
        plan_.cruiseFt = static_cast<int>(std::lround(*altitude));
    }
    return true;
}

bool XmlPlanReader::readAirport(const char* role, const char* idName, const char* positionName, std::string& id) {
    const XmlElement* idElement = element_.child(idName);
    const std::string ident = textOf(idElement);
    if (ident.empty()) {
        return fail(element_.line, std::string("the plan has no ") + role + " (<" + idName + ">)");
    }
    if (!isAirportIdent(ident)) {
        return fail(idElement->line, std::string("<") + idName + "> \"" + ident + "\" is not 3 or 4 letters or digits");
    }
    if (const XmlElement* position = element_.child(positionName)) {
        const PositionResult read = parsePosition(position->text);
        if (!read.position) {
            return fail(position->line, std::string("<") + positionName + ">: " + read.reason);
        }
    }
    id = upperAscii(ident);
    return true;
}

bool XmlPlanReader::readWaypoint(const XmlElement& element) {
    const XmlElement* icao = element.child("ICAO");
    std::string ident = textOf(icao ? icao->child("ICAOIdent") : nullptr);
    if (ident.empty()) {
        ident = std::string(trimmed(element.attribute("id").value_or("")));
    }
    if (ident.empty()) {
        return fail(element.line, "<ATCWaypoint> has neither an id nor an <ICAOIdent>");
    }
    const XmlElement* position = element.child("WorldPosition");
    if (!position) {
        return fail(element.line, "<ATCWaypoint> " + ident + " has no <WorldPosition>");
    }
    const PositionResult read = parsePosition(position->text);
    if (!read.position) {
        return fail(position->line, "<WorldPosition> of " + ident + ": " + read.reason);
    }
    plan_.waypoints.push_back(Waypoint{std::move(ident), waypointType(textOf(element.child("ATCWaypointType"))),
                                       read.position->latDeg, read.position->lonDeg, read.position->altitudeFt,
                                       textOf(element.child("ATCAirway"))});
    return true;
}

PlanReadResult XmlPlanReader::read() {
    plan_.title = textOf(element_.child("Title"));
    plan_.departureName = textOf(element_.child("DepartureName"));
    plan_.destinationName = textOf(element_.child("DestinationName"));
    bool read = readCruise() && readAirport("departure", "DepartureID", "DepartureLLA", plan_.departureId) &&
                readAirport("destination", "DestinationID", "DestinationLLA", plan_.destinationId);
    for (const XmlElement& child : element_.children) {
        if (read && child.name == "ATCWaypoint") {
            read = readWaypoint(child);
        }
    }
    if (!read) {
        return {std::nullopt, failure_};
    }
    return {std::move(plan_), {}};
}

}  // namespace

PlanReadResult readXmlPlan(std::string_view text) {
    const XmlParseResult document = parseXml(text);
    if (!document.root) {
        return {std::nullopt, document.failure};
    }
    const XmlElement& root = *document.root;
    if (root.name != "SimBase.Document") {
        return PlanReadResult::failed(root.line, "the document is <" + root.name + ">, not a flight plan");
    }
    const XmlElement* plan = root.child("FlightPlan.FlightPlan");
    if (!plan) {
        return PlanReadResult::failed(root.line, "no <FlightPlan.FlightPlan> in the document: not a flight plan");
    }
    return XmlPlanReader(*plan).read();
}

}  // namespace wx
