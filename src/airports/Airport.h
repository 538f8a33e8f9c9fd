#pragma once

#include <cstdint>
#include <string>

namespace wx {

// One airport of the list; the database keeps it under its ident (four
// upper-case ASCII letters).
struct Airport {
    double lat = 0.0;         // degrees, north positive
    double lon = 0.0;         // degrees, east positive
    int32_t elevationM = 0;   // whole metres; 0 when the file gives none
    std::string name;         // bytes as in the file (UTF-8)
    std::string type;         // the file's type word; empty without that column

    bool operator==(const Airport&) const = default;
};

// One result of the nearest search.
struct NearbyAirport {
    double distanceNm = 0.0;
    std::string name;
    std::string ident;

    bool operator==(const NearbyAirport&) const = default;
};

}  // namespace wx
