#include "weather/FlightCategory.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace wx {
namespace {

constexpr double kMetresPerFoot = 0.3048;
constexpr double kMetresPerStatuteMile = 1609.344;
constexpr int32_t kCeilingOktas = 5;

// The lowest base of a layer covering 5 oktas or more, in feet rounded to
// the nearest ten; none without such a layer.
double ceilingFeet(const std::vector<CloudLayer>& clouds) {
    double lowest = std::numeric_limits<double>::infinity();
    for (const CloudLayer& layer : clouds) {
        if (layer.coverOktas >= kCeilingOktas) {
            lowest = std::min(lowest, std::round(layer.baseM / kMetresPerFoot / 10.0) * 10.0);
        }
    }
    return lowest;
}

}  // namespace

double visibilityStatuteMiles(int32_t visibilityM) {
    return std::round(visibilityM / kMetresPerStatuteMile * 100.0) / 100.0;
}

FlightCategory flightCategory(const WeatherData& weather) {
    return flightCategoryFrom(ceilingFeet(weather.clouds), visibilityStatuteMiles(weather.visibilityM));
}

FlightCategory flightCategoryFrom(double ceiling, double miles) {
    if (ceiling < 500.0 || miles < 1.0) {
        return FlightCategory::Lifr;
    }
    if (ceiling < 1000.0 || miles < 3.0) {
        return FlightCategory::Ifr;
    }
    if (ceiling <= 3000.0 || miles <= 5.0) {
        return FlightCategory::Mvfr;
    }
    return FlightCategory::Vfr;
}

const char* flightCategoryName(FlightCategory category) {
    switch (category) {
    case FlightCategory::Vfr:
        return "VFR";
    case FlightCategory::Mvfr:
        return "MVFR";
    case FlightCategory::Ifr:
        return "IFR";
    case FlightCategory::Lifr:
        return "LIFR";
    }
    return "VFR";
}

}  // namespace wx
