// An airport list in the OurAirports layout, loaded from a file as the
// program loads its cached download, then looked up and searched.

#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>

#include "airports/AirportDb.h"
#include "support/FuzzInput.h"
#include "support/ScratchDir.h"
#include "util/Utf8Path.h"

namespace {

using namespace wx;

// The loader reads files only: every input goes through one file of this
// process's scratch folder.
const std::string& inputPath() {
    static const test::ScratchDir folder;
    static const std::string path = folder.path("airports.csv");
    return path;
}

struct Search {
    double lat;
    double lon;
    int32_t maxCount;
    double radiusNm;
};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr Search kSearches[] = {
    {51.4775, -0.4614, 20, 150.0}, {0.0, 0.0, 5, 20000.0}, {90.0, 180.0, 3, 500.0},
    {-90.0, -180.0, 1, 1.0e9},     {kNaN, 0.0, 5, 100.0},  {10.0, 10.0, 0, 100.0},
};

void search(const AirportDb& db, const Search& s) {
    const auto found = db.nearestAirports(s.lat, s.lon, s.maxCount, s.radiusNm);
    fuzz::require(found.size() <= static_cast<size_t>(std::max(s.maxCount, 0)));
    for (size_t i = 0; i < found.size(); ++i) {
        fuzz::require(found[i].distanceNm <= s.radiusNm);
        fuzz::require(i == 0 || found[i - 1].distanceNm <= found[i].distanceNm);
        // Every airport the search finds is there under its ident.
        const auto airport = db.findAirport(found[i].ident);
        fuzz::require(airport && airport->name == found[i].name);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        std::ofstream out(utf8Path(inputPath()), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    AirportDb db(nullptr);
    const bool loaded = db.loadFile(inputPath());
    fuzz::require(loaded == (db.size() != 0));
    for (const char* ident : {"EGLL", "egll", "KJFK", "", "EGL"}) {
        db.findAirport(ident);
    }
    for (const Search& s : kSearches) {
        search(db, s);
    }
    return 0;
}
