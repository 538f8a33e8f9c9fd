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

// One area of a SIGMET: its corners in order.
using SigmetPolygon = std::vector<SigmetVertex>;

// A member that is a number, or text that starts with one (the rest of the
// text is ignored); nothing when it is absent or of another type. Text
// without a number throws std::invalid_argument, a number beyond a double's
// range std::out_of_range.
std::optional<double> sigmetNumber(const nlohmann::json& object, const char* key);

// The corners of the "coords" member, in order. A corner without a usable
// latitude or longitude is left out; a coordinate given as text that holds
// no number ends the collection, keeping what came before.
std::vector<SigmetVertex> sigmetPolygon(const nlohmann::json& sigmet);

// The SIGMET's areas as the evaluation reads them: the corners of "coords"
// as one area, when it has any. Each area is in one piece of the plane: an
// area across the 180th meridian (an edge longer than 180 degrees of
// longitude) has its western longitudes counted on beyond 180 east.
std::vector<SigmetPolygon> sigmetAreas(const nlohmann::json& sigmet);

// Whether the area covers the point: inside the polygon (three corners or
// more, even-odd rule), or, within the polygon's box widened by two
// degrees, no more than one degree from a corner. An area with an edge
// longer than 180 degrees of longitude lies across the 180th meridian and
// is tested with western longitudes counted on beyond 180 east.
bool sigmetCovers(const SigmetPolygon& polygon, double lat, double lon);

}  // namespace wx
