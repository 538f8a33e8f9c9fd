#pragma once

#include "airports/Distance.h"

namespace wx::geo {

// Great-circle helpers beside airports/Distance.h (whose distanceNm they
// agree with), on the same sphere. They work with unit vectors, so they
// hold for legs of any length and across the antimeridian and the poles.

struct LatLon {
    double latDeg = 0.0;
    double lonDeg = 0.0;
};

// The point distanceNm along the great circle from `from` towards `to`
// (beyond `to` when distanceNm is longer than the leg); `from` itself when
// the two points coincide or are antipodal, where no one circle joins them.
LatLon pointAlongLeg(const LatLon& from, const LatLon& to, double distanceNm);

// The point of the leg (the shorter great-circle arc from `from` to `to`)
// nearest to a position: how far along the leg it lies and how far the
// position is from it.
struct LegProjection {
    double alongNm = 0.0;  // from `from`, between 0 and the leg's length
    double offNm = 0.0;    // from the position to that point
    LatLon point;
};
LegProjection nearestPointOfLeg(const LatLon& from, const LatLon& to, const LatLon& position);

}  // namespace wx::geo
