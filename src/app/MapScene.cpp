#include "app/MapScene.h"

#include <algorithm>
#include <cmath>

#include "app/StationCells.h"
#include "app/UiText.h"
#include "flight/GreatCircle.h"
#include "app/WindowLayout.h"

namespace wx {
namespace {

// Sizes at 96 DPI.
constexpr int kMarginPx = 16;
constexpr int kDotRadiusPx = 5;
constexpr int kStaffPx = 24;
constexpr int kFeatherPx = 10;
constexpr int kAircraftSpanPx = 24;
constexpr int kHoverSlackPx = 4;
constexpr int kTagInsetPx = 40;
constexpr int kLabelDropPx = 14;
// A leg is drawn through a point every this many miles of its great circle,
// at most this many points.
constexpr double kLegStepNm = 20.0;
constexpr int kLegMaxPoints = 64;

double scaled(int pixelsAt96, unsigned dpi) { return pixelsAt96 * static_cast<double>(dpi) / kBaseDpi; }

std::string tooltipOf(const OverviewStation& station, Language language) {
    if (!station.weather.rawMetar.empty()) {
        return station.weather.rawMetar;
    }
    return station.stationId + ": " + uiText(language, TextId::MapModelWeather);
}

// The tag's place: inside the outline's top, across the middle of its
// corners, kept inside the panel; so that an area around the aircraft
// keeps its tag clear of the stations in the middle.
MapPoint tagPlace(const std::vector<MapPoint>& outline, const MapScene& scene, double insetPx) {
    double middle = 0.0;
    double top = outline.front().y;
    for (const MapPoint& corner : outline) {
        middle += corner.x / static_cast<double>(outline.size());
        top = std::min(top, corner.y);
    }
    return {std::clamp(middle, insetPx, std::max(insetPx, scene.widthPx - insetPx)),
            std::clamp(top + insetPx / 2.0, insetPx / 2.0, std::max(insetPx / 2.0, scene.heightPx - insetPx / 2.0))};
}

std::vector<SceneArea> areasInView(const MapFrame& frame, const std::vector<OverviewSigmet>& sigmets,
                                   const MapScene& scene, double insetPx) {
    std::vector<SceneArea> areas;
    for (const OverviewSigmet& sigmet : sigmets) {
        SceneArea area{{}, hazardColour(sigmet.hazard), sigmet.tag, {}};
        for (const SigmetPolygon& polygon : sigmet.areas) {
            std::vector<MapPoint> outline = projectArea(frame, polygon);
            if (outlineInView(frame, outline)) {
                area.outlines.push_back(std::move(outline));
            }
        }
        if (!area.outlines.empty()) {
            area.tagAt = tagPlace(area.outlines.front(), scene, insetPx);
            areas.push_back(std::move(area));
        }
    }
    return areas;
}

std::vector<MapPoint> projectLeg(const MapFrame& frame, const Waypoint& from, const Waypoint& to) {
    const double lengthNm = distanceNm(from.latDeg, from.lonDeg, to.latDeg, to.lonDeg);
    const int steps = std::clamp(static_cast<int>(std::ceil(lengthNm / kLegStepNm)), 1, kLegMaxPoints - 1);
    std::vector<MapPoint> points;
    for (int step = 0; step <= steps; ++step) {
        const geo::LatLon at = geo::pointAlongLeg({from.latDeg, from.lonDeg}, {to.latDeg, to.lonDeg},
                                                  lengthNm * step / steps);
        points.push_back(projectToMap(frame, at.latDeg, at.lonDeg));
    }
    return points;
}

void addRoute(MapScene& scene, const MapFrame& frame, const OverviewRoute& route, unsigned dpi) {
    for (size_t i = 1; i < route.waypoints.size(); ++i) {
        std::vector<MapPoint> leg = projectLeg(frame, route.waypoints[i - 1], route.waypoints[i]);
        if (outlineInView(frame, leg)) {
            scene.routeLegs.push_back(std::move(leg));
        }
    }
    for (const OverviewAirport& airport : route.airports) {
        const MapPoint at = projectToMap(frame, airport.latDeg, airport.lonDeg);
        if (pointInView(frame, at, 0.0)) {
            scene.planAirports.push_back(
                {stationRoleCell(airport.role) + " " + airport.ident, {at.x, at.y + scaled(kLabelDropPx, dpi)}});
        }
    }
}

}  // namespace

MapScene buildMapScene(const std::optional<CycleOverview>& overview, int widthPx, int heightPx, unsigned dpi,
                       Language language, int zoomStep) {
    MapScene scene;
    scene.widthPx = std::max(widthPx, 0);
    scene.heightPx = std::max(heightPx, 0);
    scene.lineWidthPx = std::max(1.0, std::round(scaled(1, dpi)));
    scene.dotRadiusPx = scaled(kDotRadiusPx, dpi);
    for (const FlightCategory category :
         {FlightCategory::Vfr, FlightCategory::Mvfr, FlightCategory::Ifr, FlightCategory::Lifr}) {
        scene.legend.push_back({flightCategoryName(category), categoryColour(category)});
    }
    if (!overview || (!overview->aircraft && overview->stations.empty())) {
        scene.note = uiText(language, overview ? TextId::MapNoPosition : TextId::MapWaiting);
        return scene;
    }
    const double centreLat = overview->aircraft ? overview->aircraft->latitudeDeg : overview->stations[0].latDeg;
    const double centreLon = overview->aircraft ? overview->aircraft->longitudeDeg : overview->stations[0].lonDeg;
    const double radiusNm = std::max(overview->radiusNm, 1) / std::pow(2.0, std::clamp(zoomStep, 0, kMapZoomSteps));
    const MapFrame frame = mapFrame(centreLat, centreLon, radiusNm, scene.widthPx, scene.heightPx,
                                    static_cast<int>(std::lround(scaled(kMarginPx, dpi))));
    scene.centre = frame.centre;
    scene.rings = rangeRings(frame, radiusNm);
    scene.areas = areasInView(frame, overview->sigmets, scene, scaled(kTagInsetPx, dpi));
    if (overview->route) {
        addRoute(scene, frame, *overview->route, dpi);
    }
    for (const OverviewStation& station : overview->stations) {
        const MapPoint at = projectToMap(frame, station.latDeg, station.lonDeg);
        if (!pointInView(frame, at, scene.dotRadiusPx)) {
            continue;
        }
        scene.stations.push_back({station.stationId, at, categoryColour(flightCategory(station.weather)),
                                  windBarb(at, station.weather.windDirDeg, station.weather.windSpeedKt,
                                           scene.dotRadiusPx, scaled(kStaffPx, dpi), scaled(kFeatherPx, dpi)),
                                  tooltipOf(station, language)});
    }
    if (overview->aircraft) {
        scene.aircraft = aircraftSymbol(frame.centre, scaled(kAircraftSpanPx, dpi));
    }
    return scene;
}

std::optional<size_t> stationAt(const MapScene& scene, MapPoint pointer) {
    const double reach = scene.dotRadiusPx + kHoverSlackPx * scene.lineWidthPx;
    std::optional<size_t> nearest;
    double nearestDistance = reach;
    for (size_t i = 0; i < scene.stations.size(); ++i) {
        const double distance =
            std::hypot(scene.stations[i].at.x - pointer.x, scene.stations[i].at.y - pointer.y);
        if (distance <= nearestDistance) {
            nearestDistance = distance;
            nearest = i;
        }
    }
    return nearest;
}

}  // namespace wx
