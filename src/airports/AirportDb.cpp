#include "airports/AirportDb.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <utility>

#include "airports/AirportCsv.h"
#include "util/Utf8Path.h"

namespace wx {
namespace {

// Far more than the haversine's rounding, far less than any airport's size.
constexpr double kLatitudeMarginNm = 0.001;

}  // namespace

AirportDb::AirportDb(LogFn log, AirportCacheOptions cache) : log_(std::move(log)), cache_(std::move(cache)) {}

std::string AirportDb::ensureCacheFile() { return ensureAirportCacheFile(cache_, log_); }

bool AirportDb::load() {
    const std::string path = ensureCacheFile();
    return !path.empty() && loadFile(path);
}

bool AirportDb::loadFile(const std::string& path) {
    // Binary mode: readCsvLine does the one thing text mode would (CR LF to
    // LF) on every platform.
    std::ifstream in(utf8Path(path), std::ios::binary);
    if (!in) {
        logLine(log_, "Cannot open airport cache.", "ERROR");
        return false;
    }
    std::string line;
    if (!readCsvLine(in, line)) {
        return false;
    }
    const AirportColumns columns = parseAirportHeader(line);
    if (!columns.usable()) {
        return false;
    }
    CsvRow row;
    long long loaded = 0;
    while (readCsvLine(in, line)) {
        row.scan(line);
        auto parsed = airportFromRow(row, columns);
        if (!parsed) {
            continue;
        }
        airports_.insert_or_assign(std::move(parsed->ident), std::move(parsed->airport));
        ++loaded;
    }
    rebuildSearchEntries();
    logLine(log_, "Airport DB loaded: " + std::to_string(loaded) + " stations.", "INFO");
    return loaded >= 1;
}

void AirportDb::rebuildSearchEntries() {
    searchEntries_.clear();
    searchEntries_.reserve(airports_.size());
    for (const auto& [ident, airport] : airports_) {
        searchEntries_.push_back({geo::geoPoint(airport.lat, airport.lon), &ident, &airport});
    }
}

std::optional<Airport> AirportDb::findAirport(const std::string& ident) const {
    std::string key = ident;
    for (char& c : key) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    const auto it = airports_.find(key);
    if (it == airports_.end()) {
        return std::nullopt;
    }
    return it->second;
}

std::vector<NearbyAirport> AirportDb::nearestAirports(double lat, double lon, int32_t maxCount,
                                                      double radiusNm) const {
    if (maxCount <= 0) {
        return {};
    }
    struct Candidate {
        double distanceNm;
        const SearchEntry* entry;
    };
    const geo::GeoPoint query = geo::geoPoint(lat, lon);
    // No airport is nearer than its difference in latitude: those farther
    // north or south than the radius are passed over without the haversine
    // (with a margin for its rounding), most of them for a small radius.
    const double widestLatRad = (radiusNm + kLatitudeMarginNm) / geo::kEarthRadiusNm;
    std::vector<Candidate> kept;
    for (const SearchEntry& entry : searchEntries_) {
        if (std::abs(entry.point.latRad - query.latRad) > widestLatRad) {
            continue;
        }
        const double distance = geo::haversineNm(query, entry.point);
        if (distance <= radiusNm) {  // false for NaN
            kept.push_back({distance, &entry});
        }
    }
    // Idents are unique, so this order is total and does not depend on the
    // order in which the map yields its airports.
    const auto nearer = [](const Candidate& a, const Candidate& b) {
        if (a.distanceNm != b.distanceNm) {
            return a.distanceNm < b.distanceNm;
        }
        if (*a.entry->ident != *b.entry->ident) {
            return *a.entry->ident < *b.entry->ident;
        }
        return a.entry->airport->name < b.entry->airport->name;
    };
    const size_t count = std::min(kept.size(), static_cast<size_t>(maxCount));
    std::partial_sort(kept.begin(), kept.begin() + static_cast<std::ptrdiff_t>(count), kept.end(), nearer);
    std::vector<NearbyAirport> result;
    result.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        result.push_back({kept[i].distanceNm, kept[i].entry->airport->name, *kept[i].entry->ident});
    }
    return result;
}

}  // namespace wx
