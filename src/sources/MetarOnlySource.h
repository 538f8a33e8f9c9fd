#pragma once

#include <memory>

#include "sources/HttpClient.h"
#include "sources/PastWeather.h"
#include "sources/SourceContext.h"
#include "sources/WeatherSource.h"
#include "weather/LogFn.h"

namespace wx {

// METARs (JSON only, no fallback) and SIGMETs; no model data at all. While
// the context flies a time in the past, the past's services answer instead
// (see PastWeather).
class MetarOnlySource final : public IWeatherSource {
public:
    explicit MetarOnlySource(LogFn log, std::shared_ptr<HttpTransport> transport = makeDefaultHttpTransport(),
                             SourceContext context = {});

    std::string name() const override { return "METAR-only"; }
    std::string description() const override { return "Only METAR + SIGMET, no upper-air synthesis"; }
    bool hasUpperAir() const override { return false; }
    bool canSynthesize() const override { return false; }
    MetarFetch fetchMetars(const std::vector<std::string>& stationIds) override;
    std::vector<nlohmann::json> fetchSigmets() override;
    std::optional<std::vector<Taf>> fetchTafs(const std::vector<std::string>& stationIds) override;
    std::optional<WeatherData> synthesize(const std::string&, double, double, int32_t) override {
        return std::nullopt;
    }
    void attachUpperAir(WeatherData&, double, double) override {}
    std::optional<WeatherData> synthesizeGlobal(double, double) override { return std::nullopt; }
    void beginCycle(const CycleOptions&) override;
    void endCycle() override;

private:
    LogFn log_;
    HttpClient http_;
    std::optional<PastWeather> past_;
};

}  // namespace wx
