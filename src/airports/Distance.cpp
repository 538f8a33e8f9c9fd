#include "airports/Distance.h"

namespace wx {

double distanceNm(double lat1, double lon1, double lat2, double lon2) {
    return geo::haversineNm(geo::geoPoint(lat1, lon1), geo::geoPoint(lat2, lon2));
}

}  // namespace wx
