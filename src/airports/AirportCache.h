#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "sources/HttpTransport.h"
#include "weather/LogFn.h"

namespace wx {

// Where the airport list is cached and how it is fetched. The defaults are
// the program's; tests point them at a folder, a clock and a transport of
// their own.
struct AirportCacheOptions {
    std::string directory;                                 // empty: cacheDirectory()
    std::function<std::chrono::system_clock::time_point()> clock;  // empty: the system clock
    std::shared_ptr<HttpTransport> transport;              // empty: makeDefaultHttpTransport()
};

// The cache directory: the user's local application-data folder followed
// by ".nubiro", or the relative ".nubiro" when the folder lookup fails.
std::string cacheDirectory();

// A cached list this old or older is downloaded again.
inline constexpr double kAirportCacheMaxAgeDays = 30.0;

// Age of a file in days: the whole hours between its last write and now
// (truncated toward zero) divided by 24. A write time in the future gives a
// negative age.
double cacheAgeDays(std::chrono::system_clock::time_point now, std::chrono::system_clock::time_point written);

// The age as the log shows it: printed with "%f" and cut to 4 characters.
std::string formatAgeDays(double days);

// True when the file starts with a complete header line (ended by a line
// feed) that names the ident, latitude_deg and longitude_deg columns.
bool startsWithAirportHeader(const std::string& path);

// Makes sure a usable "airports.csv" is in the cache directory, downloading
// it when it is missing or stale, and returns its path; empty when there is
// none. A download lands in a temporary file first and replaces the cached
// list only when it arrived whole and starts with the airport list's
// header, so a failed or foreign answer never overwrites a good list.
std::string ensureAirportCacheFile(const AirportCacheOptions& options, const LogFn& log);

}  // namespace wx
