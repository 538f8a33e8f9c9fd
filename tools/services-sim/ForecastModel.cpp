#include "ForecastModel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>
#include <sstream>

#include <nlohmann/json.hpp>

#include "weather/UtcTime.h"

namespace wx::sim {
namespace {

using nlohmann::ordered_json;
using namespace std::chrono;

constexpr double kPi = 3.14159265358979323846;

// The model state of one hour at one point, from which every variable is
// derived.
struct Hour {
    double t2;          // °C
    double moisture;    // 0..1
    double instability; // 0..1
    double daylight;    // 0..1, peaks mid-afternoon local time
    double wind10;      // km/h
    double dir10;       // degrees
    double phase;       // day-to-day weather phase
    double pressure;    // hPa
};

Hour hourAt(double lat, double lon, int64_t dayNumber, int hour) {
    Hour h{};
    const double localHour = hour + lon / 15.0;
    h.daylight = 0.5 + 0.5 * std::cos(2 * kPi * (localHour - 15.0) / 24.0);
    h.phase = static_cast<double>(dayNumber % 997) * 0.9 + lat * 0.05 + lon * 0.03;
    h.moisture = 0.5 + 0.5 * std::sin(h.phase * 0.7 + lon * 0.05 + hour * 0.1);
    h.instability = 0.5 + 0.5 * std::sin(h.phase * 1.3 + lat * 0.1);
    h.t2 = 30.0 - 0.45 * std::abs(lat) + 10.0 * (h.daylight - 0.5) + 3.0 * std::sin(h.phase);
    h.wind10 = 5.0 + 25.0 * (0.5 + 0.5 * std::sin(h.phase + lon * 0.1));
    h.dir10 = std::fmod(540.0 + 150.0 * std::sin(h.phase * 0.8 + lat * 0.05) + hour * 2.0, 360.0);
    h.pressure = 1013.0 + 15.0 * std::sin(h.phase * 0.5 + lat * 0.08);
    return h;
}

double round1(double value) { return std::round(value * 10.0) / 10.0; }

double precipitation(const Hour& h) { return std::max(0.0, round1(4.0 * h.moisture * h.instability - 1.8)); }

double cape(const Hour& h) {
    return std::round(std::max(0.0, 3400.0 * h.instability * h.moisture - 600.0) * h.daylight);
}

double geopotential(const Hour& h, int hPa, int nominalM) {
    return round1(nominalM + 60.0 * std::sin(h.phase + hPa * 0.01) + (h.t2 - 15.0) * nominalM / 3000.0);
}

double cover(double base) { return std::clamp(std::round(base), 0.0, 100.0); }

const std::map<std::string, std::pair<const char*, std::function<double(const Hour&)>>>& surfaceVariables() {
    static const std::map<std::string, std::pair<const char*, std::function<double(const Hour&)>>> table{
        {"temperature_2m", {"°C", [](const Hour& h) { return round1(h.t2); }}},
        {"dewpoint_2m", {"°C", [](const Hour& h) { return round1(h.t2 - 2.0 - 10.0 * (1.0 - h.moisture)); }}},
        {"relative_humidity_2m", {"%", [](const Hour& h) { return std::round(45.0 + 50.0 * h.moisture); }}},
        {"pressure_msl", {"hPa", [](const Hour& h) { return round1(h.pressure); }}},
        {"wind_speed_10m", {"km/h", [](const Hour& h) { return round1(h.wind10); }}},
        {"wind_direction_10m", {"°", [](const Hour& h) { return std::round(h.dir10); }}},
        {"wind_gusts_10m", {"km/h", [](const Hour& h) { return round1(h.wind10 * (1.3 + 0.5 * h.instability)); }}},
        {"visibility", {"m", [](const Hour& h) { return std::max(800.0, 24140.0 - 5000.0 * precipitation(h)); }}},
        {"cloud_cover_low", {"%", [](const Hour& h) { return cover(130.0 * h.moisture - 35.0); }}},
        {"cloud_cover_mid", {"%", [](const Hour& h) { return cover(120.0 * h.moisture * h.instability); }}},
        {"cloud_cover_high", {"%", [](const Hour& h) { return cover(100.0 * (1.0 - h.instability) + 20.0); }}},
        {"cape", {"J/kg", cape}},
        {"lifted_index", {"", [](const Hour& h) { return round1(6.0 - cape(h) / 350.0); }}},
        {"boundary_layer_height", {"m", [](const Hour& h) { return std::round(300.0 + 1200.0 * h.daylight); }}},
        {"freezing_level_height", {"m", [](const Hour& h) { return std::round(std::max(0.0, h.t2 / 6.5 * 1000.0)); }}},
        {"precipitation", {"mm", precipitation}},
        {"rain", {"mm", [](const Hour& h) { return h.t2 > 0.0 ? precipitation(h) : 0.0; }}},
        {"showers", {"mm", [](const Hour& h) { return cape(h) > 1000.0 ? round1(precipitation(h) * 0.5) : 0.0; }}},
        {"snowfall", {"cm", [](const Hour& h) { return h.t2 > 0.0 ? 0.0 : round1(precipitation(h) * 0.7); }}},
    };
    return table;
}

constexpr std::pair<int, int> kLevels[] = {{1000, 110}, {925, 760},  {850, 1500}, {700, 3000},  {600, 4400},
                                           {500, 5570},  {400, 7180}, {300, 9200}, {250, 10360}, {200, 11780}};

// A pressure-level variable such as "wind_speed_850hPa": its unit and value.
std::optional<std::pair<const char*, std::function<double(const Hour&)>>> levelVariable(const std::string& name) {
    for (const auto& [hPa, nominalM] : kLevels) {
        const std::string suffix = "_" + std::to_string(hPa) + "hPa";
        if (name.size() <= suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
            continue;
        }
        const std::string quantity = name.substr(0, name.size() - suffix.size());
        const int level = hPa;
        const int nominal = nominalM;
        if (quantity == "geopotential_height") {
            return std::make_pair("m", std::function<double(const Hour&)>(
                                           [=](const Hour& h) { return geopotential(h, level, nominal); }));
        }
        if (quantity == "temperature") {
            return std::make_pair("°C", std::function<double(const Hour&)>([=](const Hour& h) {
                                      return round1(std::max(-56.5, h.t2 - 6.5 * geopotential(h, level, nominal) / 1000.0));
                                  }));
        }
        if (quantity == "wind_speed") {
            return std::make_pair("km/h", std::function<double(const Hour&)>([=](const Hour& h) {
                                      return round1(h.wind10 + 9.0 * nominal / 1000.0);
                                  }));
        }
        if (quantity == "wind_direction") {
            return std::make_pair("°", std::function<double(const Hour&)>([=](const Hour& h) {
                                      return std::round(std::fmod(h.dir10 + nominal / 400.0, 360.0));
                                  }));
        }
        if (quantity == "vertical_velocity") {
            return std::make_pair("m/s", std::function<double(const Hour&)>([=](const Hour& h) {
                                      return std::round(100.0 * 0.8 * h.instability *
                                                        std::sin(h.phase * 2.0 + level * 0.02)) / 100.0;
                                  }));
        }
    }
    return std::nullopt;
}

ForecastAnswer error(const std::string& reason) {
    return {400, ordered_json{{"error", true}, {"reason", reason}}.dump()};
}

std::optional<double> coordinate(const std::map<std::string, std::string>& params, const char* name, double limit) {
    const auto it = params.find(name);
    if (it == params.end()) {
        return std::nullopt;
    }
    std::istringstream text(it->second);
    double value = 0.0;
    if (!(text >> value) || !text.eof() || std::abs(value) > limit) {
        return std::nullopt;
    }
    return value;
}

std::string hourLabel(sys_days day, int hour) {
    const year_month_day date{day};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:00", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()), hour);
    return text;
}

// "2022-10-23" as a day.
std::optional<sys_days> dayParam(const std::map<std::string, std::string>& params, const char* key) {
    const auto it = params.find(key);
    if (it == params.end() || it->second.size() != 10) {
        return std::nullopt;
    }
    const auto time = parseUtcTime(it->second + "T00:00Z");
    if (!time) {
        return std::nullopt;
    }
    return floor<days>(*time);
}

}  // namespace

ForecastAnswer forecastAnswer(const std::map<std::string, std::string>& params, system_clock::time_point now) {
    const auto lat = coordinate(params, "latitude", 90.0);
    const auto lon = coordinate(params, "longitude", 180.0);
    if (!lat || !lon) {
        return error("Parameter 'latitude' and 'longitude' must be valid coordinates");
    }
    int forecastDays = 7;
    if (const auto it = params.find("forecast_days"); it != params.end()) {
        forecastDays = std::atoi(it->second.c_str());
        if (forecastDays < 1 || forecastDays > 16) {
            return error("Forecast days is invalid. Allowed range 0 to 16.");
        }
    }
    if (params.count("start_date") != 0 || params.count("end_date") != 0) {
        const auto first = dayParam(params, "start_date");
        const auto last = dayParam(params, "end_date");
        if (!first || !last || *last < *first || *last - *first > days{31}) {
            return error("Parameter 'start_date' and 'end_date' must be valid dates, the end not before the start and at most 31 days after it");
        }
        now = *first;
        forecastDays = static_cast<int>((*last - *first).count()) + 1;
    }
    std::vector<std::pair<std::string, std::pair<const char*, std::function<double(const Hour&)>>>> variables;
    std::istringstream list(params.count("hourly") != 0 ? params.at("hourly") : "");
    std::string name;
    while (std::getline(list, name, ',')) {
        if (name.empty()) {
            continue;
        }
        const auto surface = surfaceVariables().find(name);
        if (surface != surfaceVariables().end()) {
            variables.emplace_back(name, surface->second);
        } else if (const auto level = levelVariable(name)) {
            variables.emplace_back(name, *level);
        } else {
            return error("Data corrupted at path ''. Cannot initialize ForecastVariableHourly from invalid String "
                         "value " + name + ".");
        }
    }

    const sys_days today = floor<days>(now);
    ordered_json times = ordered_json::array();
    std::vector<Hour> hours;
    for (int d = 0; d < forecastDays; ++d) {
        for (int hour = 0; hour < 24; ++hour) {
            times.push_back(hourLabel(today + days{d}, hour));
            hours.push_back(hourAt(*lat, *lon, (today + days{d}).time_since_epoch().count(), hour));
        }
    }
    ordered_json units{{"time", "iso8601"}};
    ordered_json hourly{{"time", times}};
    for (const auto& [variable, definition] : variables) {
        units[variable] = definition.first;
        ordered_json series = ordered_json::array();
        for (const Hour& h : hours) {
            series.push_back(definition.second(h));
        }
        hourly[variable] = std::move(series);
    }
    ordered_json answer{{"latitude", std::round(*lat * 1000.0) / 1000.0},
                        {"longitude", std::round(*lon * 1000.0) / 1000.0},
                        {"generationtime_ms", 0.123},
                        {"utc_offset_seconds", 0},
                        {"timezone", "GMT"},
                        {"timezone_abbreviation", "GMT"},
                        {"elevation", std::round(std::max(0.0, 300.0 * std::sin(*lat * 0.2) * std::cos(*lon * 0.1)))}};
    if (!variables.empty()) {
        answer["hourly_units"] = std::move(units);
        answer["hourly"] = std::move(hourly);
    }
    return {200, answer.dump()};
}

}  // namespace wx::sim
