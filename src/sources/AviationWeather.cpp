#include "sources/AviationWeather.h"

#include <exception>
#include <optional>
#include <stdexcept>

#include "sources/PastReach.h"
#include "sources/ReportOrder.h"
#include "sources/ServiceHosts.h"
#include "weather/UtcTime.h"

namespace wx {
namespace {

using nlohmann::json;

// A SIGMET object is four levels deep in the answer (array, object, "coords"
// array, point object); this leaves ample room.
constexpr int kMaxSigmetNesting = 64;

std::string joinIds(const std::vector<std::string>& ids) {
    std::string joined;
    for (const std::string& id : ids) {
        if (!joined.empty()) {
            joined += ',';
        }
        joined += id;
    }
    return joined;
}

// The member's text; absent when the key is missing. A present member that
// is not a string throws json::type_error.
std::optional<std::string> textMember(const json& object, const char* key) {
    const auto it = object.find(key);
    if (it == object.end()) {
        return std::nullopt;
    }
    return it->get<std::string>();
}

// The first of the two members that is present.
std::optional<std::string> eitherMember(const json& object, const char* key, const char* otherKey) {
    if (auto text = textMember(object, key)) {
        return text;
    }
    return textMember(object, otherKey);
}

// Leading bytes below 33, then one UTF-8 byte-order mark.
std::string cleanedAnswer(const std::string& body) {
    size_t start = 0;
    while (start < body.size() && static_cast<unsigned char>(body[start]) < 33) {
        ++start;
    }
    std::string text = body.substr(start);
    if (text.size() >= 3 && static_cast<unsigned char>(text[0]) == 0xEF) {
        text.erase(0, 3);
    }
    return text;
}

// Lines of the plain-text endpoint: the id is the four bytes after an
// optional "METAR " or "SPECI " prefix, and the whole line is the report.
void readPlainReports(const std::string& text, MetarMap& map) {
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line.size() < 8) {
            continue;
        }
        const bool prefixed = line.rfind("METAR ", 0) == 0 || line.rfind("SPECI ", 0) == 0;
        const std::string id = line.substr(prefixed ? 6 : 0, 4);
        if (id.size() == 4) {
            putReport(map, id, line);
        }
    }
}

// An element of a JSON answer; "ob" is consulted only inside an array.
void readJsonReport(const json& element, bool consultOb, MetarMap& map) {
    const std::string id = eitherMember(element, "icaoId", "icao").value_or("");
    const std::string fallback = consultOb ? textMember(element, "ob").value_or("") : std::string();
    const std::string text = eitherMember(element, "rawOb", "raw_text").value_or(fallback);
    if (!id.empty() && !text.empty()) {
        putReport(map, id, text);
    }
}

// An element of the reduced variant's answer: "icaoId", "rawOb" and "ob" only.
void readJsonOnlyReport(const json& element, MetarMap& map) {
    const std::string id = textMember(element, "icaoId").value_or("");
    const std::string fallback = textMember(element, "ob").value_or("");
    const std::string text = textMember(element, "rawOb").value_or(fallback);
    if (!id.empty() && !text.empty()) {
        putReport(map, id, text);
    }
}

// Runs read for one element of an answer. A member of the wrong type skips
// that element only, with a log line, so the stations listed after it keep
// their reports.
template <typename Read>
void readOrSkipElement(const LogFn& log, const Read& read) {
    try {
        read();
    } catch (const json::type_error& error) {
        logLine(log, std::string("METAR parse: ") + error.what(), "ERROR");
    }
}

}  // namespace

MetarMap decodeMetarAnswer(const std::string& body, const LogFn& log) {
    const std::string text = cleanedAnswer(body);
    if (text.empty() || text[0] == '<') {
        logLine(log, "METAR: empty or HTML response", "WARN");
        return {};
    }
    MetarMap map;
    try {
        const json value = json::parse(text, nullptr, false);
        if (value.is_discarded()) {
            readPlainReports(text, map);
        } else if (value.is_array()) {
            for (const json& element : value) {
                if (element.is_object()) {
                    readOrSkipElement(log, [&] { readJsonReport(element, true, map); });
                }
            }
        } else if (value.is_object()) {
            readOrSkipElement(log, [&] { readJsonReport(value, false, map); });
        }
    } catch (const std::exception& error) {
        logLine(log, std::string("METAR parse: ") + error.what(), "ERROR");
    } catch (...) {
        logLine(log, "METAR JSON parse error", "ERROR");
    }
    return map;
}

