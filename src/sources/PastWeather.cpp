#include "sources/PastWeather.h"

#include <utility>

#include "sources/AviationWeather.h"
#include "sources/Forecast.h"
#include "sources/MetarArchive.h"
#include "sources/ModelAnswerStore.h"
#include "sources/PastReach.h"
#include "sources/TafArchive.h"
#include "sources/TafFetch.h"

namespace wx {
namespace {

std::chrono::sys_days dayOf(std::chrono::system_clock::time_point time) {
    return std::chrono::floor<std::chrono::days>(time);
}

}  // namespace

PastWeather::PastWeather(LogFn log, UtcClock weatherClock, UtcClock present, std::shared_ptr<HttpCancel> cancel)
    : log_(std::move(log)),
      weatherClock_(std::move(weatherClock)),
      present_(std::move(present)),
      cancel_(std::move(cancel)),
      archiveSpacing_(kArchiveRequestGap) {}

PastServices PastWeather::services() const {
    return pastServicesFor(utcNow(weatherClock_), utcNow(present_));
}

MetarFetch PastWeather::fetchMetars(HttpClient& http, const std::vector<std::string>& stationIds) {
    const auto weatherTime = utcNow(weatherClock_);
    const ReportService service = services().reports;
    MetarFetch fetch = service == ReportService::AviationWeather
                           ? fetchMetarsAt(http, log_, stationIds, weatherTime)
                           : fetchMetarArchive(http, archiveSpacing_, cancel_.get(), log_, stationIds, weatherTime);
    reportsAt_ = weatherTime;
    reportService_ = service;
    reports_ = fetch.reports.size();
    return fetch;
}

std::vector<nlohmann::json> PastWeather::fetchSigmets(HttpClient& http) {
    const auto weatherTime = utcNow(weatherClock_);
    if (services().sigmets) {
        return fetchSigmetList(http, weatherTime);
    }
    if (!sigmetsSaid_) {
        sigmetsSaid_ = true;
        const std::string label = weatherTimeLabel(weatherTime);
        logLine(log_, "SIGMETs: none kept for " + label + " / SIGMET: не хранятся за " + label, "INFO");
    }
    return {};
}

std::optional<std::vector<Taf>> PastWeather::fetchTafs(HttpClient& http, const std::vector<std::string>& stationIds) {
    const auto weatherTime = utcNow(weatherClock_);
    if (services().reports == ReportService::AviationWeather) {
        return fetchTafList(http, log_, stationIds, weatherTime);
    }
    return fetchTafArchive(http, archiveSpacing_, cancel_.get(), log_, stationIds, weatherTime);
}

bool PastWeather::modelHeld() {
    if (services().historicalModel) {
        return true;
    }
    if (!modelSaid_) {
        modelSaid_ = true;
        logLine(log_,
                "Model data: none before " + isoDay(kHistoricalForecastStart) + ", the first day of the historical "
                    "forecast; stations without a report get no model weather",
                "INFO");
    }
    return false;
}

std::optional<nlohmann::json> PastWeather::fetchModel(HttpClient& http, double lat, double lon) {
    return fetchHistoricalForecast(http, lat, lon, dayOf(utcNow(weatherClock_)));
}

std::string PastWeather::modelKey(double lat, double lon) const {
    return ModelAnswerStore::pointKey(lat, lon) + "@" + isoDay(dayOf(utcNow(weatherClock_)));
}

void PastWeather::beginCycle() {
    reportsAt_.reset();
    reports_ = 0;
    modelPoints_ = 0;
}

void PastWeather::endCycle(bool model) {
    if (!reportsAt_) {
        return;
    }
    std::string line = "Weather time " + weatherTimeLabel(*reportsAt_) + ": " + std::to_string(reports_) +
                       (reports_ == 1 ? " report from " : " reports from ") + reportServiceName(reportService_);
    if (model) {
        line += services().historicalModel
                    ? ", " + std::to_string(modelPoints_) + (modelPoints_ == 1 ? " model point" : " model points") +
                          " from the historical forecast"
                    : ", no model data";
    }
    logLine(log_, line, "INFO");
}

}  // namespace wx
