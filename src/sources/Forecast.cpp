#include "sources/Forecast.h"

#include <cstdio>
#include <stdexcept>

#include "sources/ServiceHosts.h"

namespace wx {
namespace {

using nlohmann::json;

std::string fixed4(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", value);
    return text;
}

std::string hourLabel(std::chrono::system_clock::time_point now) {
    const auto day = std::chrono::floor<std::chrono::days>(now);
    const std::chrono::year_month_day date{day};
    const auto hour = std::chrono::duration_cast<std::chrono::hours>(now - day).count();
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:00", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()), static_cast<int>(hour));
    return text;
}

}  // namespace

std::string levelVariable(const char* quantity, int32_t hPa) {
    return std::string(quantity) + "_" + std::to_string(hPa) + "hPa";
}

std::string forecastVariables() {
    std::string list =
        "temperature_2m,dewpoint_2m,relative_humidity_2m,pressure_msl,"
        "wind_speed_10m,wind_direction_10m,wind_gusts_10m,visibility,"
        "cloud_cover_low,cloud_cover_mid,cloud_cover_high,cape,lifted_index,"
        "boundary_layer_height,freezing_level_height,precipitation,rain,showers,snowfall";
    for (const PressureLevel& level : kPressureLevels) {
        for (const char* quantity :
             {"temperature", "wind_speed", "wind_direction", "geopotential_height", "vertical_velocity"}) {
            list += "," + levelVariable(quantity, level.hPa);
        }
    }
    return list;
}

std::optional<json> fetchForecast(HttpClient& http, double lat, double lon) {
    const QueryParams params{{"latitude", fixed4(lat)},
                             {"longitude", fixed4(lon)},
                             {"hourly", forecastVariables()},
                             {"forecast_days", "1"},
                             {"timezone", "UTC"}};
    const auto body = http.get(openMeteoBaseUrl() + "/v1/forecast", params, kForecastTimeoutSec);
    if (!body) {
        return std::nullopt;
    }
    return json::parse(*body);
}

std::string isoDay(std::chrono::sys_days day) {
    const std::chrono::year_month_day date{day};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

std::optional<json> fetchHistoricalForecast(HttpClient& http, double lat, double lon, std::chrono::sys_days day) {
    const QueryParams params{{"latitude", fixed4(lat)},        {"longitude", fixed4(lon)},
                             {"hourly", forecastVariables()},  {"start_date", isoDay(day)},
                             {"end_date", isoDay(day)},        {"timezone", "UTC"}};
    const auto body = http.get(openMeteoHistoryBaseUrl() + "/v1/forecast", params, kForecastTimeoutSec);
    if (!body) {
        return std::nullopt;
    }
    return json::parse(*body);
}

std::optional<size_t> hourIndex(const json& answer, std::chrono::system_clock::time_point now) {
    try {
        if (!answer.is_object()) {
            return std::nullopt;
        }
        const auto hourly = answer.find("hourly");
        if (hourly == answer.end() || !hourly->is_object()) {
            return std::nullopt;
        }
        const auto times = hourly->find("time");
        if (times == hourly->end() || !times->is_array()) {
            return std::nullopt;
        }
        const std::string key = hourLabel(now);
        for (size_t i = 0; i < times->size(); ++i) {
            const json& label = (*times)[i];
            if (!label.is_string()) {
                return std::nullopt;
            }
            if (label.get_ref<const std::string&>() == key) {
                return i;
            }
        }
    } catch (...) {
        return std::nullopt;
    }
    return std::nullopt;
}

size_t currentHourIndex(const json& answer, std::chrono::system_clock::time_point now) {
    return hourIndex(answer, now).value_or(0);
}

std::optional<double> hourlyValue(const json& hourly, size_t index, const std::string& name) {
    if (!hourly.is_object()) {
        return std::nullopt;
    }
    const auto series = hourly.find(name);
    if (series == hourly.end() || !series->is_array() || index >= series->size()) {
        return std::nullopt;
    }
    const json& value = (*series)[index];
    if (value.is_number()) {
        return value.get<double>();
    }
    if (!value.is_string()) {
        return std::nullopt;
    }
    try {
        return std::stod(value.get_ref<const std::string&>());
    } catch (const std::invalid_argument&) {
        throw std::invalid_argument("invalid stod argument");
    } catch (const std::out_of_range&) {
        throw std::out_of_range("stod argument out of range");
    }
}

}  // namespace wx
