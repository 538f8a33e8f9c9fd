#pragma once

#include <memory>

#include "sources/HttpClient.h"
#include "sources/WeatherSource.h"
#include "weather/LogFn.h"
#include "weather/UtcTime.h"

namespace wx {

// METARs and SIGMETs from the aviation-weather service, model data from
// Open-Meteo at the hour `clock` shows. Once a model request of a cycle
// gets no answer the model service is not asked again until the next cycle.
class OpenMeteoSource final : public IWeatherSource {
public:
    explicit OpenMeteoSource(LogFn log, std::shared_ptr<HttpTransport> transport = makeDefaultHttpTransport(),
                             std::shared_ptr<HttpCancel> cancel = nullptr, UtcClock clock = {});

    std::string name() const override { return "Open-Meteo"; }
    std::string description() const override {
        return "Open-Meteo: upper air, clouds, CAPE, vertical velocity (no key)";
    }
    bool hasUpperAir() const override { return true; }
    bool canSynthesize() const override { return true; }
    MetarMap fetchMetars(const std::vector<std::string>& stationIds) override;
    std::vector<nlohmann::json> fetchSigmets() override;
    std::optional<WeatherData> synthesize(const std::string& stationId, double lat, double lon,
                                          int32_t elevationM) override;
    void attachUpperAir(WeatherData& weather, double lat, double lon) override;
    std::optional<WeatherData> synthesizeGlobal(double lat, double lon) override;
    void beginCycle() override { modelSkipped_ = false; }

private:
    // The answer's "hourly" object decoded at the current hour; empty when
    // no answer came, it has no "hourly" member, or the model service is
    // skipped for this cycle.
    std::optional<WeatherData> modelRecord(const std::string& stationId, int32_t elevationM, double lat, double lon);

    LogFn log_;
    HttpClient http_;
    UtcClock clock_;
    bool modelSkipped_ = false;
};

}  // namespace wx
