#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "sources/HttpClient.h"
#include "sources/RequestSpacing.h"
#include "sources/WeatherSource.h"
#include "weather/LogFn.h"

namespace wx {

// Requests to the Mesonet's archive (host from NUBIRO_IEM_URL). Each one
// takes at most this long as a whole.
constexpr int kArchiveTimeoutSec = 40;

// The archive asks for at most one request a second from an address.
inline constexpr std::chrono::milliseconds kArchiveRequestGap{1000};

// The URL of one asos.py request for the stations' raw reports (their
// archive ids, "station" once per station) observed from kPastReportAge
// before the weather time up to and including its minute, times in UTC,
// as plain comma-separated values with empty fields for missing values.
std::string metarArchiveUrl(const std::vector<std::string>& stationIds,
                            std::chrono::system_clock::time_point weatherTime);

// Each station's last report observed at or before the weather time and at
// most kPastReportAge before it, from an answer "station,valid,metar"
// (header line first, "valid" as "YYYY-MM-DD HH:MM" in UTC), keyed by the
// station's ICAO id. Rows without a report or a readable time are passed
// over; a last line without its line end was cut off and is passed over
// too. An answer without the header is no archive answer: a WARN line and
// no reports.
MetarMap decodeMetarArchive(const std::string& body, std::chrono::system_clock::time_point weatherTime,
                            const LogFn& log);

// One request for all ids, spaced from the last one to the archive; a
// cancelled wait or request ends it quietly with no reports.
MetarFetch fetchMetarArchive(HttpClient& http, RequestSpacing& spacing, HttpCancel* cancel, const LogFn& log,
                             const std::vector<std::string>& stationIds,
                             std::chrono::system_clock::time_point weatherTime);

}  // namespace wx
