#include "app/MapGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "airports/Distance.h"

namespace wx {
namespace {

using geo::radians;

constexpr double kNmPerDegree = 60.0;
// A full barb stands this far along the staff from the next one.
constexpr double kFeatherSpacing = 0.45;
// Barbs lean out toward the staff's far end by this share of their length.
constexpr double kFeatherLean = 0.35;
// The smallest radius shown: a zero radius at the deepest zoom.
constexpr double kSmallestRadiusNm = 1.0 / 16.0;

// A longitude difference brought into -180..180.
double shortWay(double degrees) { return degrees - 360.0 * std::round(degrees / 360.0); }

MapPoint along(MapPoint from, MapPoint direction, double distance) {
    return {from.x + direction.x * distance, from.y + direction.y * distance};
}

std::string distanceLabel(double nm) {
    char text[32];
    std::snprintf(text, sizeof text, nm == std::round(nm) ? "%.0f nm" : "%.1f nm", nm);
    return text;
}

}  // namespace

MapFrame mapFrame(double centreLatDeg, double centreLonDeg, double radiusNm, int widthPx, int heightPx,
                  int marginPx) {
    MapFrame frame;
    frame.centreLatDeg = centreLatDeg;
    frame.centreLonDeg = centreLonDeg;
    frame.widthPx = std::max(widthPx, 0);
    frame.heightPx = std::max(heightPx, 0);
    frame.centre = {frame.widthPx / 2.0, frame.heightPx / 2.0};
    const double halfSide = std::max(std::min(frame.widthPx, frame.heightPx) / 2.0 - marginPx, 1.0);
    frame.pixelsPerNm = halfSide / std::max(radiusNm, kSmallestRadiusNm);
    return frame;
}

MapPoint projectToMap(const MapFrame& frame, double latDeg, double lonDeg) {
    const double eastNm = shortWay(lonDeg - frame.centreLonDeg) * std::cos(radians(frame.centreLatDeg)) * kNmPerDegree;
    const double northNm = (latDeg - frame.centreLatDeg) * kNmPerDegree;
    return {frame.centre.x + eastNm * frame.pixelsPerNm, frame.centre.y - northNm * frame.pixelsPerNm};
}

std::vector<MapPoint> projectArea(const MapFrame& frame, const SigmetPolygon& area) {
    std::vector<MapPoint> outline;
    if (area.empty()) {
        return outline;
    }
    const double turn = shortWay(area.front().lon - frame.centreLonDeg) - (area.front().lon - frame.centreLonDeg);
    const double eastPerDegree = std::cos(radians(frame.centreLatDeg)) * kNmPerDegree * frame.pixelsPerNm;
    for (const SigmetVertex& vertex : area) {
        const double east = (vertex.lon + turn - frame.centreLonDeg) * eastPerDegree;
        const double north = (vertex.lat - frame.centreLatDeg) * kNmPerDegree * frame.pixelsPerNm;
        outline.push_back({frame.centre.x + east, frame.centre.y - north});
    }
    return outline;
}

bool pointInView(const MapFrame& frame, MapPoint point, double slackPx) {
    return point.x >= -slackPx && point.y >= -slackPx && point.x <= frame.widthPx + slackPx &&
           point.y <= frame.heightPx + slackPx;
}

bool outlineInView(const MapFrame& frame, const std::vector<MapPoint>& outline) {
    if (outline.empty()) {
        return false;
    }
    const auto [left, right] = std::minmax_element(outline.begin(), outline.end(),
                                                   [](MapPoint a, MapPoint b) { return a.x < b.x; });
    const auto [top, bottom] = std::minmax_element(outline.begin(), outline.end(),
                                                   [](MapPoint a, MapPoint b) { return a.y < b.y; });
    return right->x >= 0.0 && left->x <= frame.widthPx && bottom->y >= 0.0 && top->y <= frame.heightPx;
}

std::vector<RangeRing> rangeRings(const MapFrame& frame, double radiusNm) {
    const double radius = std::max(radiusNm, kSmallestRadiusNm);
    return {{radius / 2.0 * frame.pixelsPerNm, distanceLabel(radius / 2.0)},
            {radius * frame.pixelsPerNm, distanceLabel(radius)}};
}

WindBarb windBarb(MapPoint station, int32_t dirDeg, int32_t speedKt, double gapPx, double staffPx,
                  double featherPx) {
    WindBarb barb;
    if (speedKt <= 0) {
        barb.calm = true;
        barb.calmRadiusPx = gapPx;
        return barb;
    }
    // Toward where the wind comes from, and across the staff to its side.
    const MapPoint out{std::sin(radians(dirDeg)), -std::cos(radians(dirDeg))};
    const MapPoint side{-out.y, out.x};
    const MapPoint tip = along(station, out, gapPx + staffPx);
    barb.lines.push_back({along(station, out, gapPx), tip});

    const int32_t fives = (speedKt + 2) / 5;
    int32_t pennants = fives / 10;
    int32_t fulls = fives % 10 / 2;
    const bool half = fives % 2 == 1;
    const double step = featherPx * kFeatherSpacing;
    double at = 0.0;  // from the tip toward the station
    const auto feather = [&](double length) {
        const MapPoint root = along(tip, out, -at);
        const MapPoint end = along(along(root, side, length), out, length * kFeatherLean);
        barb.lines.push_back({root, end});
        at += step;
    };
    for (; pennants > 0; --pennants) {
        const MapPoint root = along(tip, out, -at);
        const MapPoint base = along(root, out, -step);
        barb.pennants.push_back({root, along(along(root, side, featherPx), out, -step / 2.0), base});
        at += step * 1.5;
    }
    for (; fulls > 0; --fulls) {
        feather(featherPx);
    }
    if (half) {
        // A half barb alone stands one step in from the tip, as plotted.
        at = at == 0.0 ? step : at;
        feather(featherPx / 2.0);
    }
    return barb;
}

std::vector<MapPoint> aircraftSymbol(MapPoint centre, double spanPx) {
    // A plane drawn on a span of 20 units: fuselage, wings, tail.
    constexpr double kShape[][2] = {{0, -10}, {1.5, -7}, {1.5, -2}, {10, 2},  {10, 4},  {1.5, 2},
                                    {1.2, 7}, {4, 9},    {4, 10.5}, {0, 9.5}, {-4, 10.5}, {-4, 9},
                                    {-1.2, 7}, {-1.5, 2}, {-10, 4},  {-10, 2}, {-1.5, -2}, {-1.5, -7}};
    std::vector<MapPoint> outline;
    const double scale = spanPx / 20.0;
    for (const auto& corner : kShape) {
        outline.push_back({centre.x + corner[0] * scale, centre.y + corner[1] * scale});
    }
    return outline;
}

}  // namespace wx
