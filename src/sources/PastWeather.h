#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "sources/HttpClient.h"
#include "briefing/Briefing.h"
#include "sources/PastServices.h"
#include "sources/RequestSpacing.h"
#include "sources/SourceContext.h"
#include "sources/WeatherSource.h"
#include "weather/LogFn.h"

namespace wx {

// The time the services live in: the context's `present` while flying the
// past, else its clock. An HTTP date in "Retry-After" is read against it,
// so that a weather time years back does not turn a wait of seconds into
// the longest pause.
inline UtcClock servicesClock(const SourceContext& context) {
    return context.present ? *context.present : context.clock;
}

// A source's requests while the pilot flies a time in the past: the
// services chosen for the weather time its clock shows against the present
// the services live in, and one line a cycle saying which answered.
class PastWeather {
public:
    PastWeather(LogFn log, UtcClock weatherClock, UtcClock present, std::shared_ptr<HttpCancel> cancel);

    // The reports at the weather time: from the aviation-weather service or
    // the METAR archive.
    MetarFetch fetchMetars(HttpClient& http, const std::vector<std::string>& stationIds);
    // The SIGMETs the aviation-weather service held at the weather time;
    // beyond its reach none, said once in an INFO line.
    std::vector<nlohmann::json> fetchSigmets(HttpClient& http);
    // The TAFs in force at the weather time: from the aviation-weather
    // service within its reach, else from the TAF archive.
    std::optional<std::vector<Taf>> fetchTafs(HttpClient& http, const std::vector<std::string>& stationIds);
    // Whether the historical model forecasts hold the weather time's day;
    // when not, said once in an INFO line.
    bool modelHeld();
    // The historical forecast of the weather time's day for the point.
    // Throws what fetchHistoricalForecast throws.
    std::optional<nlohmann::json> fetchModel(HttpClient& http, double lat, double lon);
    // A point got model data this cycle.
    void countModelPoint() { ++modelPoints_; }
    // "51.4700,-0.4543@2022-10-23": a kept answer's key holds its day.
    std::string modelKey(double lat, double lon) const;

    void beginCycle();
    // The cycle's line, once its reports were asked for: the weather time,
    // the reports and which service sent them, and with `model` the model
    // points and their service.
    void endCycle(bool model);

private:
    PastServices services() const;

    LogFn log_;
    UtcClock weatherClock_;
    UtcClock present_;
    std::shared_ptr<HttpCancel> cancel_;
    RequestSpacing archiveSpacing_;
    bool sigmetsSaid_ = false;
    bool modelSaid_ = false;
    std::optional<std::chrono::system_clock::time_point> reportsAt_;
    ReportService reportService_ = ReportService::AviationWeather;
    size_t reports_ = 0;
    int modelPoints_ = 0;
};

}  // namespace wx