MetarFetch fetchMetarsWithFallback(HttpClient& http, const LogFn& log, const std::vector<std::string>& stationIds) {
    if (stationIds.empty()) {
        return {{}, true};
    }
    const std::string ids = joinIds(stationIds);
    const std::string base = awcBaseUrl();
    auto body = http.get(base + "/api/data/metar", {{"format", "json"}, {"hours", "2"}, {"ids", ids}},
                         kAviationWeatherTimeoutSec);
    bool answered = body.has_value();
    if (!http.cancelled() && (!body || body->empty())) {
        body = http.get(base + "/cgi-bin/data/metar.php", {{"format", "raw"}, {"hours", "2"}, {"ids", ids}},
                        kAviationWeatherTimeoutSec);
        answered = answered || body.has_value();
    }
    if (http.cancelled()) {
        return {};
    }
    if (!body || body->empty()) {
        logLine(log, "METAR fetch failed", "ERROR");
        return {{}, answered};
    }
    return {decodeMetarAnswer(*body, log), true};
}

MetarFetch fetchMetarsJsonOnly(HttpClient& http, const LogFn& log, const std::vector<std::string>& stationIds) {
    if (stationIds.empty()) {
        return {{}, true};
    }
    const auto body =
        http.get(awcBaseUrl() + "/api/data/metar", {{"format", "json"}, {"ids", joinIds(stationIds)}},
                 kAviationWeatherTimeoutSec);
    if (!body) {
        return {};
    }
    MetarFetch fetch{{}, true};
    try {
        const json value = json::parse(*body);
        if (!value.is_array()) {
            return fetch;
        }
        for (const json& element : value) {
            if (!element.is_object()) {
                break;
            }
            readOrSkipElement(log, [&] { readJsonOnlyReport(element, fetch.reports); });
        }
    } catch (...) {
        // Invalid JSON ends decoding silently; what was gathered so far stands.
    }
    return fetch;
}

std::string aviationWeatherDate(std::chrono::system_clock::time_point time) {
    const std::string text = formatUtcTime(std::chrono::floor<std::chrono::seconds>(time));
    return text.substr(0, 19) + "Z";
}

MetarFetch fetchMetarsAt(HttpClient& http, const LogFn& log, const std::vector<std::string>& stationIds,
                         std::chrono::system_clock::time_point weatherTime) {
    if (stationIds.empty()) {
        return {{}, true};
    }
    const QueryParams params{{"format", "json"},
                             {"hours", std::to_string(kPastReportAge.count())},
                             {"ids", joinIds(stationIds)},
                             {"date", aviationWeatherDate(weatherTime)}};
    const auto body = http.get(awcBaseUrl() + "/api/data/metar", params, kAviationWeatherTimeoutSec);
    if (http.cancelled()) {
        return {};
    }
    if (!body) {
        logLine(log, "METAR fetch failed", "ERROR");
        return {};
    }
    if (body->empty()) {
        return {{}, true};
    }
    return {decodeMetarAnswer(*body, log), true};
}

QueryParams tafQuery(const std::vector<std::string>& stationIds,
                     std::optional<std::chrono::system_clock::time_point> date) {
    QueryParams params{{"format", "json"}, {"ids", joinIds(stationIds)}};
    if (date) {
        params.emplace("date", aviationWeatherDate(*date));
    }
    return params;
}

std::vector<nlohmann::json> fetchSigmetList(HttpClient& http,
                                            std::optional<std::chrono::system_clock::time_point> date) {
    QueryParams params{{"format", "json"}};
    if (date) {
        params.emplace("date", aviationWeatherDate(*date));
    }
    const auto body = http.get(awcBaseUrl() + "/api/data/isigmet", params, kAviationWeatherTimeoutSec);
    if (!body) {
        return {};
    }
    std::vector<json> list;
    try {
        // Copying or printing a JSON value recurses once per level, so an
        // answer nested thousands deep would overflow the stack of whoever
        // handles the list; such an answer is no SIGMET list and fails here.
        const auto limitNesting = [](int depth, json::parse_event_t, json&) {
            if (depth > kMaxSigmetNesting) {
                throw std::length_error("SIGMET answer nested too deeply");
            }
            return true;
        };
        const json value = json::parse(*body, limitNesting);
        if (value.is_array()) {
            list.assign(value.begin(), value.end());
        }
    } catch (...) {
        return {};
    }
    return list;
}

}  // namespace wx
