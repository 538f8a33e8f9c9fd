// One refresh cycle: position, refresh triggers, stations, METARs and
// SIGMETs, clock, the global point, every station's record, activation and
// the cycle's text.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/Engine.h"
#include "engine/SigmetEvaluation.h"
#include "sim/FormatText.h"
#include "weather/Clouds.h"
#include "weather/MetarDecoder.h"
#include "weather/WeatherSummary.h"

namespace wx {
namespace {

using nlohmann::json;
using Reports = std::vector<std::pair<std::string, std::string>>;

constexpr double kPositionJumpNm = 200.0;
constexpr int32_t kBannerSeconds = 3;
constexpr int32_t kOnDemandFallbackSeconds = 15;
constexpr int32_t kTextMaxLength = 127;
constexpr size_t kSigmetsInText = 3;

// The map's reports in the order of the stations asked for, then any the
// service named otherwise, by id; so that logs and the clock setting do not
// depend on the map's inner order.
Reports orderedReports(const MetarMap& metars, const std::vector<StationEntry>& stations) {
    Reports reports;
    for (const StationEntry& station : stations) {
        const auto it = metars.find(station.stationId);
        if (it != metars.end() &&
            std::none_of(reports.begin(), reports.end(), [&](const auto& r) { return r.first == it->first; })) {
            reports.emplace_back(*it);
        }
    }
    Reports others;
    for (const auto& entry : metars) {
        if (std::none_of(reports.begin(), reports.end(), [&](const auto& r) { return r.first == entry.first; })) {
            others.emplace_back(entry);
        }
    }
    std::sort(others.begin(), others.end());
    reports.insert(reports.end(), others.begin(), others.end());
    return reports;
}

std::vector<std::string> stationIds(const std::vector<StationEntry>& stations) {
    std::vector<std::string> ids;
    for (const StationEntry& station : stations) {
        ids.push_back(station.stationId);
    }
    return ids;
}

// "SIGMET: " and the record's first three tags, or nothing without tags.
std::string sigmetText(const WeatherData& weather) {
    std::string text;
    for (size_t i = 0; i < std::min(weather.sigmets.size(), kSigmetsInText); ++i) {
        text += (i == 0 ? "SIGMET: " : ", ") + weather.sigmets[i];
    }
    return text;
}

}  // namespace

// Steps of one cycle up to its pause; returns the settings snapshot the
// pause works from.
EngineSettings Engine::refreshCycle() {
    selectSource();
    source_->beginCycle();
    const EngineSettings settings = copySettings();
    if (weatherTextRequested_.load()) {
        serveWeatherText(settings);
    }
    const std::optional<SimPosition> position = link_->readPosition();
    checkPositionJump(position);
    serveRefresh(settings);
    if (position && callbacks_.onLog) {
        log(formatText("Position: %.3f, %.3f", position->latitudeDeg, position->longitudeDeg), "INFO");
    }
    const StationChoice stations = chooseStations(settings, position, airports_, callbacks_.onStations);
    log("--- Cycle (" + std::to_string(stations.sorted.size()) + " stations) ---", "INFO");
    if (!stations.sorted.empty()) {
        writeStations(settings, position, stations.sorted, stations.working);
    }
    return settings;
}

void Engine::serveWeatherText(const EngineSettings& settings) {
    if (!weatherTextRequested_.exchange(false)) {
        return;
    }
    std::optional<WeatherData> last;
    {
        std::lock_guard lock(weatherMutex_);
        last = lastWeather_;
    }
    if (!last) {
        return;
    }
    const int32_t seconds = settings.textSeconds > 0 ? settings.textSeconds : kOnDemandFallbackSeconds;
    if (link_->showText(formatWeatherSummary(*last, settings.fullMetarText, kTextMaxLength, ""), seconds)) {
        log("On-demand weather text \xE2\x86\x92 FS", "OK");
    } else {
        log("On-demand weather text not shown: FSUIPC write failed", "ERROR");
    }
}

// A jump of more than 200 nm since the last cycle with a position asks for
// a refresh, served in this same cycle.
void Engine::checkPositionJump(const std::optional<SimPosition>& position) {
    if (!position) {
        return;
    }
    if (lastPosition_) {
        const double jumpNm = distanceNm(lastPosition_->latitudeDeg, lastPosition_->longitudeDeg,
                                         position->latitudeDeg, position->longitudeDeg);
        if (jumpNm > kPositionJumpNm) {
            log("Position changed " + std::to_string(static_cast<int64_t>(jumpNm)) +
                    " nm \xE2\x80\x94 auto-refresh",
                "WARN");
            refreshRequested_.exchange(true);
        }
    }
    lastPosition_ = position;
}

void Engine::serveRefresh(const EngineSettings& settings) {
    if (!refreshRequested_.exchange(false)) {
        return;
    }
    log("--- REFRESH ---", "WARN");
    if (link_->nwiAvailable()) {
        link_->initWeather();
        nwiCleared_ = true;
    }
    if (settings.textInSim) {
        link_->showText("NUBIRO\nRefresh...", kBannerSeconds);
    }
}

void Engine::writeStations(const EngineSettings& settings, const std::optional<SimPosition>& position,
                           const std::vector<StationEntry>& sorted, const std::vector<StationEntry>& working) {
    const MetarMap metars = source_->fetchMetars(stationIds(sorted));
    log("METAR: " + std::to_string(metars.size()), "INFO");
    const Reports reports = orderedReports(metars, sorted);
    if (callbacks_.onLog) {
        for (const auto& [id, raw] : reports) {
            if (!raw.empty()) {
                log("[" + id + "] " + raw, "METAR");
            }
        }
    }
    std::vector<json> sigmets;
    if (settings.sigmetEnabled) {
        sigmets = source_->fetchSigmets();
        if (!sigmets.empty()) {
            log("SIGMET active: " + std::to_string(sigmets.size()), "INFO");
        }
    }
    syncZulu(settings, reports);
    const double magVarDeg = link_->readMagneticVariation();
    if (link_->nwiAvailable() && !nwiCleared_) {
        link_->initWeather();
        nwiCleared_ = true;
    }

    int written = writeGlobalPoint(settings, position, sigmets, magVarDeg);
    std::optional<WeatherData> first;
    for (const StationEntry& station : working) {
        if (stopRequested_.load()) {
            break;
        }
        std::optional<WeatherData> weather = stationWeather(settings, station, metars, sigmets);
        if (!weather || !link_->writeWeather(*weather, magVarDeg)) {
            continue;
        }
        ++written;
        if (!first) {
            first = weather;
        }
        if (callbacks_.onStationWeather) {
            callbacks_.onStationWeather(station.stationId, *weather, station.distanceNm);
        }
        std::lock_guard lock(weatherMutex_);
        lastWeather_ = std::move(weather);
    }
    activate(settings, written, first);
}

// The first report with a readable time sets the simulator clock, once per
// engine; a cycle without one, or whose setting fails, leaves it to the next.
void Engine::syncZulu(const EngineSettings& settings, const Reports& reports) {
    if (!settings.syncZulu || zuluSynced_) {
        return;
    }
    for (const auto& report : reports) {
        if (const auto time = parseObservationTime(report.second)) {
            zuluSynced_ = link_->syncTime(time->hour, time->minute);
            return;
        }
    }
}

// The record synthesized at the aircraft position, written before the
// stations; 1 when it was written.
int Engine::writeGlobalPoint(const EngineSettings& settings, const std::optional<SimPosition>& position,
                             const std::vector<json>& sigmets, double magVarDeg) {
    if (!settings.globalLayer || !position || !source_->canSynthesize()) {
        return 0;
    }
    std::optional<WeatherData> global = source_->synthesizeGlobal(position->latitudeDeg, position->longitudeDeg);
    if (!global) {
        return 0;
    }
    if (settings.sigmetEnabled) {
        evaluateSigmets(*global, position->latitudeDeg, position->longitudeDeg, sigmets, callbacks_.onLog);
    }
    finalizeClouds(*global);
    if (!link_->writeWeather(*global, magVarDeg)) {
        return 0;
    }
    log("[GLOB] synthesized", "OK");
    return 1;
}

// A station's finished record: its decoded report completed with model
// layers aloft, or without a report one synthesized from model data;
// hardened by the SIGMETs over its airport.
std::optional<WeatherData> Engine::stationWeather(const EngineSettings& settings, const StationEntry& station,
                                                  const MetarMap& metars, const std::vector<json>& sigmets) {
    const std::optional<Airport> airport = airports_.findAirport(station.stationId);
    const double lat = airport ? airport->lat : 0.0;
    const double lon = airport ? airport->lon : 0.0;
    const int32_t elevationM = airport ? airport->elevationM : 0;
    std::optional<WeatherData> weather;
    if (const auto report = metars.find(station.stationId); report != metars.end()) {
        weather = decodeMetar(station.stationId, report->second, elevationM, settings.cavokHaze,
                              settings.cavokVisibilityM);
        if (weather && source_->hasUpperAir() && airport) {
            source_->attachUpperAir(*weather, lat, lon);
        }
    } else if (settings.synthWithoutMetar && source_->canSynthesize() && airport) {
        weather = source_->synthesize(station.stationId, lat, lon, elevationM);
    }
    if (!weather) {
        return std::nullopt;
    }
    if (airport && settings.sigmetEnabled) {
        evaluateSigmets(*weather, lat, lon, sigmets, callbacks_.onLog);
    }
    finalizeClouds(*weather);
    return weather;
}

// Makes the cycle's records the simulator's weather and shows the first
// station's summary.
void Engine::activate(const EngineSettings& settings, int written, const std::optional<WeatherData>& first) {
    if (!link_->nwiAvailable() || written < 1) {
        return;
    }
    if (!link_->activatePending()) {
        log("NWI: activation of " + std::to_string(written) + " points failed", "ERROR");
        return;
    }
    log("NWI: " + std::to_string(written) + " points activated", "OK");
    if (settings.textInSim && first) {
        link_->showText(formatWeatherSummary(*first, settings.fullMetarText, kTextMaxLength, sigmetText(*first)),
                        settings.textSeconds);
    }
}

}  // namespace wx
