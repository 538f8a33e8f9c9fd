#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/SigmetArea.h"

namespace wx {

// A point on the map panel, in pixels from its top left corner.
struct MapPoint {
    double x = 0.0;
    double y = 0.0;

    bool operator==(const MapPoint&) const = default;
};

// How the map shows the world: north up, an equirectangular projection
// around the centre (longitudes scaled by the cosine of its latitude), the
// centre in the middle of the panel.
struct MapFrame {
    double centreLatDeg = 0.0;
    double centreLonDeg = 0.0;
    MapPoint centre;
    double pixelsPerNm = 1.0;
    int widthPx = 0;
    int heightPx = 0;
};

// The frame in which a radius of `radiusNm` (at least 1/16) around the centre
// just fits the smaller half of a panel of that size, `marginPx` from its
// edge.
MapFrame mapFrame(double centreLatDeg, double centreLonDeg, double radiusNm, int widthPx, int heightPx,
                  int marginPx);

// Where a position lies on the map; the longitude is taken the short way
// round from the centre's.
MapPoint projectToMap(const MapFrame& frame, double latDeg, double lonDeg);

// An area's outline on the map. The whole area moves by one whole turn of
// longitude, the one that brings its first corner nearest the centre, so
// that an area counted on beyond 180 east stays in one piece.
std::vector<MapPoint> projectArea(const MapFrame& frame, const SigmetPolygon& area);

// Whether a point lies on the panel, or within `slackPx` of its edge.
bool pointInView(const MapFrame& frame, MapPoint point, double slackPx);
// Whether an outline reaches into the panel: its bounding box overlaps it.
bool outlineInView(const MapFrame& frame, const std::vector<MapPoint>& outline);

// A range ring around the centre and its label.
struct RangeRing {
    double radiusPx = 0.0;
    std::string label;  // "100 nm", "7.5 nm"

    bool operator==(const RangeRing&) const = default;
};

// The rings at half the radius and at the whole of it (at least 1/16).
std::vector<RangeRing> rangeRings(const MapFrame& frame, double radiusNm);

struct Segment {
    MapPoint from;
    MapPoint to;

    bool operator==(const Segment&) const = default;
};

// A wind barb's strokes. The staff points from the station toward where
// the wind comes from (degrees true, north up); at its far end the
// pennants (50 kt each), then the full barbs (10 kt), then a half barb
// (5 kt), the speed rounded to the nearest 5 kt, drawn on the side the
// low pressure lies in the northern hemisphere. A calm wind (0 kt) is a
// circle around the station instead.
struct WindBarb {
    std::vector<Segment> lines;
    std::vector<std::array<MapPoint, 3>> pennants;
    bool calm = false;
    double calmRadiusPx = 0.0;
};

// The barb of a station at `station` for a staff `staffPx` long starting
// `gapPx` from the station's centre; `featherPx` is a full barb's length.
WindBarb windBarb(MapPoint station, int32_t dirDeg, int32_t speedKt, double gapPx, double staffPx,
                  double featherPx);

// The aircraft: an outline of a plane, nose up, `spanPx` wide, centred on
// the point.
std::vector<MapPoint> aircraftSymbol(MapPoint centre, double spanPx);

}  // namespace wx
