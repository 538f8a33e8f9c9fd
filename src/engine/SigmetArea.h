#pragma once

#include <optional>
#include <vector>

#include <nlohmann/json.hpp>

namespace wx {

// A SIGMET area's corner, degrees, taken as plane coordinates.
struct SigmetVertex {
    double lat = 0.0;
    double lon = 0.0;

    bool operator==(const SigmetVertex&) const = default;
};

// A member that is a number, or text that starts with one (the rest of the
// text is ignored); nothing when it is absent or of another type. Text
// without a number throws std::invalid_argument, a number beyond a double's
// range std::out_of_range.
std::optional<double> sigmetNumber(const nlohmann::json& object, const char* key);

// One area of a SIGMET: its corners in order, the last joined to the first.
using SigmetPolygon = std::vector<SigmetVertex>;

// The areas the "coords" member gives: the object elements of the array
// together form one polygon, and each element that is itself an array is
// a polygon of its own, of its object elements (the service sends several
// areas so). A corner without a usable latitude or longitude is left out; a
// coordinate given as text that holds no number ends that polygon, keeping
// what came before. Polygons without corners are left out.
std::vector<SigmetPolygon> sigmetPolygons(const nlohmann::json& sigmet);

// The SIGMET's areas as the evaluation reads them (sigmetPolygons), each in
// one piece of the plane: an area across the 180th meridian (an edge longer
// than 180 degrees of longitude) has its western longitudes counted on
// beyond 180 east.
std::vector<SigmetPolygon> sigmetAreas(const nlohmann::json& sigmet);

// Whether one area covers the point: inside the polygon (three corners or
// more, even-odd rule), or, within the polygon's box widened by two
// degrees, no more than one degree from a corner. An area with an edge
// longer than 180 degrees of longitude lies across the 180th meridian and
// is tested with western longitudes counted on beyond 180 east.
bool polygonCovers(const SigmetPolygon& polygon, double lat, double lon);

// Whether any of a SIGMET's areas covers the point.
bool sigmetCovers(const std::vector<SigmetPolygon>& polygons, double lat, double lon);

}  // namespace wx
