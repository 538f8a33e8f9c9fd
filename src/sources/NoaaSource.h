#pragma once

#include <memory>

#include "sources/OpenMeteoSource.h"

namespace wx {

// The same data as OpenMeteoSource, fetched the same way through an
// embedded one; only the name and description differ.
class NoaaSource final : public IWeatherSource {
public:
    explicit NoaaSource(LogFn log, std::shared_ptr<HttpTransport> transport = makeDefaultHttpTransport(),
                        SourceContext context = {});

    std::string name() const override { return "NOAA / AWC"; }
    std::string description() const override {
        return "NOAA Aviation Weather Center METAR/SIGMET + Open-Meteo upper air";
    }
    bool hasUpperAir() const override { return true; }
    bool canSynthesize() const override { return true; }
    MetarFetch fetchMetars(const std::vector<std::string>& stationIds) override {
        return openMeteo_.fetchMetars(stationIds);
    }
    std::vector<nlohmann::json> fetchSigmets() override { return openMeteo_.fetchSigmets(); }
    std::optional<std::vector<Taf>> fetchTafs(const std::vector<std::string>& stationIds) override {
        return openMeteo_.fetchTafs(stationIds);
    }
    std::optional<WeatherData> synthesize(const std::string& stationId, double lat, double lon,
                                          int32_t elevationM) override {
        return openMeteo_.synthesize(stationId, lat, lon, elevationM);
    }
    void attachUpperAir(WeatherData& weather, double lat, double lon) override {
        openMeteo_.attachUpperAir(weather, lat, lon);
    }
    std::optional<WeatherData> synthesizeGlobal(double lat, double lon) override {
        return openMeteo_.synthesizeGlobal(lat, lon);
    }
    void beginCycle(const CycleOptions& options) override { openMeteo_.beginCycle(options); }
    void endCycle() override { openMeteo_.endCycle(); }

private:
    LogFn log_;
    OpenMeteoSource openMeteo_;
};

}  // namespace wx
