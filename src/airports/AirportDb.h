#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "airports/Airport.h"
#include "airports/AirportCache.h"
#include "airports/Distance.h"
#include "weather/LogFn.h"

namespace wx {

// The OurAirports list: airports with a four-letter alphabetic ident that
// are not closed, looked up by ident or searched by distance. Loaded once
// on the window's thread; afterwards nothing writes to it, so the engine's
// worker reads it without a lock.
class AirportDb {
public:
    explicit AirportDb(LogFn log, AirportCacheOptions cache = {});
    // The search entries point into the map's nodes: moving keeps them
    // valid, copying would not.
    AirportDb(const AirportDb&) = delete;
    AirportDb& operator=(const AirportDb&) = delete;
    AirportDb(AirportDb&&) = default;
    AirportDb& operator=(AirportDb&&) = default;

    // Makes sure the cache file is there (downloading it when it is missing
    // or stale) and loads it; true when at least one row was stored.
    bool load();
    // Loads one CSV file. The database is not emptied first: a later row,
    // of this file or an earlier one, replaces a record with the same ident.
    bool loadFile(const std::string& path);
    // Path of a usable cached list, or empty when there is none.
    std::string ensureCacheFile();

    size_t size() const { return airports_.size(); }
    // The ident is upper-cased (ASCII) before the lookup.
    std::optional<Airport> findAirport(const std::string& ident) const;
    // Airports within radiusNm of the point, nearest first, then by ident
    // and by name; at most maxCount of them (none when it is 0 or less).
    std::vector<NearbyAirport> nearestAirports(double lat, double lon, int32_t maxCount, double radiusNm) const;

private:
    // One airport prepared for the distance scan.
    struct SearchEntry {
        geo::GeoPoint point;
        const std::string* ident;
        const Airport* airport;
    };

    void rebuildSearchEntries();

    LogFn log_;
    AirportCacheOptions cache_;
    std::unordered_map<std::string, Airport> airports_;
    std::vector<SearchEntry> searchEntries_;
};

}  // namespace wx
