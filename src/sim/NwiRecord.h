#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "weather/WeatherData.h"

namespace wx {

// FSUIPC's New Weather Interface record: 1024 bytes at 0xC800, little-endian.
using NwiRecord = std::array<uint8_t, 1024>;

// Where the parts of the record lie, in bytes from its start.
struct NwiLayout {
    static constexpr size_t kStation = 8;
    static constexpr size_t kQnh = 40;
    static constexpr size_t kFixed15000 = 44;
    static constexpr size_t kVisibility = 48;
    static constexpr size_t kTemperatureCount = 52;
    static constexpr size_t kTemperatureLayers = 56;
    static constexpr size_t kTemperatureLayerSize = 8;
    static constexpr size_t kMaxTemperatureLayers = 24;
    static constexpr size_t kWindCount = 248;
    static constexpr size_t kWindLayers = 252;
    static constexpr size_t kWindLayerSize = 16;
    static constexpr size_t kMaxWindLayers = 24;
    static constexpr size_t kCloudCount = 636;
    static constexpr size_t kCloudLayers = 640;
    static constexpr size_t kCloudLayerSize = 16;
    static constexpr size_t kMaxCloudLayers = 16;
    // The surface wind layer reaches this far above the station; every cloud
    // layer is written this thick, whatever top the record gives it.
    static constexpr int32_t kSurfaceWindDepthM = 1000;
    static constexpr int32_t kCloudDepthM = 2000;
};

// The 4-byte station word of NWI: the first four characters, upper case,
// padded with blanks.
std::array<uint8_t, 4> nwiStationWord(const std::string& station);

// The NWI type code of a cloud type: "CB"/"TCU" 10, "CI" 1, "ST"/"SC" 8,
// "CU"/"AC" 9, anything else 0.
uint8_t nwiCloudTypeCode(const std::string& type);

// Builds the record for a finished weather record. Only the surface wind is
// turned from true to magnetic, by `magVarDeg`. The first four bytes (the
// command word and the word after it) stay zero: they are written apart.
// Every field holds its value clamped to the field's range; altitudes, bases
// and tops are computed in metres above sea level first and then kept within
// 0..65535, so a station below sea level gets its surface layers at 0.
NwiRecord buildNwiRecord(const WeatherData& weather, double magVarDeg);

}  // namespace wx
