#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wx {

// One cloud layer. The base is metres above the station; the writer adds the
// station elevation.
struct CloudLayer {
    int32_t baseM = 0;
    int32_t coverOktas = 0;   // 0..8
    std::string type;         // "CB", "TCU", "CU", "SC", "ST", "AC", "CI" or empty
    int32_t turbulence = 0;   // 0..4
    int32_t icing = 0;        // 0..4
    std::string source;       // "METAR", "SYNTH", "SIGMET" or "PRECIP"
    int32_t topM = 0;         // meaningful only when hasTop
    bool hasTop = false;

    bool operator==(const CloudLayer&) const = default;
};

// Winds and temperature at one altitude above mean sea level.
struct UpperAirLayer {
    int32_t altitudeM = 0;
    int32_t windDirDeg = 0;
    int32_t windSpeedKt = 0;
    float temperatureC = 0.0f;  // valid only when hasTemperature
    bool hasTemperature = false;
    int32_t turbulence = 0;     // 0..4
    int32_t icing = 0;          // 0..4
    int32_t windGustKt = 0;     // 0 = none
    std::string source;         // "SYNTH" for model layers

    bool operator==(const UpperAirLayer&) const = default;
};

// Observation time of a report, UTC.
struct ObservationTime {
    int32_t hour = 0;    // 0..23
    int32_t minute = 0;  // 0..59

    bool operator==(const ObservationTime&) const = default;
};

// One station's weather as the whole program passes it around. A
// default-constructed record carries the defaults every producer starts from.
struct WeatherData {
    std::string stationId;        // ICAO code; "GLOB" for the aircraft position
    int32_t elevationM = 0;       // metres above mean sea level
    int32_t windDirDeg = 0;       // degrees true; 0 for variable or calm
    int32_t windSpeedKt = 0;
    int32_t windGustKt = 0;       // 0 = no gust
    int32_t visibilityM = 9999;
    int32_t qnhHpa = 1013;
    float temperatureC = 15.0f;
    float dewpointC = 10.0f;
    int32_t precipType = 0;       // 0 none, 1 rain, 2 snow
    int32_t precipRate = 0;       // 0..5
    std::vector<CloudLayer> clouds;
    std::vector<UpperAirLayer> upperAir;
    bool cavok = false;
    bool synthesized = false;
    int32_t turbulence = 0;       // surface layer, 0..4
    std::string rawMetar;
    std::vector<std::string> sigmets;

    bool operator==(const WeatherData&) const = default;
};

}  // namespace wx
