// One refresh cycle: position, refresh triggers, stations (with a flight
// plan its airports and the route stations ahead), METARs and SIGMETs,
// clock, the global point, every station's record, activation and the
// cycle's text.

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/Engine.h"
#include "engine/FlightStations.h"
#include "engine/SigmetEvaluation.h"
#include "sim/FormatText.h"
#include "weather/Clouds.h"
#include "weather/MetarAge.h"
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
// The point at the aircraft, as smooth changes keep it.
const StationEntry kGlobalPoint{"GLOB", 0.0};

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

// The reports of the airports asked for near the route that did not become
// route stations: they are no station of the cycle.
void forgetOtherCandidates(const RouteAhead& ahead, const std::vector<StationEntry>& route, MetarMap& reports) {
    for (const std::string& id : ahead.candidates) {
        if (std::none_of(route.begin(), route.end(), [&](const StationEntry& s) { return s.stationId == id; })) {
            reports.erase(id);
        }
    }
}

// "SIGMET: " and the record's first three tags, or nothing without tags.
std::string sigmetTagsText(const WeatherData& weather) {
    std::string text;
    for (size_t i = 0; i < std::min(weather.sigmets.size(), kSigmetsInText); ++i) {
        text += (i == 0 ? "SIGMET: " : ", ") + weather.sigmets[i];
    }
    return text;
}

}  // namespace

// Steps of one cycle up to its pause; returns the settings snapshot the
// pause works from. Without the simulator the cycle only looks for it.
EngineSettings Engine::refreshCycle() {
    selectSource();
    const EngineSettings settings = copySettings();
    source_->beginCycle({.keepModelThroughOutage = keepReportsMinutes(settings.keepReportsMin) > 0});
    if (!settings.smoothChanges) {
        smooth_.reset();
    }
    if (!ensureLink()) {
        return settings;
    }
    if (weatherTextRequested_.load()) {
        serveWeatherText(settings);
    }
    const std::optional<SimPosition> position = link_->readPosition();
    checkStop();
    if (!link_->connected()) {
        return settings;
    }
    notePosition(settings, position);
    checkPositionJump(position);
    serveRefresh(settings);
    checkStop();
    if (position && workerLog_) {
        log(formatText("Position: %.3f, %.3f", position->latitudeDeg, position->longitudeDeg), "INFO");
    }
    if (settings.smoothChanges && smooth_.onlyMoving(clock_->now(), settings.intervalSec)) {
        overview_.aircraft = position;
        overview_.radiusNm = settings.radiusNm;
        overview_.route = overviewRoute(settings, airports_);
        moveStationsOn(settings);
        return settings;
    }
    smooth_.fullCycleBegins(clock_->now());
    const StationChoice stations = chooseStations(settings, position, airports_, callbacks_.onStations);
    log("--- Cycle (" + std::to_string(stations.sorted.size() + stations.plan.size()) + " stations) ---", "INFO");
    if (!stations.sorted.empty() || !stations.plan.empty()) {
        writeStations(settings, position, stations);
    } else if (wantsGlobalPoint(settings, position)) {
        writeGlobalPointOnly(settings, *position);
    }
    return settings;
}

// A simulator that went away is looked for again every cycle. A new one
// gets its weather reset before the first write and its clock set again.
bool Engine::ensureLink() {
    if (link_->connected()) {
        return true;
    }
    link_.reset();
    link_ = std::make_unique<SimLink>(workerLog_, ipcTransport_, clock_);
    checkStop();
    if (!link_->connected()) {
        return false;
    }
    nwiCleared_ = false;
    zuluSynced_ = false;
    smooth_.writeAtOnce();
    return true;
}

// Auto mode has nothing to do without a position: said once until the
// simulator gives one again.
void Engine::notePosition(const EngineSettings& settings, const std::optional<SimPosition>& position) {
    if (position) {
        positionMissing_ = false;
    } else if (settings.stationMode == "auto" && !positionMissing_) {
        positionMissing_ = true;
        log("No position from the simulator.", "WARN");
    }
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
    smooth_.writeAtOnce();
    if (link_->nwiAvailable()) {
        link_->initWeather();
        nwiCleared_ = true;
    }
    if (settings.textInSim) {
        link_->showText("NUBIRO\nRefresh...", kBannerSeconds);
    }
}

