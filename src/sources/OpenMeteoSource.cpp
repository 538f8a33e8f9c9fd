#include "sources/OpenMeteoSource.h"

#include <exception>
#include <utility>

#include "sources/AviationWeather.h"
#include "sources/TafFetch.h"
#include "sources/Forecast.h"
#include "sources/ModelWeather.h"

namespace wx {
namespace {

using nlohmann::json;

bool hasHourly(const json& answer) { return answer.is_object() && !answer.empty() && answer.contains("hourly"); }

WeatherData decodedAtHour(const std::string& stationId, int32_t elevationM, const json& answer, size_t hour) {
    return decodeHourly(stationId, elevationM, answer["hourly"], hour);
}

}  // namespace

OpenMeteoSource::OpenMeteoSource(LogFn log, std::shared_ptr<HttpTransport> transport, SourceContext context)
    : log_(log),
      clock_(context.clock),
      http_(std::move(log), std::move(transport), context.cancel, std::move(context.pauses),
            servicesClock(context)),
      answers_(context.modelAnswers ? std::move(context.modelAnswers) : std::make_shared<ModelAnswerStore>()) {
    if (context.present) {
        past_.emplace(log_, clock_, *context.present, context.cancel);
    }
}

MetarFetch OpenMeteoSource::fetchMetars(const std::vector<std::string>& stationIds) {
    return past_ ? past_->fetchMetars(http_, stationIds) : fetchMetarsWithFallback(http_, log_, stationIds);
}

std::vector<nlohmann::json> OpenMeteoSource::fetchSigmets() {
    return past_ ? past_->fetchSigmets(http_) : fetchSigmetList(http_);
}

std::optional<std::vector<Taf>> OpenMeteoSource::fetchTafs(const std::vector<std::string>& stationIds) {
    return past_ ? past_->fetchTafs(http_, stationIds) : fetchTafList(http_, log_, stationIds);
}

void OpenMeteoSource::beginCycle(const CycleOptions& options) {
    modelSkipped_ = false;
    keepThroughOutage_ = options.keepModelThroughOutage;
    tally_ = {};
    answers_->dropStale(utcNow(clock_), keepThroughOutage_);
    if (past_) {
        past_->beginCycle();
    }
}

void OpenMeteoSource::endCycle() {
    if (past_) {
        past_->endCycle(true);
    }
    if (tally_.fromLastHour > 0) {
        logLine(log_,
                "Model data: " + std::to_string(tally_.fromLastHour) + " points from the last hour, " +
                    std::to_string(tally_.asked) + " asked",
                "INFO");
    }
    if (tally_.throughOutage > 0) {
        logLine(log_,
                "Model service not answering: kept model hours used for " + std::to_string(tally_.throughOutage) +
                    " points",
                "WARN");
    }
}

std::optional<nlohmann::json> OpenMeteoSource::askModel(double lat, double lon) {
    return past_ ? past_->fetchModel(http_, lat, lon) : fetchForecast(http_, lat, lon);
}

std::optional<WeatherData> OpenMeteoSource::modelRecord(const std::string& stationId, int32_t elevationM, double lat,
                                                        double lon) {
    if (!past_) {
        return modelRecordAtHour(stationId, elevationM, lat, lon);
    }
    if (!past_->modelHeld()) {
        return std::nullopt;
    }
    auto record = modelRecordAtHour(stationId, elevationM, lat, lon);
    if (record) {
        past_->countModelPoint();
    }
    return record;
}

std::optional<WeatherData> OpenMeteoSource::modelRecordAtHour(const std::string& stationId, int32_t elevationM,
                                                              double lat, double lon) {
    const std::string point = past_ ? past_->modelKey(lat, lon) : ModelAnswerStore::pointKey(lat, lon);
    const auto now = utcNow(clock_);
    const std::optional<ModelAnswerStore::Kept> kept = answers_->find(point, now);
    if (kept && kept->fresh) {
        ++tally_.fromLastHour;
        return decodedAtHour(stationId, elevationM, *kept->answer, kept->hour);
    }
    if (!modelSkipped_) {
        ++tally_.asked;
        const std::optional<json> answer = askModel(lat, lon);
        if (answer) {
            if (!hasHourly(*answer)) {
                return std::nullopt;
            }
            answers_->keep(point, *answer, now);
            return decodedAtHour(stationId, elevationM, *answer, currentHourIndex(*answer, now));
        }
        // A service that does not answer would cost every remaining point of
        // the cycle its own time-out.
        modelSkipped_ = true;
        if (!http_.cancelled()) {
            logLine(log_, "Model service not answering: model data skipped this cycle", "WARN");
        }
    }
    if (kept && keepThroughOutage_ && !http_.cancelled()) {
        ++tally_.throughOutage;
        return decodedAtHour(stationId, elevationM, *kept->answer, kept->hour);
    }
    return std::nullopt;
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
