#include "engine/RouteSigmets.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <string>

#include "engine/SigmetArea.h"
#include "engine/SigmetHazard.h"
#include "flight/GreatCircle.h"

namespace wx {
namespace {

using nlohmann::json;

constexpr double kSampleSpacingNm = 10.0;

struct PlanePoint {
    double lat = 0.0;
    double lon = 0.0;
};

double crossProduct(const PlanePoint& o, const PlanePoint& a, const PlanePoint& b) {
    return (a.lon - o.lon) * (b.lat - o.lat) - (a.lat - o.lat) * (b.lon - o.lon);
}

bool segmentsCross(const PlanePoint& p1, const PlanePoint& p2, const PlanePoint& q1, const PlanePoint& q2) {
    const double d1 = crossProduct(q1, q2, p1);
    const double d2 = crossProduct(q1, q2, p2);
    const double d3 = crossProduct(p1, p2, q1);
    const double d4 = crossProduct(p1, p2, q2);
    return ((d1 > 0) != (d2 > 0)) && ((d3 > 0) != (d4 > 0));
}

// A longitude as the area counts it: one across the 180th meridian counts
// western longitudes on beyond 180 east.
double asArea(const SigmetPolygon& area, double lon) {
    const bool eastward = std::any_of(area.begin(), area.end(), [](const SigmetVertex& v) { return v.lon > 180.0; });
    return eastward && lon < 0.0 ? lon + 360.0 : lon;
}

bool cutsEdge(const SigmetPolygon& area, const PlanePoint& a, const PlanePoint& b) {
    const PlanePoint from{a.lat, asArea(area, a.lon)};
    const PlanePoint to{b.lat, asArea(area, b.lon)};
    if (std::abs(from.lon - to.lon) > 180.0) {
        return false;
    }
    for (size_t i = 0, j = area.size() - 1; area.size() > 1 && i < area.size(); j = i++) {
        if (segmentsCross(from, to, {area[j].lat, area[j].lon}, {area[i].lat, area[i].lon})) {
            return true;
        }
    }
    return false;
}

std::vector<PlanePoint> legPoints(const Waypoint& from, const Waypoint& to) {
    const geo::LatLon start{from.latDeg, from.lonDeg};
    const geo::LatLon end{to.latDeg, to.lonDeg};
    const double lengthNm = distanceNm(from.latDeg, from.lonDeg, to.latDeg, to.lonDeg);
    const int steps = std::max(1, static_cast<int>(std::ceil(lengthNm / kSampleSpacingNm)));
    std::vector<PlanePoint> points;
    for (int i = 0; i < steps; ++i) {
        const geo::LatLon point = geo::pointAlongLeg(start, end, lengthNm * i / steps);
        points.push_back({point.latDeg, point.lonDeg});
    }
    points.push_back({to.latDeg, to.lonDeg});
    return points;
}

bool legCrosses(const std::vector<SigmetPolygon>& areas, const std::vector<PlanePoint>& points) {
    for (size_t i = 0; i < points.size(); ++i) {
        if (sigmetCovers(areas, points[i].lat, points[i].lon)) {
            return true;
        }
        if (i > 0 && std::any_of(areas.begin(), areas.end(), [&](const SigmetPolygon& area) {
                return cutsEdge(area, points[i - 1], points[i]);
            })) {
            return true;
        }
    }
    return false;
}

std::optional<int> levelFt(const json& sigmet, const char* key) {
    try {
        const std::optional<double> feet = sigmetNumber(sigmet, key);
        if (feet && std::isfinite(*feet) && std::abs(*feet) < 1e6) {
            return static_cast<int>(std::lround(*feet));
        }
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

// "EGTT A3": the region and the series; the issuing office when the
// region is not given.
std::string sigmetId(const json& sigmet) {
    const std::string region = sigmetText(sigmet, "firId", sigmetText(sigmet, "icaoId"));
    const std::string series = sigmetText(sigmet, "seriesId");
    return region.empty() || series.empty() ? region + series : region + " " + series;
}

}  // namespace

std::vector<BriefingSigmet> routeSigmets(const FlightPlan& plan, const std::vector<json>& sigmets) {
    std::vector<std::vector<PlanePoint>> legs;
    for (size_t i = 1; i < plan.waypoints.size(); ++i) {
        legs.push_back(legPoints(plan.waypoints[i - 1], plan.waypoints[i]));
    }
    std::vector<BriefingSigmet> crossing;
    for (const json& sigmet : sigmets) {
        if (!sigmet.is_object()) {
            continue;
        }
        const std::vector<SigmetPolygon> areas = sigmetAreas(sigmet);
        BriefingSigmet entry{sigmetId(sigmet), sigmetText(sigmet, "hazard"), levelFt(sigmet, "base"),
                             levelFt(sigmet, "top"), {}, false};
        for (size_t leg = 0; leg < legs.size(); ++leg) {
            if (legCrosses(areas, legs[leg])) {
                entry.legs.push_back(static_cast<int>(leg + 1));
            }
        }
        if (entry.legs.empty()) {
            continue;
        }
        entry.atCruise = plan.cruiseFt && *plan.cruiseFt >= entry.baseFt.value_or(*plan.cruiseFt) &&
                         *plan.cruiseFt <= entry.topFt.value_or(*plan.cruiseFt);
        crossing.push_back(std::move(entry));
    }
    return crossing;
}

}  // namespace wx
