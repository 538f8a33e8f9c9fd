#include "sim/NwiRecord.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

#include "sim/LittleEndian.h"

namespace wx {
namespace {

uint16_t clampU16(int64_t value) { return static_cast<uint16_t>(std::clamp<int64_t>(value, 0, 65535)); }

uint8_t clampU8(int64_t value, int64_t highest) { return static_cast<uint8_t>(std::clamp<int64_t>(value, 0, highest)); }

// Nearest whole degree, halves away from zero, kept within the signed
// 16-bit field; a value that is not a number becomes 0.
int16_t roundedI16(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<int16_t>(std::clamp(std::round(value), -32768.0, 32767.0));
}

// Degrees 0..359 scaled to the 16-bit circle: × 65536 / 360, truncated.
uint16_t circleUnits(int64_t wholeDegrees) { return static_cast<uint16_t>(wholeDegrees * 65536 / 360); }

// The surface wind direction turned to magnetic: brought into 0..359 and
// truncated to whole degrees before scaling.
uint16_t magneticDirection(int32_t trueDeg, double magVarDeg) {
    double degrees = std::fmod(static_cast<double>(trueDeg) - magVarDeg, 360.0);
    if (std::isnan(degrees)) {
        return 0;
    }
    if (degrees < 0) {
        degrees += 360.0;
    }
    const auto whole = static_cast<int64_t>(degrees);
    return circleUnits(whole >= 360 ? 0 : whole);
}

uint16_t trueDirection(int32_t trueDeg) {
    const int64_t degrees = ((static_cast<int64_t>(trueDeg) % 360) + 360) % 360;
    return circleUnits(degrees);
}

void putTemperature(uint8_t* at, int64_t altitudeM, double temperatureC, double dewpointC) {
    storeLe16(at, clampU16(altitudeM));
    storeLe16(at + 2, static_cast<uint16_t>(roundedI16(temperatureC)));
    storeLe16(at + 6, static_cast<uint16_t>(roundedI16(dewpointC)));
}

void putWind(uint8_t* at, int64_t altitudeM, int32_t speedKt, int32_t gustKt, uint16_t direction, int32_t turbulence) {
    storeLe16(at, clampU16(altitudeM));
    storeLe16(at + 2, clampU16(speedKt));
    storeLe16(at + 4, clampU16(gustKt));
    storeLe16(at + 6, direction);
    at[8] = clampU8(turbulence, 4);
}

void putCloud(uint8_t* at, const WeatherData& weather, const CloudLayer& layer) {
    const int64_t baseM = static_cast<int64_t>(weather.elevationM) + layer.baseM;
    const bool carriesPrecipitation = layer.source == "PRECIP" && weather.precipType != 0;
    storeLe16(at, clampU16(baseM + NwiLayout::kCloudDepthM));
    storeLe16(at + 2, clampU16(baseM));
    at[6] = clampU8(layer.coverOktas, 255);
    at[7] = nwiCloudTypeCode(layer.type);
    at[8] = clampU8(layer.turbulence, 4);
    at[9] = clampU8(layer.icing, 4);
    at[12] = carriesPrecipitation ? clampU8(weather.precipType, 255) : 0;
    at[13] = carriesPrecipitation ? clampU8(weather.precipRate, 255) : 0;
}

}  // namespace

std::array<uint8_t, 4> nwiStationWord(const std::string& station) {
    std::array<uint8_t, 4> word{' ', ' ', ' ', ' '};
    for (size_t i = 0; i < word.size() && i < station.size(); ++i) {
        word[i] = static_cast<uint8_t>(std::toupper(static_cast<unsigned char>(station[i])));
    }
    return word;
}

uint8_t nwiCloudTypeCode(const std::string& type) {
    if (type == "CB" || type == "TCU") {
        return 10;
    }
    if (type == "CI") {
        return 1;
    }
    if (type == "ST" || type == "SC") {
        return 8;
    }
    if (type == "CU" || type == "AC") {
        return 9;
    }
    return 0;
}

NwiRecord buildNwiRecord(const WeatherData& weather, double magVarDeg) {
    NwiRecord record{};
    uint8_t* const bytes = record.data();
    const auto station = nwiStationWord(weather.stationId);
    std::copy(station.begin(), station.end(), bytes + NwiLayout::kStation);
    storeLe16(bytes + NwiLayout::kQnh, clampU16(static_cast<int64_t>(weather.qnhHpa) * 16));
    storeLe16(bytes + NwiLayout::kFixed15000, 15000);
    const double visibility = std::floor(weather.visibilityM / 1609.34 * 100.0);
    storeLe16(bytes + NwiLayout::kVisibility, static_cast<uint16_t>(std::clamp(visibility, 0.0, 65535.0)));

    uint32_t temperatures = 1;
    putTemperature(bytes + NwiLayout::kTemperatureLayers, weather.elevationM, weather.temperatureC, weather.dewpointC);
    for (const UpperAirLayer& layer : weather.upperAir) {
        if (temperatures == NwiLayout::kMaxTemperatureLayers) {
            break;
        }
        if (layer.hasTemperature) {
            putTemperature(bytes + NwiLayout::kTemperatureLayers + temperatures * NwiLayout::kTemperatureLayerSize,
                           layer.altitudeM, layer.temperatureC, static_cast<double>(layer.temperatureC) - 5.0);
            ++temperatures;
        }
    }
    storeLe32(bytes + NwiLayout::kTemperatureCount, temperatures);

    uint32_t winds = 1;
    putWind(bytes + NwiLayout::kWindLayers, static_cast<int64_t>(weather.elevationM) + NwiLayout::kSurfaceWindDepthM, weather.windSpeedKt,
            weather.windGustKt, magneticDirection(weather.windDirDeg, magVarDeg), weather.turbulence);
    for (const UpperAirLayer& layer : weather.upperAir) {
        if (winds == NwiLayout::kMaxWindLayers) {
            break;
        }
        putWind(bytes + NwiLayout::kWindLayers + winds * NwiLayout::kWindLayerSize, layer.altitudeM,
                layer.windSpeedKt, layer.windGustKt, trueDirection(layer.windDirDeg), layer.turbulence);
        ++winds;
    }
    storeLe32(bytes + NwiLayout::kWindCount, winds);

    uint32_t clouds = 0;
    for (const CloudLayer& layer : weather.clouds) {
        if (clouds == NwiLayout::kMaxCloudLayers) {
            break;
        }
        putCloud(bytes + NwiLayout::kCloudLayers + clouds * NwiLayout::kCloudLayerSize, weather, layer);
        ++clouds;
    }
    storeLe32(bytes + NwiLayout::kCloudCount, clouds);
    return record;
}

}  // namespace wx
