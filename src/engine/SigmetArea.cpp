#include "engine/SigmetArea.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace wx {
namespace {

using nlohmann::json;

constexpr double kMissingCoordinate = 999.0;
constexpr double kBoxMarginDeg = 2.0;
constexpr double kNearCornerSquaredDeg = 1.0;
constexpr double kHalfGlobeDeg = 180.0;
constexpr double kFullCircleDeg = 360.0;

// Even-odd rule: a ray from the point crosses the edges an odd number of times.
bool insidePolygon(const SigmetPolygon& polygon, double lat, double lon) {
    bool inside = false;
    for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const SigmetVertex& a = polygon[i];
        const SigmetVertex& b = polygon[j];
        if ((a.lat > lat) != (b.lat > lat) && lon < (b.lon - a.lon) * (lat - a.lat) / (b.lat - a.lat + 1e-15) + a.lon) {
            inside = !inside;
        }
    }
    return inside;
}

// Whether an edge of the area, the closing one included, spans more than
// half the globe: the area then lies across the 180th meridian.
bool crossesDateLine(const SigmetPolygon& polygon) {
    for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        if (std::abs(polygon[i].lon - polygon[j].lon) > kHalfGlobeDeg) {
            return true;
        }
    }
    return false;
}

// Western longitudes as degrees east beyond 180, so that an area across the
// 180th meridian is one piece of the plane.
double eastward(double lon) { return lon < 0.0 ? lon + kFullCircleDeg : lon; }

// The area in one piece of the plane: across the 180th meridian, its
// western longitudes counted on beyond 180 east.
SigmetPolygon inOnePiece(SigmetPolygon polygon) {
    if (crossesDateLine(polygon)) {
        for (SigmetVertex& vertex : polygon) {
            vertex.lon = eastward(vertex.lon);
        }
    }
    return polygon;
}

// The object elements of an array as corners.
SigmetPolygon cornersOf(const json& elements) {
    SigmetPolygon polygon;
    try {
        for (const json& point : elements) {
            if (!point.is_object()) {
                continue;
            }
            const double lat = sigmetNumber(point, "lat").value_or(kMissingCoordinate);
            const double lon = sigmetNumber(point, "lon").value_or(kMissingCoordinate);
            if (lat <= 90.0 && lon <= 180.0) {
                polygon.push_back({lat, lon});
            }
        }
    } catch (const std::logic_error&) {
        // An unreadable corner ends the polygon where it stands.
    }
    return polygon;
}

}  // namespace

std::optional<double> sigmetNumber(const json& object, const char* key) {
    const auto it = object.find(key);
    if (it == object.end()) {
        return std::nullopt;
    }
    if (it->is_number()) {
        return it->get<double>();
    }
    if (it->is_string()) {
        return std::stod(it->get_ref<const std::string&>());
    }
    return std::nullopt;
}

std::vector<SigmetPolygon> sigmetPolygons(const json& sigmet) {
    std::vector<SigmetPolygon> polygons;
    const auto coords = sigmet.find("coords");
    if (coords == sigmet.end() || !coords->is_array()) {
        return polygons;
    }
    polygons.push_back(cornersOf(*coords));
    for (const json& element : *coords) {
        if (element.is_array()) {
            polygons.push_back(cornersOf(element));
        }
    }
    std::erase_if(polygons, [](const SigmetPolygon& polygon) { return polygon.empty(); });
    return polygons;
}

std::vector<SigmetPolygon> sigmetAreas(const json& sigmet) {
    std::vector<SigmetPolygon> areas = sigmetPolygons(sigmet);
    for (SigmetPolygon& area : areas) {
        area = inOnePiece(std::move(area));
    }
    return areas;
}

bool sigmetCovers(const std::vector<SigmetPolygon>& polygons, double lat, double lon) {
    return std::any_of(polygons.begin(), polygons.end(),
                       [lat, lon](const SigmetPolygon& polygon) { return polygonCovers(polygon, lat, lon); });
}

bool polygonCovers(const SigmetPolygon& area, double lat, double lon) {
    if (area.empty()) {
        return false;
    }
    if (crossesDateLine(area)) {
        lon = eastward(lon);
    }
    const SigmetPolygon polygon = inOnePiece(area);
    double minLat = 90.0;
    double maxLat = -90.0;
    double minLon = 180.0;
    double maxLon = -180.0;
    for (const SigmetVertex& vertex : polygon) {
        minLat = std::min(minLat, vertex.lat);
        maxLat = std::max(maxLat, vertex.lat);
        minLon = std::min(minLon, vertex.lon);
        maxLon = std::max(maxLon, vertex.lon);
    }
    const bool inBox = minLat - kBoxMarginDeg <= lat && lat <= maxLat + kBoxMarginDeg &&
                       minLon - kBoxMarginDeg <= lon && lon <= maxLon + kBoxMarginDeg;
    const bool inside = polygon.size() >= 3 && insidePolygon(polygon, lat, lon);
    if (!inBox || inside) {
        return inside;
    }
    double nearest = 1e9;
    for (const SigmetVertex& vertex : polygon) {
        const double dLon = vertex.lon - lon;
        const double dLat = vertex.lat - lat;
        nearest = std::min(nearest, dLon * dLon + dLat * dLat);
    }
    return nearest <= kNearCornerSquaredDeg;
}

}  // namespace wx
