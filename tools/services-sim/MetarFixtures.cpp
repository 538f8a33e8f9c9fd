#include "MetarFixtures.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

#include <nlohmann/json.hpp>

#include "weather/UtcTime.h"

namespace wx::sim {
namespace {

using namespace std::chrono;

bool isTimeGroup(const std::string& word) {
    if (word.size() != 7 || word[6] != 'Z') {
        return false;
    }
    for (size_t i = 0; i < 6; ++i) {
        if (std::isdigit(static_cast<unsigned char>(word[i])) == 0) {
            return false;
        }
    }
    return true;
}

// The moment a "ddhhmmZ" group names, in now's month or the month before.
std::optional<int64_t> observationTime(const std::string& group, system_clock::time_point now) {
    const unsigned dayNumber = static_cast<unsigned>(std::stoi(group.substr(0, 2)));
    const int hour = std::stoi(group.substr(2, 2));
    const int minute = std::stoi(group.substr(4, 2));
    if (hour > 23 || minute > 59) {
        return std::nullopt;
    }
    const year_month_day today{floor<days>(now)};
    year_month month = today.year() / today.month();
    for (int tries = 0; tries < 3; ++tries, month -= months{1}) {
        const year_month_day date = month / day{dayNumber};
        if (!date.ok()) {
            continue;
        }
        const auto moment = sys_days{date} + hours{hour} + minutes{minute};
        if (moment <= now + hours{1}) {
            return duration_cast<seconds>(moment.time_since_epoch()).count();
        }
    }
    return std::nullopt;
}

std::string isoTime(int64_t epochSec) { return formatUtcTime(UtcMillis{seconds{epochSec}}); }

// "DDHHMMZ" of a report's time, taken from its ISO text.
std::string timeGroup(int64_t obsTime) {
    const std::string iso = isoTime(obsTime);
    return iso.substr(8, 2) + iso.substr(11, 2) + iso.substr(14, 2) + "Z";
}

std::optional<FixtureReport> parseLine(std::string line, system_clock::time_point now) {
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())) != 0) {
        line.pop_back();
    }
    FixtureReport report;
    report.type = "METAR";
    for (const char* prefix : {"METAR COR ", "METAR ", "SPECI "}) {
        if (line.rfind(prefix, 0) == 0) {
            report.type = std::string(prefix).substr(0, 5);
            line.erase(0, std::string(prefix).size());
            break;
        }
    }
    std::istringstream words(line);
    std::string word;
    if (!(words >> word) || word.size() != 4) {
        return std::nullopt;
    }
    report.stationId = word;
    report.rawOb = line;
    while (words >> word) {
        if (isTimeGroup(word)) {
            report.obsTime = observationTime(word, now);
            break;
        }
    }
    return report;
}

// The report observed at another time, its time group rewritten.
FixtureReport observedAt(const FixtureReport& report, int64_t obsTime) {
    FixtureReport moved = report;
    moved.obsTime = obsTime;
    std::istringstream words(report.rawOb);
    std::string word;
    while (words >> word) {
        if (isTimeGroup(word)) {
            moved.rawOb.replace(moved.rawOb.find(word), word.size(), timeGroup(obsTime));
            break;
        }
    }
    return moved;
}

// The same report an hour earlier.
FixtureReport previousReport(const FixtureReport& current) { return observedAt(current, *current.obsTime - 3600); }

// A station's report age in minutes, the same every time: 5 to 95.
int64_t freshAgeMinutes(const std::string& stationId) {
    uint32_t hash = 2166136261u;
    for (const char c : stationId) {
        hash = (hash ^ static_cast<uint8_t>(c)) * 16777619u;
    }
    return 5 + hash % 91;
}

}  // namespace

MetarFixtures MetarFixtures::fromLines(const std::vector<std::string>& lines, system_clock::time_point now) {
    MetarFixtures fixtures;
    for (const std::string& line : lines) {
        auto report = parseLine(line, now);
        if (!report || fixtures.stations_.count(report->stationId) != 0) {
            continue;
        }
        std::vector<FixtureReport> reports{*report};
        if (report->obsTime) {
            reports.push_back(previousReport(*report));
        }
        fixtures.stations_.emplace(report->stationId, std::move(reports));
    }
    return fixtures;
}

std::optional<MetarFixtures> MetarFixtures::load(const std::string& path, system_clock::time_point now) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(file, line)) {
        lines.push_back(line);
    }
    return fromLines(lines, now);
}

std::vector<FixtureReport> MetarFixtures::select(const std::string& ids, double hours) const {
    std::vector<FixtureReport> out;
    std::set<std::string> seen;
    std::string id;
    std::istringstream list(ids);
    while (std::getline(list, id, ',')) {
        std::istringstream words(id);
        std::string word;
        while (words >> word) {
            for (char& c : word) {
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            }
            const auto it = stations_.find(word);
            if (it == stations_.end() || !seen.insert(word).second) {
                continue;
            }
            const size_t count = hours >= 2 ? it->second.size() : 1;
            out.insert(out.end(), it->second.begin(), it->second.begin() + static_cast<long>(count));
        }
    }
    return out;
}

std::vector<FixtureReport> retimed(const std::vector<FixtureReport>& reports, system_clock::time_point now) {
    const int64_t minute = duration_cast<minutes>(now.time_since_epoch()).count() * 60;
    std::vector<FixtureReport> out;
    std::string station;
    int64_t current = 0;
    for (const FixtureReport& report : reports) {
        if (!report.obsTime) {
            out.push_back(report);
            continue;
        }
        if (report.stationId != station) {
            station = report.stationId;
            current = minute - freshAgeMinutes(station) * 60;
            out.push_back(observedAt(report, current));
        } else {
            out.push_back(observedAt(report, current - 3600));
        }
    }
    return out;
}

std::string metarJsonAnswer(const std::vector<FixtureReport>& reports) {
    nlohmann::ordered_json answer = nlohmann::ordered_json::array();
    for (const FixtureReport& report : reports) {
        nlohmann::ordered_json object;
        object["icaoId"] = report.stationId;
        if (report.obsTime) {
            object["receiptTime"] = isoTime(*report.obsTime + 137);
            object["obsTime"] = *report.obsTime;
            object["reportTime"] = isoTime(*report.obsTime);
        }
        object["metarType"] = report.type;
        object["rawOb"] = report.rawOb;
        answer.push_back(std::move(object));
    }
    return answer.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string metarRawAnswer(const std::vector<FixtureReport>& reports) {
    std::string answer;
    for (const FixtureReport& report : reports) {
        answer += report.type + " " + report.rawOb + "\n";
    }
    return answer;
}

}  // namespace wx::sim