// The cycle's one METAR request asks for its stations, the plan's airports
// and the airports near the route ahead, so that its answer (or, while the
// service does not answer, the kept reports) tells which of those have a
// report; the route stations are chosen from them and the reports of the
// others forgotten.
Engine::CycleReports Engine::fetchReports(const EngineSettings& settings, const std::optional<SimPosition>& position,
                                          const StationChoice& stations) {
    std::vector<std::string> asked = stationIds(stations.sorted);
    for (const StationEntry& station : stations.plan) {
        if (std::find(asked.begin(), asked.end(), station.stationId) == asked.end()) {
            asked.push_back(station.stationId);
        }
    }
    const RouteAhead ahead = lookAlongRoute(settings, position, airports_, asked);
    asked.insert(asked.end(), ahead.candidates.begin(), ahead.candidates.end());
    CycleReports reports{source_->fetchMetars(asked), {}, {}};
    checkStop();
    reports.kept = keptReportsFor(settings, asked, reports.fetch);
    std::vector<StationEntry> chosen = stations.working;
    chosen.insert(chosen.end(), stations.plan.begin(), stations.plan.end());
    reports.route = chooseRouteStationsAhead(
        ahead, settings, position, airports_,
        [&](const std::string& id) { return reports.fetch.reports.count(id) > 0 || reports.kept.count(id) > 0; },
        stationIds(chosen));
    forgetOtherCandidates(ahead, reports.route, reports.fetch.reports);
    forgetOtherCandidates(ahead, reports.route, reports.kept);
    return reports;
}

void Engine::writeStations(const EngineSettings& settings, const std::optional<SimPosition>& position,
                           const StationChoice& stations) {
    CycleReports reports = fetchReports(settings, position, stations);
    if (settings.plan) {
        log("Flight plan: " + std::to_string(reports.route.size()) + " route stations", "INFO");
    }
    MetarMap& metars = reports.fetch.reports;
    log("METAR: " + std::to_string(metars.size()), "INFO");
    std::vector<StationEntry> ordered = stations.sorted;
    ordered.insert(ordered.end(), stations.plan.begin(), stations.plan.end());
    ordered.insert(ordered.end(), reports.route.begin(), reports.route.end());
    const Reports received = orderedReports(metars, ordered);
    useKeptReports(settings, reports.fetch, reports.kept);
    logReports(orderedReports(metars, ordered));
    const SigmetList sigmets = fetchSigmets(settings);
    overview_ = {position, settings.radiusNm, {}, overviewSigmets(sigmets.applicable),
                 overviewRoute(settings, airports_)};
    syncZulu(settings, received);
    const double magVarDeg = link_->readMagneticVariation();
    initialiseWeatherOnce();
    checkStop();

    const std::optional<WeatherData> global = writeGlobalPoint(settings, position, sigmets, magVarDeg);
    int count = global ? 1 : 0;
    // The text shown and the read-back are of the stations around the
    // aircraft, written first; the plan's stations come after them.
    std::optional<WeatherData> first;
    std::optional<WeatherData> firstOfPlan;
    std::vector<StationEntry> written = stations.working;
    written.insert(written.end(), stations.plan.begin(), stations.plan.end());
    written.insert(written.end(), reports.route.begin(), reports.route.end());
    for (size_t i = 0; i < written.size(); ++i) {
        checkStop();
        if (!link_->connected()) {
            break;
        }
        const std::optional<WeatherData> weather = stationWeather(settings, written[i], metars, sigmets);
        checkStop();
        std::optional<WeatherData>& firstOfKind = i < stations.working.size() ? first : firstOfPlan;
        if (weather && writeStationRecord(settings, written[i], *weather, magVarDeg, firstOfKind)) {
            ++count;
        }
    }
    source_->endCycle();
    activate(settings, count, first, first ? first : global, magVarDeg);
    briefCycle(settings, position, metars, sigmets);
}

// An answer of the METAR service is remembered. When the service gave none
// at all and the setting is on, the last reports of the stations asked for
// that are young enough.
MetarMap Engine::keptReportsFor(const EngineSettings& settings, const std::vector<std::string>& asked,
                                const MetarFetch& fetch) {
    const auto now = weatherClock_->now();
    if (fetch.answered) {
        keptReports_.remember(fetch.reports, now);
        return {};
    }
    const int32_t minutes = keepReportsMinutes(settings.keepReportsMin);
    return minutes == 0 ? MetarMap{} : keptReports_.youngerThan(asked, minutes, now);
}

