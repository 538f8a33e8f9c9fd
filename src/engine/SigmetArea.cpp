#include "engine/SigmetArea.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace wx {
namespace {

using nlohmann::json;

constexpr double kMissingCoordinate = 999.0;
constexpr double kBoxMarginDeg = 2.0;
constexpr double kNearCornerSquaredDeg = 1.0;

// A number, or text starting with one; the fallback when the member is
// absent or of another type. Text without a number throws
// std::invalid_argument, a number out of range std::out_of_range.
double coordinate(const json& point, const char* key) {
    const auto it = point.find(key);
    if (it == point.end()) {
        return kMissingCoordinate;
    }
    if (it->is_number()) {
        return it->get<double>();
    }
    if (it->is_string()) {
        return std::stod(it->get_ref<const std::string&>());
    }
    return kMissingCoordinate;
}

// Even-odd rule: a ray from the point crosses the edges an odd number of times.
bool insidePolygon(const std::vector<SigmetVertex>& polygon, double lat, double lon) {
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

}  // namespace

std::vector<SigmetVertex> sigmetPolygon(const json& sigmet) {
    std::vector<SigmetVertex> polygon;
    const auto coords = sigmet.find("coords");
    if (coords == sigmet.end() || !coords->is_array()) {
        return polygon;
    }
    try {
        for (const json& point : *coords) {
            if (!point.is_object()) {
                continue;
            }
            const double lat = coordinate(point, "lat");
            const double lon = coordinate(point, "lon");
            if (lat <= 90.0 && lon <= 180.0) {
                polygon.push_back({lat, lon});
            }
        }
    } catch (const std::logic_error&) {
        // An unreadable corner ends the area where it stands.
    }
    return polygon;
}

bool sigmetCovers(const std::vector<SigmetVertex>& polygon, double lat, double lon) {
    if (polygon.empty()) {
        return false;
    }
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
