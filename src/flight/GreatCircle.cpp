#include "flight/GreatCircle.h"

#include <algorithm>
#include <cmath>

#include "airports/Distance.h"

namespace wx::geo {
namespace {

struct Vec3 {
    double x, y, z;
};

Vec3 operator+(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator-(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator*(double k, const Vec3& a) { return {k * a.x, k * a.y, k * a.z}; }
double dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 cross(const Vec3& a, const Vec3& b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double length(const Vec3& a) { return std::sqrt(dot(a, a)); }

// Below this length a cross product names no great circle: the points
// coincide or are antipodal (about a metre apart, or from antipodes).
constexpr double kDegenerate = 1e-9;

Vec3 toVector(const LatLon& p) {
    const double lat = radians(p.latDeg);
    const double lon = radians(p.lonDeg);
    return {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
}

LatLon toLatLon(const Vec3& v) {
    constexpr double kDegreesPerRadian = 180.0 / kPi;
    return {std::atan2(v.z, std::hypot(v.x, v.y)) * kDegreesPerRadian, std::atan2(v.y, v.x) * kDegreesPerRadian};
}

// The angle between two unit vectors, exact for small and large angles.
double angleBetween(const Vec3& a, const Vec3& b) { return std::atan2(length(cross(a, b)), dot(a, b)); }

}  // namespace

LatLon pointAlongLeg(const LatLon& from, const LatLon& to, double distanceNm) {
    const Vec3 a = toVector(from);
    const Vec3 normal = cross(a, toVector(to));
    const double normalLength = length(normal);
    if (normalLength < kDegenerate) {
        return from;
    }
    // The unit vector at right angles to a, along the leg.
    const Vec3 ahead = cross((1.0 / normalLength) * normal, a);
    const double angle = distanceNm / kEarthRadiusNm;
    return toLatLon(std::cos(angle) * a + std::sin(angle) * ahead);
}

LegProjection nearestPointOfLeg(const LatLon& from, const LatLon& to, const LatLon& position) {
    const double legNm = distanceNm(from.latDeg, from.lonDeg, to.latDeg, to.lonDeg);
    const double fromStartNm = distanceNm(from.latDeg, from.lonDeg, position.latDeg, position.lonDeg);
    const double fromEndNm = distanceNm(to.latDeg, to.lonDeg, position.latDeg, position.lonDeg);
    const LegProjection atStart{0.0, fromStartNm, from};
    const LegProjection atEnd{legNm, fromEndNm, to};
    const Vec3 a = toVector(from);
    const Vec3 normal = cross(a, toVector(to));
    const double normalLength = length(normal);
    const Vec3 p = toVector(position);
    if (normalLength < kDegenerate) {
        return fromEndNm < fromStartNm ? atEnd : atStart;
    }
    const Vec3 n = (1.0 / normalLength) * normal;
    // The position dropped onto the leg's great circle.
    const Vec3 onCircle = p - dot(p, n) * n;
    const double onCircleLength = length(onCircle);
    if (onCircleLength < kDegenerate) {
        return fromEndNm < fromStartNm ? atEnd : atStart;  // a pole of the circle: every point is as far
    }
    const Vec3 foot = (1.0 / onCircleLength) * onCircle;
    const double sign = dot(cross(a, foot), n) < 0.0 ? -1.0 : 1.0;
    const double alongNm = sign * angleBetween(a, foot) * kEarthRadiusNm;
    if (alongNm <= 0.0 || alongNm >= legNm) {
        return fromEndNm < fromStartNm ? atEnd : atStart;
    }
    const LatLon point = toLatLon(foot);
    return {alongNm, distanceNm(position.latDeg, position.lonDeg, point.latDeg, point.lonDeg), point};
}

}  // namespace wx::geo