// Without an answer each station keeps its last report, written as a fresh
// one would be.
void Engine::useKeptReports(const EngineSettings& settings, MetarFetch& fetch, const MetarMap& kept) {
    if (fetch.answered || keepReportsMinutes(settings.keepReportsMin) == 0) {
        return;
    }
    log("METAR service not answering: " + std::to_string(kept.size()) + " stations keep their last reports",
        "WARN");
    fetch.reports.insert(kept.begin(), kept.end());
}

// The raw reports with their age; a stale one is pointed out.
void Engine::logReports(const Reports& reports) {
    if (!workerLog_) {
        return;
    }
    const auto now = weatherClock_->now();
    for (const auto& [id, raw] : reports) {
        if (raw.empty()) {
            continue;
        }
        const std::optional<int32_t> age = reportAgeMinutes(raw, now);
        log("[" + id + "] " + raw + (age ? " (" + std::to_string(*age) + " min)" : ""), "METAR");
        if (age && *age > kStaleReportMinutes) {
            log("[" + id + "] METAR is " + std::to_string(*age) + " min old", "WARN");
        }
    }
}

// Writes a station's record, or with smooth changes the next step toward
// it, and reports what was written.
bool Engine::writeStationRecord(const EngineSettings& settings, const StationEntry& station,
                                const WeatherData& target, double magVarDeg, std::optional<WeatherData>& first) {
    WeatherData record = settings.smoothChanges ? smooth_.next(station.stationId, target) : target;
    if (!link_->writeWeather(record, magVarDeg)) {
        return false;
    }
    if (settings.smoothChanges) {
        smooth_.written(station, record, target);
    }
    if (!first) {
        first = record;
    }
    noteWritten(station, record);
    if (callbacks_.onStationWritten) {
        callbacks_.onStationWritten(station, record);
    }
    std::lock_guard lock(weatherMutex_);
    lastWeather_ = std::move(record);
    return true;
}

// The station's record as the overview shows it, where its airport lies;
// a station without a known airport has no place on the map.
void Engine::noteWritten(const StationEntry& station, const WeatherData& record) {
    if (const std::optional<Airport> airport = airports_.findAirport(station.stationId)) {
        noteStation(overview_, {station.stationId, airport->lat, airport->lon, record, station.role});
    }
}

// A cycle of smooth changes between fetches: every station still moving
// gets its next step toward the target already fetched, without a request.
void Engine::moveStationsOn(const EngineSettings& settings) {
    const std::vector<MovingStation> moving = smooth_.takeMoving();
    log("Smooth change: " + std::to_string(moving.size()) + " stations still moving", "INFO");
    const double magVarDeg = link_->readMagneticVariation();
    initialiseWeatherOnce();
    int written = 0;
    std::optional<WeatherData> first;
    std::optional<WeatherData> global;
    for (const MovingStation& station : moving) {
        checkStop();
        if (!link_->connected()) {
            break;
        }
        if (station.station.stationId != kGlobalPoint.stationId) {
            written += writeStationRecord(settings, station.station, station.target, magVarDeg, first) ? 1 : 0;
            continue;
        }
        const WeatherData step = smooth_.stepOn(station);
        if (link_->writeWeather(step, magVarDeg)) {
            smooth_.written(kGlobalPoint, step, station.target);
            global = step;
            ++written;
        }
    }
    activate(settings, written, std::nullopt, first ? first : global, magVarDeg);
}

// With no station in range (over open water) the model's weather at the
// aircraft is still written, so that the simulator does not keep the last
// coast's weather: SIGMETs, the global point and its activation, without
// METARs, clock or cycle text.
void Engine::writeGlobalPointOnly(const EngineSettings& settings, const SimPosition& position) {
    const SigmetList sigmets = fetchSigmets(settings);
    overview_ = {position, settings.radiusNm, {}, overviewSigmets(sigmets.applicable),
                 overviewRoute(settings, airports_)};
    const double magVarDeg = link_->readMagneticVariation();
    initialiseWeatherOnce();
    checkStop();
    const std::optional<WeatherData> global = writeGlobalPoint(settings, position, sigmets, magVarDeg);
    source_->endCycle();
    activate(settings, global ? 1 : 0, std::nullopt, global, magVarDeg);
}

// The cycle's SIGMETs: those of the answer that apply now, chosen once for
// all the cycle's points.
SigmetList Engine::fetchSigmets(const EngineSettings& settings) {
    if (!settings.sigmetEnabled) {
        return {};
    }
    const std::vector<json> sigmets = source_->fetchSigmets();
    checkStop();
    if (!sigmets.empty()) {
        log("SIGMET active: " + std::to_string(sigmets.size()), "INFO");
    }
    return sigmetsToApply(sigmets, weatherClock_->now());
}

