#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include <nlohmann/json.hpp>

#include "briefing/Briefing.h"
#include "weather/WeatherData.h"

namespace wx {

// Station id, as the service spelled it, to one raw report.
using MetarMap = std::unordered_map<std::string, std::string>;

// The reports of one fetch, and whether the service answered it: any of its
// requests got a status from 200 to 299, whatever it held (false when each
// one failed, got another status or went to a paused host). An empty id
// list counts as answered.
struct MetarFetch {
    MetarMap reports;
    bool answered = false;
};

// What a refresh cycle asks of the source beyond its requests.
struct CycleOptions {
    // While the model service does not answer, kept model answers serve as
    // long as they hold the current hour, however old.
    bool keepModelThroughOutage = false;
};

// Everything the engine takes from outside weather services. The data
// operations block, never throw for network or data problems, and report
// failure by an empty or unchanged result.
class IWeatherSource {
public:
    virtual ~IWeatherSource() = default;
    virtual std::string name() const = 0;
    virtual std::string description() const = 0;
    // attachUpperAir does work.
    virtual bool hasUpperAir() const = 0;
    // synthesize and synthesizeGlobal can return records.
    virtual bool canSynthesize() const = 0;
    // One batch of requests for all ids; stations without a report are absent.
    virtual MetarFetch fetchMetars(const std::vector<std::string>& stationIds) = 0;
    // The SIGMET objects exactly as the service sent them.
    virtual std::vector<nlohmann::json> fetchSigmets() = 0;
    // The terminal forecasts of all ids in one request; nothing when the
    // service gave no readable answer. A source without a forecast service
    // has none.
    virtual std::optional<std::vector<Taf>> fetchTafs(const std::vector<std::string>&) { return std::nullopt; }
    // A record built wholly from model data for the point.
    virtual std::optional<WeatherData> synthesize(const std::string& stationId, double lat, double lon,
                                                  int32_t elevationM) = 0;
    // Adds model layers aloft and model clouds that do not collide with the
    // record's own; the record stays as it was on any failure.
    virtual void attachUpperAir(WeatherData& weather, double lat, double lon) = 0;
    // synthesize for the aircraft position: station "GLOB", elevation 0.
    virtual std::optional<WeatherData> synthesizeGlobal(double lat, double lon) = 0;
    // Called at the start of every refresh cycle: what the source learnt
    // about its services in the last cycle is forgotten.
    virtual void beginCycle(const CycleOptions&) {}
    // Called once the cycle's records are made: the source says what it
    // took from what it keeps.
    virtual void endCycle() {}
};

}  // namespace wx
