#include "briefing/TafPeriodCategory.h"

#include <limits>

namespace wx {

std::optional<FlightCategory> periodCategory(const TafPeriod& period) {
    if (!period.visibilityM && !period.ceilingFt) {
        return std::nullopt;
    }
    constexpr double kUnlimited = std::numeric_limits<double>::infinity();
    const double ceiling = period.ceilingFt ? static_cast<double>(*period.ceilingFt) : kUnlimited;
    const double miles = period.visibilityM ? visibilityStatuteMiles(*period.visibilityM) : kUnlimited;
    return flightCategoryFrom(ceiling, miles);
}

}  // namespace wx