// The simulator's weather is cleared once, in the first cycle that writes.
void Engine::initialiseWeatherOnce() {
    if (link_->nwiAvailable() && !nwiCleared_) {
        link_->initWeather();
        nwiCleared_ = true;
    }
}

// The simulator's clock is set once per engine: while a weather time is
// flown to it, date included, so that the sun stands where it stood; else
// to the first report with a readable time. A cycle without one, or whose
// setting fails, leaves it to the next.
void Engine::syncZulu(const EngineSettings& settings, const Reports& reports) {
    if (!settings.syncZulu || zuluSynced_) {
        return;
    }
    if (weatherClock_->flyingPast()) {
        const auto now = std::chrono::time_point_cast<std::chrono::milliseconds>(weatherClock_->now());
        zuluSynced_ = link_->syncDateTime(now);
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
bool Engine::wantsGlobalPoint(const EngineSettings& settings, const std::optional<SimPosition>& position) const {
    return settings.globalLayer && position && source_->canSynthesize();
}

std::optional<WeatherData> Engine::writeGlobalPoint(const EngineSettings& settings,
                                                    const std::optional<SimPosition>& position,
                                                    const SigmetList& sigmets, double magVarDeg) {
    if (!wantsGlobalPoint(settings, position)) {
        return std::nullopt;
    }
    std::optional<WeatherData> global = source_->synthesizeGlobal(position->latitudeDeg, position->longitudeDeg);
    checkStop();
    if (!global) {
        return std::nullopt;
    }
    if (settings.sigmetEnabled) {
        evaluateSigmets(*global, position->latitudeDeg, position->longitudeDeg, sigmets, workerLog_);
    }
    finalizeClouds(*global);
    const WeatherData record = settings.smoothChanges ? smooth_.next(kGlobalPoint.stationId, *global) : *global;
    if (!link_->writeWeather(record, magVarDeg)) {
        return std::nullopt;
    }
    if (settings.smoothChanges) {
        smooth_.written(kGlobalPoint, record, *global);
    }
    log("[GLOB] synthesized", "OK");
    return record;
}

// A station's finished record: its decoded report completed with model
// layers aloft, or without a report one synthesized from model data;
// hardened by the SIGMETs over its airport.
std::optional<WeatherData> Engine::stationWeather(const EngineSettings& settings, const StationEntry& station,
                                                  const MetarMap& metars, const SigmetList& sigmets) {
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
        evaluateSigmets(*weather, lat, lon, sigmets, workerLog_);
    }
    finalizeClouds(*weather);
    return weather;
}

// Makes the cycle's records the simulator's weather and shows the first
// station's summary.
void Engine::activate(const EngineSettings& settings, int written, const std::optional<WeatherData>& textRecord,
                      const std::optional<WeatherData>& nearest, double magVarDeg) {
    checkStop();
    if (!link_->connected() || !link_->nwiAvailable() || written < 1) {
        return;
    }
    if (!link_->activatePending()) {
        log("NWI: activation of " + std::to_string(written) + " points failed", "ERROR");
        return;
    }
    log("NWI: " + std::to_string(written) + " points activated", "OK");
    readBack(nearest, magVarDeg);
    checkStop();
    if (callbacks_.onCycleOverview) {
        callbacks_.onCycleOverview(overview_);
    }
    if (settings.textInSim && textRecord) {
        link_->showText(
            formatWeatherSummary(*textRecord, settings.fullMetarText, kTextMaxLength, sigmetTagsText(*textRecord)),
            settings.textSeconds);
    }
}

// What the simulator now has at the aircraft against the record written
// for the station nearest to it, once a cycle; a difference that lasts is
// warned about.
void Engine::readBack(const std::optional<WeatherData>& sent, double magVarDeg) {
    if (!sent) {
        return;
    }
    const std::optional<AmbientWeather> ambient = link_->readAmbient();
    checkStop();
    if (!ambient) {
        return;
    }
    const ReadBack result = compareReadBack(*ambient, *sent, magVarDeg);
    log(readBackLine(result), "INFO");
    if (readBackWatch_.warns(result)) {
        log(readBackWarning(result), "WARN");
    }
    if (callbacks_.onReadBack) {
        callbacks_.onReadBack(result);
    }
}

}  // namespace wx
