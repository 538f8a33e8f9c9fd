#include "briefing/ForecastAt.h"

#include <algorithm>

#include "briefing/TafPeriodCategory.h"

namespace wx {
namespace {

bool isAlongside(const TafPeriod& period) {
    return period.change == "TEMPO" || period.change.rfind("PROB", 0) == 0;
}

// The values a change group gives, over the ones in force.
void applyChange(const TafPeriod& change, TafPeriod& prevailing) {
    if (change.windSpeedKt || change.windDirDeg || change.windVariable) {
        prevailing.windDirDeg = change.windDirDeg;
        prevailing.windVariable = change.windVariable;
        prevailing.windSpeedKt = change.windSpeedKt;
        prevailing.gustKt = change.gustKt;
    }
    if (change.visibilityM) {
        prevailing.visibilityM = change.visibilityM;
    }
    if (change.cloudsGiven) {
        prevailing.cloudsGiven = true;
        prevailing.ceilingFt = change.ceilingFt;
    }
    if (change.weather == "NSW") {
        prevailing.weather.clear();
    } else if (!change.weather.empty()) {
        prevailing.weather = change.weather;
    }
    prevailing.from = change.from;
    prevailing.to = change.to;
    prevailing.becomingEnd = change.becomingEnd;
    prevailing.change = change.change;
}

}  // namespace

std::optional<ForecastAt> forecastAt(const Taf& taf, UtcMillis at) {
    if (taf.periods.empty() || at < taf.validFrom || at >= taf.validTo) {
        return std::nullopt;
    }
    const auto base = std::find_if(taf.periods.begin(), taf.periods.end(),
                                   [](const TafPeriod& period) { return period.change == "BASE"; });
    ForecastAt forecast;
    forecast.prevailing = base == taf.periods.end() ? taf.periods.front() : *base;
    for (const TafPeriod& period : taf.periods) {
        if (period.change == "FM" && period.from <= at) {
            forecast.prevailing = period;
        } else if (period.change == "BECMG" && period.becomingEnd.value_or(period.from) <= at) {
            applyChange(period, forecast.prevailing);
        } else if (isAlongside(period) && period.from <= at && at < period.to) {
            forecast.alongside.push_back({period.change, period.category, period});
        }
    }
    forecast.prevailing.category = periodCategory(forecast.prevailing);
    return forecast;
}

}  // namespace wx
