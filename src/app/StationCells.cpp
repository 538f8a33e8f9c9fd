#include "app/StationCells.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "weather/FlightCategory.h"
#include "weather/MetarAge.h"

namespace wx {
namespace {

constexpr size_t kMaxSummaryLayers = 6;
constexpr double kMetresPerFlightLevel = 30.48;

// printf into a fixed buffer, as the table's cells and the summary's
// pieces have always been bounded: a cell holds at most 255 bytes.
template <size_t Size, typename... Args>
std::string bounded(const char* format, Args... args) {
    char buffer[Size];
    std::snprintf(buffer, Size, format, args...);
    return buffer;
}

template <typename... Args>
std::string cell(const char* format, Args... args) {
    return bounded<256>(format, args...);
}

std::string precipitation(const WeatherData& weather) {
    switch (weather.precipType) {
    case 1:
        return cell("RA%d", weather.precipRate);
    case 2:
        return cell("SN%d", weather.precipRate);
    default:
        return "-";
    }
}

int32_t highestIcing(const std::vector<CloudLayer>& clouds) {
    int32_t icing = 0;
    for (const CloudLayer& layer : clouds) {
        icing = std::max(icing, layer.icing);
    }
    return icing;
}

}  // namespace

std::string wholeDegrees(float temperatureC) {
    const std::string text = cell("%.0f", static_cast<double>(temperatureC));
    return text == "-0" ? "0" : text;
}

int32_t flightLevel(int32_t altitudeM) {
    return static_cast<int32_t>(std::lround(static_cast<double>(altitudeM) / kMetresPerFlightLevel));
}

std::string upperAirSummary(const std::vector<UpperAirLayer>& layers) {
    if (layers.empty()) {
        return "-";
    }
    std::string summary;
    const size_t count = std::min(layers.size(), kMaxSummaryLayers);
    for (size_t i = 0; i < count; ++i) {
        const UpperAirLayer& layer = layers[i];
        if (i > 0) {
            summary += " | ";
        }
        summary += bounded<64>("FL%03d %03d/%02d", flightLevel(layer.altitudeM), layer.windDirDeg, layer.windSpeedKt);
        if (layer.hasTemperature) {
            summary += " " + wholeDegrees(layer.temperatureC) + "C";
        }
    }
    return summary.substr(0, 255);
}

std::string stationRoleCell(StationRole role) {
    switch (role) {
    case StationRole::Departure:
        return "DEP";
    case StationRole::Destination:
        return "DEST";
    case StationRole::Alternate:
        return "ALTN";
    case StationRole::Route:
        return "ROUTE";
    case StationRole::Nearest:
        break;
    }
    return "";
}

std::string reportAgeCell(const std::string& rawMetar, std::chrono::system_clock::time_point nowUtc) {
    if (rawMetar.empty()) {
        return "\xE2\x80\x94";
    }
    const std::optional<int32_t> age = reportAgeMinutes(rawMetar, nowUtc);
    if (!age) {
        return "?";
    }
    return cell(*age > kStaleReportMinutes ? "%d !" : "%d", *age);
}

StationCells stationCells(const WeatherData& weather, double distanceNm, std::chrono::system_clock::time_point nowUtc) {
    return {
        flightCategoryName(flightCategory(weather)),
        cell("%.0f", distanceNm),
        reportAgeCell(weather.rawMetar, nowUtc),
        cell("%03d/%02d", weather.windDirDeg, weather.windSpeedKt),
        cell("%d", weather.qnhHpa),
        cell("%d", weather.visibilityM),
        wholeDegrees(weather.temperatureC),
        cell("%zu", weather.clouds.size()),
        cell("%d", weather.turbulence),
        cell("%d", highestIcing(weather.clouds)),
        precipitation(weather),
        upperAirSummary(weather.upperAir),
    };
}

}  // namespace wx
