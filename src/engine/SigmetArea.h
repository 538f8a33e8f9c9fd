#pragma once

#include <vector>

#include <nlohmann/json.hpp>

namespace wx {

// A SIGMET area's corner, degrees, taken as plane coordinates.
struct SigmetVertex {
    double lat = 0.0;
    double lon = 0.0;
};

// The corners of the "coords" member, in order. A corner without a usable
// latitude or longitude is left out; a coordinate given as text that holds
// no number ends the collection, keeping what came before.
std::vector<SigmetVertex> sigmetPolygon(const nlohmann::json& sigmet);

// Whether the area covers the point: inside the polygon (three corners or
// more, even-odd rule), or, within the polygon's box widened by two
// degrees, no more than one degree from a corner.
bool sigmetCovers(const std::vector<SigmetVertex>& polygon, double lat, double lon);

}  // namespace wx
