#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/AmbientWeather.h"

namespace wx::standin {

struct DecodedTemperatureLayer {
    int32_t altitudeM = 0;
    int32_t temperatureC = 0;
    int32_t dewpointC = 0;

    bool operator==(const DecodedTemperatureLayer&) const = default;
};

struct DecodedWindLayer {
    int32_t altitudeM = 0;
    int32_t speedKt = 0;
    int32_t gustKt = 0;
    int32_t directionDeg = 0;  // rounded from the 16-bit circle units
    int32_t turbulence = 0;

    bool operator==(const DecodedWindLayer&) const = default;
};

struct DecodedCloudLayer {
    int32_t baseM = 0;
    int32_t topM = 0;
    int32_t coverOktas = 0;
    int32_t typeCode = 0;
    int32_t turbulence = 0;
    int32_t icing = 0;
    int32_t precipType = 0;
    int32_t precipRate = 0;

    bool operator==(const DecodedCloudLayer&) const = default;
};

// An NWI weather record read back into readable fields, the way the
// simulator side sees what the program wrote.
struct DecodedNwiRecord {
    std::string station;  // trailing blanks dropped
    double qnhHpa = 0.0;
    int32_t visibilityM = 0;
    std::vector<DecodedTemperatureLayer> temperatures;
    std::vector<DecodedWindLayer> winds;
    std::vector<DecodedCloudLayer> clouds;

    bool operator==(const DecodedNwiRecord&) const = default;
};

constexpr size_t kNwiRecordBytes = 1024;

// Reads a 1024-byte record; layer counts beyond the record's room are cut
// to it, since the bytes come from another process.
DecodedNwiRecord decodeNwiRecord(const uint8_t* record);

// The weather of a record as the simulator shows it at an aircraft near its
// station at that altitude (metres above sea level): QNH, visibility, the
// lowest temperature, the surface wind ceiling (the top of the record's
// first wind layer) and the wind: below the ceiling the surface wind, as
// written (magnetic), above it the wind layer aloft the aircraft is in, as
// written (true); in the words of the ambient offsets.
AmbientWords ambientWordsAt(const uint8_t* record, int32_t altitudeM);

// The 4-byte station word without its trailing blanks and zeros.
std::string stationFromWord(const uint8_t* word);

}  // namespace wx::standin
