#include "weather/MetarDecoder.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <regex>
#include <sstream>
#include <string_view>

namespace wx {
namespace {

// Every pattern is compiled once, on first use, and shared afterwards.
struct MetarPatterns {
    // Knots, metres per second or kilometres per hour; the unit is group 5.
    std::regex wind{R"((\d{3}|VRB)(\d{2,3})(G(\d{2,3}))?(KT|MPS|KMH))"};
    std::regex metricVisibility{R"(\b(\d{4})\b)"};
    // A statute-mile group, whole: "1 1/2SM", "1/2SM" (also inside "M1/4SM")
    // or a plain "10SM". Each alternative starts where its first digit run
    // starts (after a non-word or non-digit byte, or at the start) and takes
    // at most 10 digits a run: an unbounded run would make the search
    // quadratic, and its recursion overflows the stack on a report holding
    // tens of thousands of digits. A longer run is no visibility group.
    std::regex mileVisibility{R"((?:^|[^0-9A-Za-z_])(\d{1,2}) (\d{1,10})/(\d{1,10})SM)"
                              R"(|(?:^|\D)(\d{1,10})/(\d{1,10})SM|(?:^|\D)(\d{1,10})SM)"};
    std::regex qnhHpa{R"(Q(\d{4}))"};
    std::regex qnhInches{R"(A(\d{4}))"};
    std::regex temperature{R"(\b(M?\d{2})/(M?\d{2})\b)"};
    std::regex cloud{R"((FEW|SCT|BKN|OVC|VV)(\d{3})(CB|TCU)?)"};
    std::regex observationTime{R"(\b(\d{2})(\d{2})(\d{2})Z\b)"};
};

const MetarPatterns& patterns() {
    static const MetarPatterns compiled;
    return compiled;
}

constexpr std::array<std::string_view, 16> kWeatherTokens = {
    "TSRA", "TSSN", "SHRA", "SHSN", "+RA", "-RA", "RA", "+SN", "-SN", "SN", "DZ", "FZRA", "FZDZ", "PL", "GR", "GS",
};

// A matched digit run as a number; empty when it does not fit 32 bits, so a
// corrupt group is ignored instead of abandoning the whole report.
std::optional<int32_t> toInt(std::string_view digits) {
    int32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<int32_t> toInt(const std::ssub_match& group) {
    return toInt(std::string_view(group.first, group.second));
}

// "M05" is -5.
std::optional<int32_t> signedTemperature(const std::ssub_match& group) {
    const std::string text = group.str();
    if (!text.empty() && text.front() == 'M') {
        const auto value = toInt(std::string_view(text).substr(1));
        return value ? std::optional<int32_t>(-*value) : std::nullopt;
    }
    return toInt(text);
}

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

// A wind speed in the group's unit as whole knots, rounded to the nearest.
int32_t toKnots(int32_t speed, const std::string& unit) {
    if (unit == "MPS") {
        return static_cast<int32_t>(std::lround(speed * 1.943844));
    }
    if (unit == "KMH") {
        return static_cast<int32_t>(std::lround(speed * 0.539957));
    }
    return speed;
}

void readWind(const std::string& raw, WeatherData& weather) {
    std::smatch match;
    if (!std::regex_search(raw, match, patterns().wind)) {
        return;
    }
    const std::string unit = match[5].str();
    if (match[1] != "VRB") {
        weather.windDirDeg = *toInt(match[1]);
    }
    weather.windSpeedKt = toKnots(*toInt(match[2]), unit);
    if (match[4].matched) {
        weather.windGustKt = toKnots(*toInt(match[4]), unit);
    }
}

// Statute miles to metres, truncated; empty for a group whose numbers or
// result do not fit, or a fraction with a zero denominator.
std::optional<int32_t> mileGroupMetres(const std::smatch& match) {
    double miles = 0.0;
    if (match[6].matched) {
        const auto whole = toInt(match[6]);
        if (!whole) {
            return std::nullopt;
        }
        miles = *whole;
    } else {
        const bool mixed = match[1].matched;
        const auto numerator = toInt(mixed ? match[2] : match[4]);
        const auto denominator = toInt(mixed ? match[3] : match[5]);
        if (!numerator || !denominator || *denominator == 0) {
            return std::nullopt;
        }
        miles = static_cast<double>(*numerator) / *denominator;
        if (mixed) {
            miles += *toInt(match[1]);
        }
    }
    const double metres = std::trunc(miles * 1609.34);
    if (metres > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(metres);
}

void readVisibility(const std::string& raw, WeatherData& weather) {
    std::smatch match;
    if (std::regex_search(raw, match, patterns().metricVisibility)) {
        weather.visibilityM = *toInt(match[1]);
    }
    if (std::regex_search(raw, match, patterns().mileVisibility)) {
        if (const auto metres = mileGroupMetres(match)) {
            weather.visibilityM = *metres;
        }
    }
}

void readPressure(const std::string& raw, WeatherData& weather) {
    std::smatch match;
    if (std::regex_search(raw, match, patterns().qnhHpa)) {
        weather.qnhHpa = *toInt(match[1]);
    }
    if (std::regex_search(raw, match, patterns().qnhInches)) {
        weather.qnhHpa = static_cast<int32_t>(std::lround(*toInt(match[1]) / 100.0 * 33.8639));
    }
}

void readTemperature(const std::string& raw, WeatherData& weather) {
    std::smatch match;
    if (!std::regex_search(raw, match, patterns().temperature)) {
        return;
    }
    weather.temperatureC = static_cast<float>(*signedTemperature(match[1]));
    weather.dewpointC = static_cast<float>(*signedTemperature(match[2]));
}

int32_t coverOktas(const std::string& cover) {
    if (cover == "FEW") return 2;
    if (cover == "SCT") return 4;
    if (cover == "BKN") return 6;
    if (cover == "OVC") return 8;
    return 0;
}

void readClouds(const std::string& raw, WeatherData& weather) {
    const auto end = std::sregex_iterator();
    for (auto it = std::sregex_iterator(raw.begin(), raw.end(), patterns().cloud); it != end; ++it) {
        const std::smatch& match = *it;
        CloudLayer layer;
        layer.baseM = static_cast<int32_t>(*toInt(match[2]) * 100 * 0.3048);
        layer.coverOktas = coverOktas(match[1].str());
        layer.type = match[3].str();
        layer.source = "METAR";
        weather.clouds.push_back(std::move(layer));
    }
}

void readWeather(const std::string& raw, WeatherData& weather) {
    std::string list;
    for (const std::string_view token : kWeatherTokens) {
        if (contains(raw, token)) {
            list += token;
            list += ' ';
        }
    }
    std::tie(weather.precipType, weather.precipRate) = classifyPrecipitation(list);
}

int32_t gustTurbulence(const WeatherData& weather) {
    if (weather.windGustKt == 0 || weather.windSpeedKt == 0) {
        return 0;
    }
    const int32_t spread = weather.windGustKt - weather.windSpeedKt;
    if (spread >= 12) return 3;
    if (spread >= 8) return 2;
    if (spread > 3) return 1;
    return 0;
}

struct TokenClass {
    int priority = -1;
    int32_t type = 0;
};

TokenClass classifyToken(std::string_view token) {
    const bool rain = contains(token, "RA");
    const bool snow = contains(token, "SN");
    if (contains(token, "TS") && (rain || snow)) return {5, rain ? 1 : 2};
    if (contains(token, "FZRA") || contains(token, "FZDZ")) return {4, 1};
    if (contains(token, "SH") && (rain || snow)) return {3, rain ? 1 : 2};
    if (snow || contains(token, "SG")) return {3, 2};
    if (rain || contains(token, "DZ")) return {2, 1};
    if (contains(token, "PL") || contains(token, "GR") || contains(token, "GS")) return {4, 2};
    return {};
}

}  // namespace

std::pair<int32_t, int32_t> classifyPrecipitation(const std::string& tokens) {
    std::istringstream words(tokens);
    std::string token;
    int bestPriority = -1;
    std::pair<int32_t, int32_t> result{0, 0};
    while (words >> token) {
        if (contains(token, "VC")) {
            continue;
        }
        const TokenClass found = classifyToken(token);
        if (found.priority <= bestPriority) {
            continue;
        }
        bestPriority = found.priority;
        const int32_t rate = contains(token, "+") ? 5 : contains(token, "-") ? 2 : 3;
        result = {found.type, rate};
    }
    return result;
}

std::optional<WeatherData> decodeMetar(const std::string& stationId, const std::string& raw, int32_t elevationM,
                                       bool cavokHaze, int32_t cavokVisibilityM) {
    WeatherData weather;
    weather.stationId = stationId;
    weather.elevationM = elevationM;
    weather.rawMetar = raw;
    weather.cavok = contains(raw, "CAVOK");
    const bool hazeOnly = weather.cavok && cavokHaze;

    readWind(raw, weather);
    if (hazeOnly) {
        weather.visibilityM = cavokVisibilityM;
    } else {
        readVisibility(raw, weather);
    }
    readPressure(raw, weather);
    readTemperature(raw, weather);
    if (!hazeOnly) {
        readClouds(raw, weather);
        readWeather(raw, weather);
    }
    weather.turbulence = gustTurbulence(weather);
    return weather;
}

std::optional<ObservationTime> parseObservationTime(const std::string& raw) {
    const auto stamp = parseObservationStamp(raw);
    return stamp ? std::optional<ObservationTime>(stamp->time) : std::nullopt;
}

std::optional<ObservationStamp> parseObservationStamp(const std::string& raw) {
    std::smatch match;
    if (!std::regex_search(raw, match, patterns().observationTime)) {
        return std::nullopt;
    }
    const ObservationStamp stamp{*toInt(match[1]), {*toInt(match[2]), *toInt(match[3])}};
    if (stamp.time.hour > 23 || stamp.time.minute > 59) {
        return std::nullopt;
    }
    return stamp;
}

}  // namespace wx
