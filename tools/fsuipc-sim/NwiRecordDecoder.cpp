#include "NwiRecordDecoder.h"

#include <algorithm>
#include <cmath>

#include "sim/LittleEndian.h"

namespace wx::standin {
namespace {

constexpr size_t kStation = 8;
constexpr size_t kQnh = 40;
constexpr size_t kVisibility = 48;
constexpr size_t kTemperatureCount = 52;
constexpr size_t kTemperatureLayers = 56;
constexpr size_t kWindCount = 248;
constexpr size_t kWindLayers = 252;
constexpr size_t kCloudCount = 636;
constexpr size_t kCloudLayers = 640;

int32_t signed16(const uint8_t* at) { return static_cast<int16_t>(loadLe16(at)); }

size_t layerCount(const uint8_t* at, size_t room) { return std::min<size_t>(loadLe32(at), room); }

}  // namespace

AmbientWords ambientWordsAt(const uint8_t* record, int32_t altitudeM) {
    AmbientWords words;
    words.altitudeM = altitudeM;
    words.qnh16 = loadLe16(record + kQnh);
    words.visibilityHundredthsMile = loadLe16(record + kVisibility);
    if (layerCount(record + kTemperatureCount, 24) > 0) {
        const int32_t temperatureC = std::clamp(signed16(record + kTemperatureLayers + 2), -127, 127);
        words.temperature256 = static_cast<int16_t>(temperatureC * 256);
    }
    const size_t winds = layerCount(record + kWindCount, 24);
    if (winds == 0) {
        return words;
    }
    words.surfaceWindCeilingM = static_cast<int16_t>(loadLe16(record + kWindLayers));
    size_t layer = 0;
    if (altitudeM >= words.surfaceWindCeilingM) {
        for (layer = 1; layer + 1 < winds && loadLe16(record + kWindLayers + 16 * layer) < altitudeM; ++layer) {
        }
        layer = std::min(layer, winds - 1);
    }
    words.windSpeedKt = loadLe16(record + kWindLayers + 16 * layer + 2);
    words.windDirection = loadLe16(record + kWindLayers + 16 * layer + 6);
    return words;
}

std::string stationFromWord(const uint8_t* word) {
    std::string station(reinterpret_cast<const char*>(word), 4);
    while (!station.empty() && (station.back() == ' ' || station.back() == '\0')) {
        station.pop_back();
    }
    return station;
}

DecodedNwiRecord decodeNwiRecord(const uint8_t* record) {
    DecodedNwiRecord decoded;
    decoded.station = stationFromWord(record + kStation);
    decoded.qnhHpa = loadLe16(record + kQnh) / 16.0;
    decoded.visibilityM = static_cast<int32_t>(std::lround(loadLe16(record + kVisibility) * 16.0934));

    const size_t temperatures = layerCount(record + kTemperatureCount, 24);
    for (size_t i = 0; i < temperatures; ++i) {
        const uint8_t* at = record + kTemperatureLayers + 8 * i;
        decoded.temperatures.push_back({loadLe16(at), signed16(at + 2), signed16(at + 6)});
    }
    const size_t winds = layerCount(record + kWindCount, 24);
    for (size_t i = 0; i < winds; ++i) {
        const uint8_t* at = record + kWindLayers + 16 * i;
        const auto directionDeg = static_cast<int32_t>(std::lround(loadLe16(at + 6) * 360.0 / 65536.0)) % 360;
        decoded.winds.push_back({loadLe16(at), loadLe16(at + 2), loadLe16(at + 4), directionDeg, at[8]});
    }
    const size_t clouds = layerCount(record + kCloudCount, 16);
    for (size_t i = 0; i < clouds; ++i) {
        const uint8_t* at = record + kCloudLayers + 16 * i;
        decoded.clouds.push_back({loadLe16(at + 2), loadLe16(at), at[6], at[7], at[8], at[9], at[12], at[13]});
    }
    return decoded;
}

}  // namespace wx::standin
