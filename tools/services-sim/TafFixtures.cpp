#include "TafFixtures.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <ctime>
#include <map>
#include <sstream>
#include <vector>

#include <nlohmann/json.hpp>

namespace wx::sim {
namespace {

using nlohmann::ordered_json;

constexpr int64_t kHour = 3600;

// A period by its hours from the start of the validity; the values it
// gives as the service spells them (null: not given).
struct PeriodShape {
    int fromHour = 0;
    int toHour = 30;
    ordered_json change;
    ordered_json probability;
    ordered_json becomingHour;  // a BECMG's end of change, hours
    ordered_json wdir;
    ordered_json wspd;
    ordered_json wgst;
    ordered_json visib;
    ordered_json wxString;
    ordered_json clouds = ordered_json::array();
    ordered_json vertVis;
};

struct TafShape {
    bool spacedIssueTime = false;  // "2026-12-08 14:20:00" rather than "2026-12-08T14:20:00.000Z"
    std::string raw;              // after the id and times
    std::vector<PeriodShape> periods;
};

ordered_json layer(const char* cover, ordered_json base, ordered_json type = nullptr) {
    return {{"cover", cover}, {"base", base}, {"type", type}};
}

const std::map<std::string, TafShape>& shapes() {
    using J = ordered_json;
    static const std::map<std::string, TafShape> kShapes{
        {"EGBB",
         {false,
          "24012KT 9999 BKN035 TEMPO {0}/{1} 5000 -RA BKN008 BECMG {2}/{3} 27015G25KT OVC012 PROB30 {4}/{5} "
          "0800 FG VV002 PROB40 TEMPO {6}/{7} TSRA FM{8} VRB03KT CAVOK",
          {{0, 30, nullptr, nullptr, nullptr, 240, 12, nullptr, "6+", nullptr, J::array({layer("BKN", 3500)})},
           {2, 6, "TEMPO", nullptr, nullptr, nullptr, nullptr, nullptr, 3, "-RA", J::array({layer("BKN", 800)})},
           {6, 24, "BECMG", nullptr, 8, 270, 15, 25, "6+", nullptr, J::array({layer("OVC", 1200)})},
           {10, 14, "PROB", 30, nullptr, nullptr, nullptr, nullptr, 0.5, "FG",
            J::array({layer("OVX", nullptr)}), 200},
           {18, 22, "TEMPO", 40, nullptr, nullptr, nullptr, nullptr, nullptr, "TSRA"},
           {24, 30, "FM", nullptr, nullptr, "VRB", 3, nullptr, "6+", nullptr, J::array({layer("CLR", nullptr)})}}}},
        {"EGLL",
         {true,
          "22010KT P6SM SCT040 FM{0} 25018G28KT 5SM -SHRA BKN025 FM{1} VRB03KT 1 1/2SM BR OVC004",
          {{0, 6, nullptr, nullptr, nullptr, 220, 10, nullptr, "6+", nullptr, J::array({layer("SCT", 4000)})},
           {6, 15, "FM", nullptr, nullptr, 250, 18, 28, 5, "-SHRA", J::array({layer("BKN", 2500)})},
           {15, 30, "FM", nullptr, nullptr, "VRB", 3, nullptr, 1.5, "BR", J::array({layer("OVC", 400)})}}}},
        {"EGKK",
         {false,
          "20008KT 9999 FEW030 TEMPO {0}/{1} 4000 SHRA BKN014",
          {{0, 30, nullptr, nullptr, nullptr, 200, 8, nullptr, "6+", nullptr, J::array({layer("FEW", 3000)})},
           {4, 10, "TEMPO", nullptr, nullptr, nullptr, nullptr, nullptr, 2.49, "SHRA",
            J::array({layer("BKN", 1400)})}}}},
        {"EGSS",
         {true,
          "23010KT 9999 SCT025 BECMG {0}/{1} BKN009",
          {{0, 30, nullptr, nullptr, nullptr, 230, 10, nullptr, "6+", nullptr, J::array({layer("SCT", 2500)})},
           {8, 30, "BECMG", nullptr, 10, nullptr, nullptr, nullptr, "", nullptr, J::array({layer("BKN", 900)})}}}},
        {"EGNX",
         {false,
          "25012KT 9999 BKN045 PROB30 TEMPO {0}/{1} 3000 RA BKN007",
          {{0, 30, nullptr, nullptr, nullptr, 250, 12, nullptr, "6+", nullptr, J::array({layer("BKN", 4500)})},
           {5, 9, "TEMPO", 30, nullptr, nullptr, nullptr, nullptr, 1.86, "RA", J::array({layer("BKN", 700)})}}}},
    };
    return kShapes;
}

std::string twoDigits(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }

std::tm utc(int64_t seconds) {
    const auto time = static_cast<std::time_t>(seconds);
    std::tm parts{};
    gmtime_r(&time, &parts);
    return parts;
}

// "DDHH" of the TAF's text.
std::string dayHour(int64_t seconds) {
    const std::tm parts = utc(seconds);
    return twoDigits(parts.tm_mday) + twoDigits(parts.tm_hour);
}

std::string issueText(int64_t seconds, bool spaced) {
    const std::tm parts = utc(seconds);
    const std::string date = std::to_string(parts.tm_year + 1900) + "-" + twoDigits(parts.tm_mon + 1) + "-" +
                             twoDigits(parts.tm_mday);
    const std::string time = twoDigits(parts.tm_hour) + ":" + twoDigits(parts.tm_min) + ":" + twoDigits(parts.tm_sec);
    return spaced ? date + " " + time : date + "T" + time + ".000Z";
}

// The raw text with its "{N}" places filled by the change groups' times,
// in the order the shape's periods give them.
std::string rawText(const std::string& id, const TafShape& shape, int64_t validFrom, int64_t issued) {
    std::vector<std::string> places;
    for (const PeriodShape& period : shape.periods) {
        if (period.change.is_null()) {
            continue;
        }
        const int64_t from = validFrom + period.fromHour * kHour;
        if (period.change == "FM") {
            places.push_back(dayHour(from) + "00");
            continue;
        }
        const int endHour = period.becomingHour.is_number() ? period.becomingHour.get<int>() : period.toHour;
        places.push_back(dayHour(from));
        places.push_back(dayHour(validFrom + endHour * kHour));
    }
    std::string body = shape.raw;
    for (size_t i = 0; i < places.size(); ++i) {
        const std::string place = "{" + std::to_string(i) + "}";
        if (const size_t at = body.find(place); at != std::string::npos) {
            body.replace(at, place.size(), places[i]);
        }
    }
    const std::tm issue = utc(issued);
    return "TAF " + id + " " + twoDigits(issue.tm_mday) + twoDigits(issue.tm_hour) + twoDigits(issue.tm_min) +
           "Z " + dayHour(validFrom) + "/" + dayHour(validFrom + 30 * kHour) + " " + body;
}

ordered_json periodJson(const PeriodShape& period, int64_t validFrom) {
    const ordered_json becoming = period.becomingHour.is_number()
                                      ? ordered_json(std::to_string(validFrom + period.becomingHour.get<int>() * kHour))
                                      : ordered_json();
    return {{"timeGroup", nullptr},
            {"timeFrom", validFrom + period.fromHour * kHour},
            {"timeTo", validFrom + period.toHour * kHour},
            {"timeBec", becoming},
            {"fcstChange", period.change},
            {"probability", period.probability},
            {"wdir", period.wdir},
            {"wspd", period.wspd},
            {"wgst", period.wgst},
            {"wshearHgt", nullptr},
            {"wshearDir", nullptr},
            {"wshearSpd", nullptr},
            {"visib", period.visib},
            {"altim", nullptr},
            {"vertVis", period.vertVis},
            {"wxString", period.wxString},
            {"notDecoded", nullptr},
            {"clouds", period.clouds},
            {"icgTurb", ordered_json::array()},
            {"temp", ordered_json::array()}};
}

std::vector<std::string> idsOf(const std::string& text) {
    std::string spaced = text;
    std::replace(spaced.begin(), spaced.end(), ',', ' ');
    std::istringstream words(spaced);
    std::vector<std::string> ids;
    for (std::string id; words >> id;) {
        std::transform(id.begin(), id.end(), id.begin(), [](unsigned char c) { return std::toupper(c); });
        if (std::find(ids.begin(), ids.end(), id) == ids.end()) {
            ids.push_back(id);
        }
    }
    return ids;
}

}  // namespace

std::string tafJsonAnswer(const std::string& ids, std::chrono::system_clock::time_point anchor) {
    const int64_t anchorSec = std::chrono::duration_cast<std::chrono::seconds>(anchor.time_since_epoch()).count();
    const int64_t validFrom = anchorSec / kHour * kHour - kHour;
    const int64_t issued = validFrom - 40 * 60;
    ordered_json answer = ordered_json::array();
    for (const std::string& id : idsOf(ids)) {
        const auto shape = shapes().find(id);
        if (shape == shapes().end()) {
            continue;
        }
        ordered_json periods = ordered_json::array();
        for (const PeriodShape& period : shape->second.periods) {
            periods.push_back(periodJson(period, validFrom));
        }
        answer.push_back({{"icaoId", id},
                          {"issueTime", issueText(issued, shape->second.spacedIssueTime)},
                          {"validTimeFrom", validFrom},
                          {"validTimeTo", validFrom + 30 * kHour},
                          {"rawTAF", rawText(id, shape->second, validFrom, issued)},
                          {"mostRecent", 1},
                          {"remarks", ""},
                          {"fcsts", periods}});
    }
    return answer.dump();
}

}  // namespace wx::sim
