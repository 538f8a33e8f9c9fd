#include "briefing/TafAnswer.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <limits>
#include <stdexcept>

#include <nlohmann/json.hpp>

#include "briefing/ForecastVisibility.h"
#include "briefing/TafPeriodCategory.h"

namespace wx {
namespace {

using nlohmann::json;

// An answer is three levels deep (array, forecast, periods, clouds, layer);
// this leaves ample room and keeps a hostile nesting from the stack.
constexpr int kMaxNesting = 32;

// A member's value, or null when it is absent.
const json& member(const json& object, const char* key) {
    static const json kNull;
    const auto it = object.find(key);
    return it == object.end() ? kNull : *it;
}

std::optional<double> numberIn(const std::string& text) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// A number, or text that is one; nothing for null, empty text or anything else.
std::optional<double> numeric(const json& value) {
    if (value.is_number()) {
        const double number = value.get<double>();
        return std::isfinite(number) ? std::optional<double>(number) : std::nullopt;
    }
    return value.is_string() ? numberIn(value.get<std::string>()) : std::nullopt;
}

std::optional<int> wholeNumber(const json& value) {
    const std::optional<double> number = numeric(value);
    if (!number || std::fabs(*number) > 1e9) {
        return std::nullopt;
    }
    return static_cast<int>(std::lround(*number));
}

// Seconds since 1970 as a number or digits, or a date and time as text,
// with "T" or a space between them and "Z" or nothing after.
std::optional<UtcMillis> timeValue(const json& value) {
    if (const std::optional<double> seconds = numeric(value)) {
        if (std::fabs(*seconds) > 1e11) {
            return std::nullopt;
        }
        return UtcMillis(std::chrono::milliseconds(std::llround(*seconds * 1000.0)));
    }
    if (!value.is_string()) {
        return std::nullopt;
    }
    std::string text = value.get<std::string>();
    std::replace(text.begin(), text.end(), ' ', 'T');
    if (!text.empty() && text.back() != 'Z' && text.find('+', 10) == std::string::npos) {
        text += 'Z';
    }
    return parseUtcTime(text);
}

UtcMillis requiredTime(const json& object, const char* key) {
    const std::optional<UtcMillis> time = timeValue(member(object, key));
    if (!time) {
        throw std::invalid_argument(std::string("no readable \"") + key + "\"");
    }
    return *time;
}

std::optional<int> visibilityMetres(const json& value) {
    if (value.is_string()) {
        const std::string text = value.get<std::string>();
        if (!text.empty() && text.back() == '+') {
            return kUnlimitedForecastVisibilityM;
        }
    }
    const std::optional<double> miles = numeric(value);
    if (!miles || *miles < 0.0) {
        return std::nullopt;
    }
    return forecastVisibilityM(*miles);
}

std::string changeName(const json& period) {
    const json& change = member(period, "fcstChange");
    const std::optional<int> probability = wholeNumber(member(period, "probability"));
    const std::string prob = "PROB" + std::to_string(probability.value_or(30));
    if (change.is_null()) {
        return "BASE";
    }
    const std::string name = change.get<std::string>();
    if (name == "FM" || name == "BECMG") {
        return name;
    }
    if (name == "TEMPO") {
        return probability ? prob + " TEMPO" : name;
    }
    if (name == "PROB") {
        return prob;
    }
    throw std::invalid_argument("unknown change \"" + name + "\"");
}

bool isCeilingCover(const std::string& cover) {
    return cover == "BKN" || cover == "OVC" || cover == "OVX" || cover == "VV";
}

// The lowest BKN, OVC or obscured layer (whose base is the vertical
// visibility when the layer gives none).
void readClouds(const json& period, TafPeriod& out) {
    const json& clouds = member(period, "clouds");
    const std::optional<int> vertVis = wholeNumber(member(period, "vertVis"));
    out.cloudsGiven = (clouds.is_array() && !clouds.empty()) || vertVis.has_value();
    if (vertVis) {
        out.ceilingFt = *vertVis;
    }
    if (!clouds.is_array()) {
        return;
    }
    for (const json& layer : clouds) {
        if (!layer.is_object() || !member(layer, "cover").is_string() ||
            !isCeilingCover(member(layer, "cover").get<std::string>())) {
            continue;
        }
        const std::optional<int> base = wholeNumber(member(layer, "base"));
        const std::optional<int> feet = base ? base : vertVis;
        if (feet && (!out.ceilingFt || *feet < *out.ceilingFt)) {
            out.ceilingFt = feet;
        }
    }
}

TafPeriod readPeriod(const json& period) {
    if (!period.is_object()) {
        throw std::invalid_argument("a period that is no object");
    }
    TafPeriod out;
    out.from = requiredTime(period, "timeFrom");
    out.to = requiredTime(period, "timeTo");
    out.becomingEnd = timeValue(member(period, "timeBec"));
    out.change = changeName(period);
    const json& direction = member(period, "wdir");
    out.windVariable = direction.is_string() && direction.get<std::string>() == "VRB";
    out.windDirDeg = out.windVariable ? std::nullopt : wholeNumber(direction);
    out.windSpeedKt = wholeNumber(member(period, "wspd"));
    out.gustKt = wholeNumber(member(period, "wgst"));
    out.visibilityM = visibilityMetres(member(period, "visib"));
    readClouds(period, out);
    if (const json& weather = member(period, "wxString"); weather.is_string()) {
        out.weather = weather.get<std::string>();
    }
    out.category = periodCategory(out);
    return out;
}

Taf readTaf(const json& element) {
    if (!element.is_object()) {
        throw std::invalid_argument("an element that is no object");
    }
    Taf taf;
    taf.stationId = member(element, "icaoId").get<std::string>();
    if (taf.stationId.empty()) {
        throw std::invalid_argument("no \"icaoId\"");
    }
    taf.issued = timeValue(member(element, "issueTime")).value_or(UtcMillis{});
    taf.validFrom = requiredTime(element, "validTimeFrom");
    taf.validTo = requiredTime(element, "validTimeTo");
    if (const json& raw = member(element, "rawTAF"); raw.is_string()) {
        taf.raw = raw.get<std::string>();
    }
    return taf;
}

std::string elementName(const json& element, size_t index) {
    if (element.is_object() && member(element, "icaoId").is_string()) {
        return member(element, "icaoId").get<std::string>();
    }
    return "element " + std::to_string(index + 1);
}

// The forecast's periods that read; each that does not is left out with a line.
void readPeriods(const json& element, const std::string& name, Taf& taf, const LogFn& log) {
    const json& periods = member(element, "fcsts");
    if (!periods.is_array()) {
        return;
    }
    for (size_t i = 0; i < periods.size(); ++i) {
        try {
            taf.periods.push_back(readPeriod(periods[i]));
        } catch (const std::exception& error) {
            logLine(log, "TAF parse: " + name + " period " + std::to_string(i + 1) + ": " + error.what(),
                    "ERROR");
        }
    }
}

}  // namespace

std::optional<std::vector<Taf>> decodeTafAnswer(const std::string& body, const LogFn& log) {
    const auto limitNesting = [](int depth, json::parse_event_t, json&) {
        if (depth > kMaxNesting) {
            throw std::length_error("nested too deeply");
        }
        return true;
    };
    json answer;
    try {
        answer = json::parse(body, limitNesting);
    } catch (const std::exception&) {
        answer = json();
    }
    if (!answer.is_array()) {
        logLine(log, "TAF: unreadable answer", "ERROR");
        return std::nullopt;
    }
    std::vector<Taf> tafs;
    for (size_t i = 0; i < answer.size(); ++i) {
        const std::string name = elementName(answer[i], i);
        try {
            Taf taf = readTaf(answer[i]);
            readPeriods(answer[i], name, taf, log);
            if (taf.periods.empty()) {
                throw std::invalid_argument("no period");
            }
            tafs.push_back(std::move(taf));
        } catch (const std::exception& error) {
            logLine(log, "TAF parse: " + name + ": " + error.what(), "ERROR");
        }
    }
    return tafs;
}

}  // namespace wx
