#include "briefing/ForecastVisibility.h"

#include <cmath>

namespace wx {
namespace {

constexpr double kMetresPerStatuteMile = 1609.344;
constexpr double kUnlimitedMiles = 6.0;

}  // namespace

int forecastVisibilityM(double statuteMiles) {
    if (statuteMiles >= kUnlimitedMiles) {
        return kUnlimitedForecastVisibilityM;
    }
    return static_cast<int>(std::lround(statuteMiles * kMetresPerStatuteMile));
}

}  // namespace wx
