#pragma once

#include <cmath>

namespace wx {

// Great-circle distance in nautical miles between two points given in
// degrees (haversine on a sphere of radius 3440.065 nm).
double distanceNm(double lat1, double lon1, double lat2, double lon2);

namespace geo {

inline constexpr double kPi = 3.141592653589793;
inline constexpr double kTwiceEarthRadiusNm = 6880.13;
inline constexpr double kEarthRadiusNm = kTwiceEarthRadiusNm / 2.0;

inline double radians(double degrees) { return degrees * kPi / 180.0; }

// A point prepared for repeated distance computations: the nearest search
// converts each airport once and the query point once per call, and gets
// exactly the figures distanceNm gives.
struct GeoPoint {
    double latRad = 0.0;
    double lonRad = 0.0;
    double cosLat = 1.0;
};

inline GeoPoint geoPoint(double latDeg, double lonDeg) {
    const double latRad = radians(latDeg);
    return {latRad, radians(lonDeg), std::cos(latRad)};
}

// The haversine from point 1 to point 2. `a` is not clamped, so points that
// are almost antipodal may give NaN.
inline double haversineNm(const GeoPoint& p1, const GeoPoint& p2) {
    const double sinHalfLat = std::sin((p2.latRad - p1.latRad) / 2.0);
    const double sinHalfLon = std::sin((p2.lonRad - p1.lonRad) / 2.0);
    const double a = sinHalfLat * sinHalfLat + p1.cosLat * p2.cosLat * (sinHalfLon * sinHalfLon);
    return kTwiceEarthRadiusNm * std::asin(std::sqrt(a));
}

}  // namespace geo
}  // namespace wx
