#include "sources/PastServices.h"

#include <cstdio>

#include "sources/PastReach.h"

namespace wx {

PastServices pastServicesFor(std::chrono::system_clock::time_point weatherTime,
                             std::chrono::system_clock::time_point present) {
    const bool withinReach = weatherTime - kPastReportAge >= present - kAviationWeatherReach;
    PastServices services;
    services.reports = withinReach ? ReportService::AviationWeather : ReportService::MetarArchive;
    services.sigmets = withinReach;
    services.historicalModel = weatherTime >= kHistoricalForecastStart;
    return services;
}

std::string weatherTimeLabel(std::chrono::system_clock::time_point time) {
    const auto day = std::chrono::floor<std::chrono::days>(time);
    const std::chrono::year_month_day date{day};
    const std::chrono::hh_mm_ss clock{std::chrono::floor<std::chrono::minutes>(time - day)};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02dZ", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()));
    return text;
}

const char* reportServiceName(ReportService service) {
    return service == ReportService::AviationWeather ? "the aviation-weather service" : "the METAR archive";
}

}  // namespace wx
