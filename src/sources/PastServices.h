#pragma once

#include <chrono>
#include <string>

namespace wx {

// Where the reports of a time in the past come from.
enum class ReportService {
    AviationWeather,  // the aviation-weather service, asked with a date
    MetarArchive,     // the Mesonet's METAR archive
};

// The services that answer for one weather time.
struct PastServices {
    ReportService reports = ReportService::AviationWeather;
    bool sigmets = false;          // the aviation-weather service still keeps the time's SIGMETs
    bool historicalModel = false;  // the historical model forecasts hold the time's day

    bool operator==(const PastServices&) const = default;
};

// The choice for `weatherTime` while the services live at `present`: the
// aviation-weather service (reports and SIGMETs) while the whole report
// period (kPastReportAge back from the weather time) lies within its reach,
// else the METAR archive and no SIGMETs; the historical model forecasts
// from their first day on.
PastServices pastServicesFor(std::chrono::system_clock::time_point weatherTime,
                             std::chrono::system_clock::time_point present);

// "2022-10-23 14:50Z": a weather time in log lines.
std::string weatherTimeLabel(std::chrono::system_clock::time_point time);

// "the aviation-weather service" or "the METAR archive".
const char* reportServiceName(ReportService service);

}  // namespace wx
