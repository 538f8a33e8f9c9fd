#include "engine/PlanBriefing.h"

#include <chrono>

#include "briefing/ForecastAt.h"
#include "engine/RouteSigmets.h"
#include "engine/StationSelection.h"
#include "flight/Route.h"
#include "weather/MetarAge.h"
#include "weather/MetarDecoder.h"

namespace wx {
namespace {

void addReport(const EngineSettings& settings, const AirportDb& airports, const BriefingData& data,
               BriefingAirport& airport) {
    const auto report = data.reports.find(airport.stationId);
    if (report == data.reports.end()) {
        return;
    }
    const std::optional<Airport> known = airports.findAirport(airport.stationId);
    const std::optional<WeatherData> weather = decodeMetar(airport.stationId, report->second,
                                                           known ? known->elevationM : 0, settings.cavokHaze,
                                                           settings.cavokVisibilityM);
    if (weather) {
        airport.reportCategory = flightCategory(*weather);
    }
    airport.reportAgeMin = reportAgeMinutes(report->second, std::chrono::system_clock::time_point(data.now));
}

}  // namespace

ArrivalInputs arrivalInputs(const EngineSettings& settings, const std::optional<SimPosition>& position,
                            UtcMillis now) {
    ArrivalInputs inputs;
    inputs.now = now;
    inputs.typed = settings.typedArrival;
    if (!settings.plan) {
        return inputs;
    }
    inputs.planLengthNm = routeLengthNm(*settings.plan);
    if (!position) {
        return inputs;
    }
    if (position->gpsTimeToDestinationSec > 0) {
        inputs.simEteSec = position->gpsTimeToDestinationSec;
    }
    inputs.groundSpeedKt = position->groundSpeedKt;
    if (const auto progress = routeProgress(*settings.plan, position->latitudeDeg, position->longitudeDeg)) {
        inputs.remainingNm = progress->remainingNm;
    }
    return inputs;
}

std::optional<Briefing> buildBriefing(const EngineSettings& settings, const AirportDb& airports,
                                      const BriefingData& data) {
    if (!settings.plan) {
        return std::nullopt;
    }
    Briefing briefing;
    briefing.eta = data.eta;
    for (const PlanAirport& planned : planAirports(settings)) {
        BriefingAirport airport;
        airport.stationId = planned.ident;
        airport.role = planned.role;
        addReport(settings, airports, data, airport);
        airport.taf = data.tafOf ? data.tafOf(planned.ident) : std::nullopt;
        if (airport.taf) {
            airport.atEta = forecastAt(*airport.taf, data.eta);
        }
        briefing.airports.push_back(std::move(airport));
    }
    briefing.sigmets = routeSigmets(*settings.plan, data.sigmets);
    return briefing;
}

}  // namespace wx
