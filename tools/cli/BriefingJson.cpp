#include "BriefingJson.h"

#include <string>

namespace wx::cli {
namespace {

using nlohmann::ordered_json;

template <typename T>
ordered_json orNull(const std::optional<T>& value) {
    return value ? ordered_json(*value) : ordered_json();
}

ordered_json categoryJson(const std::optional<FlightCategory>& category) {
    return category ? ordered_json(flightCategoryName(*category)) : ordered_json();
}

// The values of a period, after its category.
void addValues(const TafPeriod& period, ordered_json& out) {
    out["windDirDeg"] = orNull(period.windDirDeg);
    if (period.windVariable) {
        out["windVariable"] = true;
    }
    out["windSpeedKt"] = orNull(period.windSpeedKt);
    out["gustKt"] = period.windSpeedKt ? ordered_json(period.gustKt.value_or(0)) : ordered_json();
    out["visibilityM"] = orNull(period.visibilityM);
    out["ceilingFt"] = orNull(period.ceilingFt);
    out["weather"] = period.weather;
}

ordered_json periodJson(const TafPeriod& period) {
    ordered_json out{{"from", minuteTime(period.from)}, {"to", minuteTime(period.to)}};
    if (period.becomingEnd) {
        out["becomingEnd"] = minuteTime(*period.becomingEnd);
    }
    out["change"] = period.change;
    out["category"] = categoryJson(period.category);
    addValues(period, out);
    return out;
}

ordered_json tafJson(const Taf& taf) {
    ordered_json periods = ordered_json::array();
    for (const TafPeriod& period : taf.periods) {
        periods.push_back(periodJson(period));
    }
    return {{"issued", minuteTime(taf.issued)},
            {"validFrom", minuteTime(taf.validFrom)},
            {"validTo", minuteTime(taf.validTo)},
            {"raw", taf.raw},
            {"periods", periods}};
}

ordered_json atEtaJson(const ForecastAt& forecast) {
    ordered_json out{{"category", categoryJson(forecast.prevailing.category)}};
    addValues(forecast.prevailing, out);
    ordered_json alongside = ordered_json::array();
    for (const AlongsidePeriod& period : forecast.alongside) {
        ordered_json entry{{"change", period.change}, {"category", categoryJson(period.category)}};
        addValues(period.period, entry);
        alongside.push_back(entry);
    }
    out["alongside"] = alongside;
    return out;
}

ordered_json airportJson(const BriefingAirport& airport) {
    return {{"icao", airport.stationId},
            {"role", stationRoleName(airport.role)},
            {"reportCategory", categoryJson(airport.reportCategory)},
            {"reportAgeMinutes", orNull(airport.reportAgeMin)},
            {"taf", airport.taf ? tafJson(*airport.taf) : ordered_json()},
            {"atEta", airport.atEta ? atEtaJson(*airport.atEta) : ordered_json()}};
}

ordered_json sigmetJson(const BriefingSigmet& sigmet) {
    return {{"id", sigmet.id},         {"hazard", sigmet.hazard}, {"baseFt", orNull(sigmet.baseFt)},
            {"topFt", orNull(sigmet.topFt)}, {"legs", sigmet.legs},     {"atCruise", sigmet.atCruise}};
}

}  // namespace

std::string minuteTime(UtcMillis time) { return formatUtcTime(time).substr(0, 16) + "Z"; }

nlohmann::ordered_json briefingToJson(const Briefing& briefing) {
    ordered_json airports = ordered_json::array();
    for (const BriefingAirport& airport : briefing.airports) {
        airports.push_back(airportJson(airport));
    }
    ordered_json sigmets = ordered_json::array();
    for (const BriefingSigmet& sigmet : briefing.sigmets) {
        sigmets.push_back(sigmetJson(sigmet));
    }
    return {{"eta", minuteTime(briefing.eta)}, {"airports", airports}, {"sigmets", sigmets}};
}

}  // namespace wx::cli
