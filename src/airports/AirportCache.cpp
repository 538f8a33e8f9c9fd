#include "airports/AirportCache.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "airports/AirportCsv.h"
#include "airports/LocalAppDataFolder.h"
#include "sources/HttpClient.h"
#include "sources/ServiceHosts.h"
#include "util/Utf8Path.h"

namespace wx {
namespace fs = std::filesystem;
namespace {

constexpr const char* kCacheFileName = "airports.csv";
constexpr const char* kDownloadFileName = "airports.csv.download";
constexpr const char* kDownloadPath = "/ourairports-data/airports.csv";
constexpr int kDownloadTimeoutSec = 90;

// Fetches the list into a temporary file beside the cache file and moves it
// over the cache file only when it is an airport list. The temporary file
// never outlives the call.
bool downloadAirportList(const fs::path& file, const AirportCacheOptions& options, const LogFn& log) {
    const fs::path partial = file.parent_path() / kDownloadFileName;
    HttpClient client(log, options.transport ? options.transport : makeDefaultHttpTransport());
    const bool received = client.downloadToFile(airportsBaseUrl() + kDownloadPath, utf8String(partial),
                                                kDownloadTimeoutSec);
    std::error_code error;
    if (received && startsWithAirportHeader(utf8String(partial))) {
        fs::rename(partial, file, error);
        if (!error) {
            return true;
        }
    }
    fs::remove(partial, error);
    return false;
}

}  // namespace

std::string cacheDirectory() {
    const FolderLookup lookup = defaultLocalAppDataLookup();
    const auto folder = lookup();
    if (!folder || folder->empty()) {
        return ".nubiro";
    }
    return utf8String(utf8Path(*folder) / ".nubiro");
}

double cacheAgeDays(std::chrono::system_clock::time_point now, std::chrono::system_clock::time_point written) {
    const auto hours = std::chrono::duration_cast<std::chrono::hours>(now - written).count();
    return static_cast<double>(hours) / 24.0;
}

std::string formatAgeDays(double days) {
    char text[512];
    std::snprintf(text, sizeof text, "%f", days);
    return std::string(text).substr(0, 4);
}

bool startsWithAirportHeader(const std::string& path) {
    std::ifstream in(utf8Path(path), std::ios::binary);
    std::string line;
    if (!readCsvLine(in, line) || in.eof()) {
        return false;
    }
    return parseAirportHeader(line).usable();
}

std::string ensureAirportCacheFile(const AirportCacheOptions& options, const LogFn& log) {
    const std::string directory = options.directory.empty() ? cacheDirectory() : options.directory;
    const fs::path folder = utf8Path(directory);
    const fs::path file = folder / kCacheFileName;

    // A folder that cannot be made or a file that cannot be examined leaves
    // no usable cache: the load then fails like one without a list.
    const auto unusable = [&] {
        logLine(log, "Airport cache folder unusable: " + directory, "ERROR");
        return std::string();
    };
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        return unusable();
    }
    const bool present = fs::exists(file, error);
    if (error) {
        return unusable();
    }
    if (present) {
        const fs::file_time_type written = fs::last_write_time(file, error);
        if (error) {
            return unusable();
        }
        const auto now = options.clock ? options.clock() : std::chrono::system_clock::now();
        const double days = cacheAgeDays(
            now, std::chrono::time_point_cast<std::chrono::system_clock::duration>(
                     std::chrono::file_clock::to_sys(written)));
        // A young file that is no airport list (a damaged file, a page an
        // older program stored) is fetched again rather than trusted for 30
        // days of failed loads.
        if (days < kAirportCacheMaxAgeDays && startsWithAirportHeader(utf8String(file))) {
            logLine(log, "Airport DB: cache OK (" + formatAgeDays(days) + " days).", "INFO");
            return utf8String(file);
        }
    }

    logLine(log, "Downloading OurAirports DB (~12 MB)...", "INFO");
    if (downloadAirportList(file, options, log)) {
        logLine(log, "Airport DB downloaded.", "OK");
        return utf8String(file);
    }
    logLine(log, "Failed to download airport DB.", "ERROR");
    return fs::exists(file, error) ? utf8String(file) : std::string();
}

}  // namespace wx
