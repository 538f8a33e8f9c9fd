#include "TafArchiveAnswer.h"

#include <cstdio>
#include <regex>
#include <sstream>

#include "weather/UtcTime.h"

namespace wx::sim {
namespace {

using namespace std::chrono;

const char* const kHeader =
    "station,valid,fx_valid,raw,is_tempo,fx_valid_end,sknt,drct,gust,visibility,presentwx,skyc,skyl,ws_level,"
    "ws_drct,ws_sknt,product_id,ftype,is_amendment\n";

std::string csvTime(TimePoint time) {
    const std::string iso = formatUtcTime(time_point_cast<milliseconds>(time));
    return iso.substr(0, 10) + " " + iso.substr(11, 5);
}

// "231100Z"-style digits of a time: day, hour and minute.
std::string group(TimePoint time, bool minutesToo) {
    const std::string iso = formatUtcTime(time_point_cast<milliseconds>(time));
    return iso.substr(8, 2) + iso.substr(11, 2) + (minutesToo ? iso.substr(14, 2) : "");
}

std::string pythonList(const std::vector<std::string>& items, bool quoted) {
    std::string text = "[";
    for (size_t i = 0; i < items.size(); ++i) {
        text += (i > 0 ? ", " : "") + (quoted ? "'" + items[i] + "'" : items[i]);
    }
    text += "]";
    return text.find(',') == std::string::npos ? text : "\"" + text + "\"";
}

// The decoded columns of a forecast of the report's weather, from
// "sknt" to "skyl", and the report's groups the forecast repeats.
struct Forecast {
    std::string columns;
    std::string groups;
};

Forecast forecastOf(const std::string& report) {
    static const std::regex kWind(R"(^(\d{3}|VRB)(\d{2,3})(?:G(\d{2,3}))?KT$)");
    static const std::regex kMetres(R"(^(\d{4})$)");
    static const std::regex kMiles(R"(^(\d{1,2})SM$)");
    static const std::regex kCloud(R"(^(FEW|SCT|BKN|OVC|VV)(\d{3}).*$)");
    static const std::regex kWeather(R"(^[-+]?(VC)?(MI|BC|PR|DR|BL|SH|TS|FZ)?(DZ|RA|SN|SG|PL|GR|GS|UP|BR|FG|FU|VA|DU|SA|HZ|PO|SQ|FC|SS|DS)+$)");
    std::string wind = ",,";
    std::string visibility;
    std::vector<std::string> weather;
    std::vector<std::string> covers;
    std::vector<std::string> levels;
    std::string groups;
    std::istringstream words(report);
    std::string word;
    words >> word >> word;  // the station and the time
    std::smatch match;
    while (words >> word) {
        if (word == "AUTO" || word == "NOSIG") {
            continue;
        }
        if (word.find('/') != std::string::npos || word[0] == 'Q' || word[0] == 'A' || word == "RMK") {
            break;
        }
        groups += (groups.empty() ? "" : " ") + word;
        if (std::regex_match(word, match, kWind)) {
            const auto number = [](const std::string& digits) {
                return digits.empty() ? digits : std::to_string(std::stoi(digits)) + ".0";
            };
            wind = number(match[2].str()) + "," + (match[1] == "VRB" ? "" : number(match[1].str())) + "," +
                   number(match[3].str());
        } else if (word == "CAVOK" || word == "9999") {
            visibility = "6.0";
        } else if (std::regex_match(word, match, kMetres)) {
            char miles[16];
            std::snprintf(miles, sizeof miles, "%.2f", std::stoi(match[1].str()) / 1609.344);
            visibility = miles;
        } else if (std::regex_match(word, match, kMiles)) {
            visibility = std::to_string(std::min(6, std::stoi(match[1].str()))) + ".0";
        } else if (std::regex_match(word, match, kCloud)) {
            covers.push_back(match[1].str());
            levels.push_back(std::to_string(std::stoi(match[2].str()) * 100) + ".0");
        } else if (std::regex_match(word, kWeather)) {
            weather.push_back(word);
        }
    }
    return {wind + "," + visibility + "," + pythonList(weather, true) + "," + pythonList(covers, true) + "," +
                pythonList(levels, false),
            groups};
}

}  // namespace

ArchiveAnswer tafArchiveAnswer(const MetarFixtures& fixtures, const std::multimap<std::string, std::string>& params) {
    const auto end = periodBound(params, "ets", '2');
    if (!end) {
        return {422, "Invalid times provided.", "text/plain"};
    }
    const std::string ids = archiveStations(params);
    const auto hour = floor<hours>(*end - minutes{40});
    const TimePoint issued = hour - hours{hour.time_since_epoch().count() % 6};
    const TimePoint from = issued + hours{1};
    const TimePoint to = from + hours{24};
    std::string body = kHeader;
    for (const FixtureReport& report : reportsAt(fixtures, ids, 3, *end)) {
        if (body.find("\n" + report.stationId + ",") != std::string::npos) {
            continue;
        }
        const Forecast forecast = forecastOf(report.rawOb);
        const std::string raw = report.stationId + " " + group(issued, true) + "Z " + group(from, false) + "/" +
                                group(to, false) + " " + forecast.groups;
        body += report.stationId + "," + csvTime(issued) + "," + csvTime(from) + "," + raw + ",False," + csvTime(to) +
                "," + forecast.columns + ",,,," + group(issued, true) + "-" + report.stationId + "-TAF,Observation,False\n";
    }
    return {200, body, "text/plain"};
}

}  // namespace wx::sim
