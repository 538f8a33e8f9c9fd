#include "PastAnswers.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "weather/UtcTime.h"

namespace wx::sim {
namespace {

using namespace std::chrono;

std::optional<TimePoint> asTimePoint(const std::optional<UtcMillis>& time) {
    if (!time) {
        return std::nullopt;
    }
    return time_point_cast<system_clock::duration>(*time);
}

std::string value(const std::multimap<std::string, std::string>& params, const std::string& key) {
    const auto it = params.find(key);
    return it == params.end() ? std::string() : it->second;
}

// year1..minute1 (index '1') or year2..minute2 ('2'); hour and minute
// default to 0 as the service's do.
std::optional<TimePoint> periodEnd(const std::multimap<std::string, std::string>& params, char index) {
    const std::string n(1, index);
    const std::string y = value(params, "year" + n);
    const std::string m = value(params, "month" + n);
    const std::string d = value(params, "day" + n);
    if (y.empty() || m.empty() || d.empty()) {
        return std::nullopt;
    }
    const year_month_day date{year{std::atoi(y.c_str())}, month{static_cast<unsigned>(std::atoi(m.c_str()))},
                              day{static_cast<unsigned>(std::atoi(d.c_str()))}};
    if (!date.ok()) {
        return std::nullopt;
    }
    return sys_days{date} + hours{std::atoi(value(params, "hour" + n).c_str())} +
           minutes{std::atoi(value(params, "minute" + n).c_str())};
}

std::string archiveStation(const std::string& id) {
    return id.size() == 4 && id[0] == 'K' ? id.substr(1) : id;
}

std::string archiveTime(int64_t epochSec) {
    const std::string iso = formatUtcTime(UtcMillis{seconds{epochSec}});
    return iso.substr(0, 10) + " " + iso.substr(11, 5);
}

}  // namespace

std::optional<TimePoint> periodBound(const std::multimap<std::string, std::string>& params, const char* iso,
                                     char index) {
    const std::string text = value(params, iso);
    return text.empty() ? periodEnd(params, index) : serviceDate(text);
}

std::optional<TimePoint> serviceDate(const std::string& text) {
    if (text.size() == 13 && text[8] == '_') {
        return asTimePoint(parseUtcTime(text.substr(0, 4) + "-" + text.substr(4, 2) + "-" + text.substr(6, 2) + "T" +
                                        text.substr(9, 2) + ":" + text.substr(11, 2) + "Z"));
    }
    return asTimePoint(parseUtcTime(text));
}

std::vector<FixtureReport> reportsAt(const MetarFixtures& fixtures, const std::string& ids, double hoursBack,
                                     TimePoint time) {
    const int64_t end = duration_cast<seconds>(time.time_since_epoch()).count();
    const auto start = end - static_cast<int64_t>(std::max(hoursBack, 1.0) * 3600.0);
    std::vector<FixtureReport> out;
    for (const FixtureReport& report : retimed(fixtures.select(ids, 2), time)) {
        if (report.obsTime && *report.obsTime <= end && *report.obsTime > start) {
            out.push_back(report);
        }
    }
    return out;
}

std::string archiveStations(const std::multimap<std::string, std::string>& params) {
    std::string ids;
    for (auto [it, last] = params.equal_range("station"); it != last; ++it) {
        std::istringstream list(it->second);
        std::string id;
        while (std::getline(list, id, ',')) {
            ids += (id.size() == 3 ? "K" + id : id) + ",";
        }
    }
    return ids;
}

ArchiveAnswer metarArchiveAnswer(const MetarFixtures& fixtures, const std::multimap<std::string, std::string>& params) {
    const auto start = periodBound(params, "sts", '1');
    const auto end = periodBound(params, "ets", '2');
    if (!start || !end) {
        return {422, "Invalid times provided.", "text/plain"};
    }
    const std::string ids = archiveStations(params);
    const int64_t from = duration_cast<seconds>(start->time_since_epoch()).count();
    const int64_t to = duration_cast<seconds>(end->time_since_epoch()).count();
    std::vector<FixtureReport> rows;
    for (const FixtureReport& report : retimed(fixtures.select(ids, 2), *end - minutes{1})) {
        if (report.obsTime && *report.obsTime >= from && *report.obsTime < to) {
            rows.push_back(report);
        }
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const FixtureReport& a, const FixtureReport& b) { return *a.obsTime < *b.obsTime; });
    std::string body = "station,valid,metar\n";
    for (const FixtureReport& report : rows) {
        body += archiveStation(report.stationId) + "," + archiveTime(*report.obsTime) + "," + report.rawOb + "\n";
    }
    return {200, body, "text/plain"};
}

}  // namespace wx::sim
