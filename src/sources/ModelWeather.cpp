#include "sources/ModelWeather.h"

#include <algorithm>
#include <cstdlib>

#include "sources/Forecast.h"
#include "sources/NumberConversion.h"
#include "sources/UpperAir.h"
#include "weather/Clouds.h"

namespace wx {
namespace {

using nlohmann::json;

enum class Tier { Low, Mid, High };

struct GenericCloud {
    const char* coverVariable;
    Tier tier;
    const char* type;
    int32_t baseM;
    int32_t verticalVelocityHpa;
};

constexpr GenericCloud kGenericClouds[] = {
    {"cloud_cover_low", Tier::Low, "CU", 1500, 850},
    {"cloud_cover_mid", Tier::Mid, "ST", 5000, 500},
    {"cloud_cover_high", Tier::High, "CI", 10500, 300},
};

constexpr double kCumulonimbusCape = 2000.0;

CloudLayer cumulonimbus() {
    CloudLayer layer;
    layer.baseM = 1200;
    layer.coverOktas = 8;
    layer.type = "CB";
    layer.turbulence = 4;
    layer.source = "SYNTH";
    return layer;
}

int32_t rateOf(double amount, const double (&limits)[4]) {
    for (int32_t i = 0; i < 4; ++i) {
        if (amount < limits[i]) {
            return i + 1;
        }
    }
    return 5;
}

void applySurface(const json& hourly, size_t i, WeatherData& w) {
    if (const auto v = hourlyValue(hourly, i, "temperature_2m")) {
        w.temperatureC = static_cast<float>(*v);
    }
    if (const auto v = hourlyValue(hourly, i, "dewpoint_2m")) {
        w.dewpointC = static_cast<float>(*v);
    }
    if (const auto v = hourlyValue(hourly, i, "wind_speed_10m")) {
        w.windSpeedKt = knotsFromKmh(*v);
    }
    if (const auto v = hourlyValue(hourly, i, "wind_direction_10m")) {
        w.windDirDeg = directionDeg(*v);
    }
    if (const auto v = hourlyValue(hourly, i, "wind_gusts_10m")) {
        w.windGustKt = knotsFromKmh(*v);
    }
    if (const auto v = hourlyValue(hourly, i, "visibility")) {
        w.visibilityM = truncatedInt32(*v);
    }
    if (const auto v = hourlyValue(hourly, i, "pressure_msl")) {
        w.qnhHpa = roundedInt32(*v);
    }
}

void applyPrecipitation(const json& hourly, size_t i, WeatherData& w) {
    static constexpr double kSnowLimits[4] = {0.5, 1.5, 3.0, 6.0};
    static constexpr double kRainLimits[4] = {0.2, 0.6, 2.0, 4.0};
    const double rain = hourlyValue(hourly, i, "rain").value_or(0.0);
    const double snow = hourlyValue(hourly, i, "snowfall").value_or(0.0);
    const double total = hourlyValue(hourly, i, "precipitation").value_or(0.0);
    if (snow > 0.05 || (w.temperatureC < 0.0f && total > 0.05)) {
        w.precipType = 2;
        w.precipRate = rateOf(snow > 0.0 ? snow : total, kSnowLimits);
    } else if (rain > 0.05 || total > 0.05) {
        w.precipType = 1;
        w.precipRate = rateOf(rain > 0.0 ? rain : total, kRainLimits);
    }
}

// The record's temperature, replaced by each level near the cloud base that
// has data; the last such level wins.
double temperatureAt(const json& hourly, size_t i, int32_t baseM, double surfaceC) {
    double temperature = surfaceC;
    for (const PressureLevel& level : kPressureLevels) {
        if (std::abs(level.nominalAltitudeM - baseM) < 800) {
            if (const auto v = hourlyValue(hourly, i, levelVariable("temperature", level.hPa))) {
                temperature = *v;
            }
        }
    }
    return temperature;
}

void appendGenericClouds(const json& hourly, size_t i, WeatherData& w) {
    for (const GenericCloud& row : kGenericClouds) {
        const auto cover = hourlyValue(hourly, i, row.coverVariable);
        if (!cover || *cover < 10.0) {
            continue;
        }
        const double temperature = temperatureAt(hourly, i, row.baseM, w.temperatureC);
        const double velocity =
            hourlyValue(hourly, i, levelVariable("vertical_velocity", row.verticalVelocityHpa)).value_or(0.0);
        int32_t icing =
            icingIndex(static_cast<float>(temperature), static_cast<float>(*cover), static_cast<float>(velocity));
        if (row.tier == Tier::High) {
            icing = std::min(icing, 1);
        }
        CloudLayer layer;
        layer.baseM = row.baseM;
        layer.coverOktas = std::clamp(roundedInt32(*cover / 100.0 * 8.0), 1, 8);
        layer.type = row.type;
        layer.turbulence = row.tier == Tier::Low && *cover > 60.0 ? 1 : 0;
        layer.icing = icing;
        layer.source = "SYNTH";
        w.clouds.push_back(layer);
    }
}

bool within(int32_t a, int32_t b, int64_t limit) {
    return std::llabs(static_cast<int64_t>(a) - static_cast<int64_t>(b)) < limit;
}

}  // namespace

int32_t convectiveTurbulence(double cape, double liftedIndex, double gustKmh, double windKmh) {
    int32_t level = 0;
    if (cape > 2500) {
        level = 4;
    } else if (cape > 1500) {
        level = 3;
    } else if (cape > 800) {
        level = 2;
    } else if (cape > 300) {
        level = 1;
    }
    if (liftedIndex < -6) {
        level = std::max(level, 4);
    } else if (liftedIndex < -3) {
        level = std::max(level, 3);
    } else if (liftedIndex < 0) {
        level = std::max(level, 2);
    }
    const double excess = gustKmh - windKmh;
    if (excess >= 12) {
        return std::max(level, 3);
    }
    if (excess >= 8) {
        return std::max(level, 2);
    }
    if (excess >= 4) {
        return std::max(level, 1);
    }
    return level;
}

WeatherData decodeHourly(const std::string& stationId, int32_t elevationM, const json& hourly, size_t index) {
    WeatherData w;
    w.stationId = stationId;
    w.elevationM = elevationM;
    w.synthesized = true;
    applySurface(hourly, index, w);
    applyPrecipitation(hourly, index, w);
    const double cape = hourlyValue(hourly, index, "cape").value_or(0.0);
    w.turbulence = convectiveTurbulence(cape, hourlyValue(hourly, index, "lifted_index").value_or(0.0),
                                        hourlyValue(hourly, index, "wind_gusts_10m").value_or(0.0),
                                        hourlyValue(hourly, index, "wind_speed_10m").value_or(0.0));
    if (cape > kCumulonimbusCape) {
        w.clouds.push_back(cumulonimbus());
    }
    appendUpperAirLayers(hourly, index, w.upperAir);
    appendGenericClouds(hourly, index, w);
    sortByBase(w.clouds);
    return w;
}

void mergeModelLayers(WeatherData& weather, const WeatherData& model) {
    for (const UpperAirLayer& layer : model.upperAir) {
        const bool taken = std::any_of(weather.upperAir.begin(), weather.upperAir.end(), [&](const UpperAirLayer& l) {
            return within(l.altitudeM, layer.altitudeM, 200);
        });
        if (!taken) {
            weather.upperAir.push_back(layer);
        }
    }
    for (const CloudLayer& layer : model.clouds) {
        const bool taken = std::any_of(weather.clouds.begin(), weather.clouds.end(),
                                       [&](const CloudLayer& c) { return within(c.baseM, layer.baseM, 500); });
        if (!taken) {
            weather.clouds.push_back(layer);
        }
    }
    sortByBase(weather.clouds);
}

}  // namespace wx
