#pragma once

#include <memory>

#include "sources/HttpClient.h"
#include "sources/ModelAnswerStore.h"
#include "sources/PastWeather.h"
#include "sources/SourceContext.h"
#include "sources/WeatherSource.h"
#include "weather/LogFn.h"

namespace wx {

// METARs and SIGMETs from the aviation-weather service, model data from
// Open-Meteo at the hour the context's clock shows. A point's model answer
// is kept and serves instead of a request while it is younger than an hour
// and holds the current hour. Once a model request of a cycle gets no
// answer the model service is not asked again until the next cycle. While
// the context flies a time in the past, the past's services answer instead
// (see PastWeather), the model data from the historical forecasts.
class OpenMeteoSource final : public IWeatherSource {
public:
    explicit OpenMeteoSource(LogFn log, std::shared_ptr<HttpTransport> transport = makeDefaultHttpTransport(),
                             SourceContext context = {});

    std::string name() const override { return "Open-Meteo"; }
    std::string description() const override {
        return "Open-Meteo: upper air, clouds, CAPE, vertical velocity (no key)";
    }
    bool hasUpperAir() const override { return true; }
    bool canSynthesize() const override { return true; }
    MetarFetch fetchMetars(const std::vector<std::string>& stationIds) override;
    std::vector<nlohmann::json> fetchSigmets() override;
    std::optional<std::vector<Taf>> fetchTafs(const std::vector<std::string>& stationIds) override;
    std::optional<WeatherData> synthesize(const std::string& stationId, double lat, double lon,
                                          int32_t elevationM) override;
    void attachUpperAir(WeatherData& weather, double lat, double lon) override;
    std::optional<WeatherData> synthesizeGlobal(double lat, double lon) override;
    void beginCycle(const CycleOptions& options) override;
    void endCycle() override;

private:
    // What the cycle took from the kept answers and asked of the service.
    struct ModelTally {
        int fromLastHour = 0;
        int throughOutage = 0;
        int asked = 0;
    };

    // The point's model record at the current hour: from a fresh kept
    // answer, from the service, or while the service does not answer from
    // an older kept one when the cycle allows; empty when none of them
    // gives an answer with an "hourly" member.
    std::optional<WeatherData> modelRecord(const std::string& stationId, int32_t elevationM, double lat, double lon);
    std::optional<WeatherData> modelRecordAtHour(const std::string& stationId, int32_t elevationM, double lat,
                                                 double lon);
    // The point's answer from the model service of the present or the past.
    std::optional<nlohmann::json> askModel(double lat, double lon);

    LogFn log_;
    UtcClock clock_;
    HttpClient http_;
    std::shared_ptr<ModelAnswerStore> answers_;
    std::optional<PastWeather> past_;
    bool modelSkipped_ = false;
    bool keepThroughOutage_ = false;
    ModelTally tally_;
};

}  // namespace wx
