#include "sources/OpenMeteoSource.h"

#include <exception>
#include <utility>

#include "sources/AviationWeather.h"
#include "sources/Forecast.h"
#include "sources/ModelWeather.h"

namespace wx {

OpenMeteoSource::OpenMeteoSource(LogFn log, std::shared_ptr<HttpTransport> transport,
                                 std::shared_ptr<HttpCancel> cancel, UtcClock clock)
    : log_(log), http_(std::move(log), std::move(transport), std::move(cancel)), clock_(std::move(clock)) {}

MetarMap OpenMeteoSource::fetchMetars(const std::vector<std::string>& stationIds) {
    return fetchMetarsWithFallback(http_, log_, stationIds);
}

std::vector<nlohmann::json> OpenMeteoSource::fetchSigmets() { return fetchSigmetList(http_); }

std::optional<WeatherData> OpenMeteoSource::modelRecord(const std::string& stationId, int32_t elevationM, double lat,
                                                        double lon) {
    if (modelSkipped_) {
        return std::nullopt;
    }
    const std::optional<nlohmann::json> answer = fetchForecast(http_, lat, lon);
    if (!answer) {
        // A service that does not answer would cost every remaining point of
        // the cycle its own time-out.
        modelSkipped_ = true;
        if (!http_.cancelled()) {
            logLine(log_, "Model service not answering: model data skipped this cycle", "WARN");
        }
        return std::nullopt;
    }
    if (!answer->is_object() || answer->empty() || !answer->contains("hourly")) {
        return std::nullopt;
    }
    return decodeHourly(stationId, elevationM, (*answer)["hourly"], currentHourIndex(*answer, utcNow(clock_)));
}

std::optional<WeatherData> OpenMeteoSource::synthesize(const std::string& stationId, double lat, double lon,
                                                       int32_t elevationM) {
    try {
        return modelRecord(stationId, elevationM, lat, lon);
    } catch (const std::exception& error) {
        logLine(log_, std::string("synthesize: ") + error.what(), "ERROR");
    } catch (...) {
        // Nothing to report beyond the empty result.
    }
    return std::nullopt;
}

void OpenMeteoSource::attachUpperAir(WeatherData& weather, double lat, double lon) {
    std::optional<WeatherData> model;
    try {
        model = modelRecord(weather.stationId, weather.elevationM, lat, lon);
    } catch (const std::exception& error) {
        logLine(log_, std::string("attachUpperAir: ") + error.what(), "ERROR");
    } catch (...) {
        // The record stays as it was.
    }
    if (model) {
        mergeModelLayers(weather, *model);
    }
}

std::optional<WeatherData> OpenMeteoSource::synthesizeGlobal(double lat, double lon) {
    return synthesize("GLOB", lat, lon, 0);
}

}  // namespace wx
