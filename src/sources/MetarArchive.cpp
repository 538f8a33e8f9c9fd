#include "sources/MetarArchive.h"

#include <map>
#include <optional>
#include <utility>

#include "sources/ArchiveCsv.h"
#include "sources/ArchiveStationIds.h"
#include "sources/PastReach.h"
#include "sources/ServiceHosts.h"
#include "weather/UtcTime.h"

namespace wx {
namespace {

using Clock = std::chrono::system_clock;

void appendMoment(std::string& url, Clock::time_point time, char index) {
    const auto day = std::chrono::floor<std::chrono::days>(time);
    const std::chrono::year_month_day date{day};
    const std::chrono::hh_mm_ss clock{std::chrono::floor<std::chrono::minutes>(time - day)};
    const std::string n(1, index);
    url += "&year" + n + "=" + std::to_string(static_cast<int>(date.year()));
    url += "&month" + n + "=" + std::to_string(static_cast<unsigned>(date.month()));
    url += "&day" + n + "=" + std::to_string(static_cast<unsigned>(date.day()));
    url += "&hour" + n + "=" + std::to_string(clock.hours().count());
    url += "&minute" + n + "=" + std::to_string(clock.minutes().count());
}

struct Row {
    std::string station;
    std::string valid;
    std::string report;
};

// "station,valid,metar": the report is the rest of the line (the archive
// writes no commas inside it).
std::optional<Row> splitRow(const std::string& line) {
    const size_t first = line.find(',');
    const size_t second = first == std::string::npos ? std::string::npos : line.find(',', first + 1);
    if (second == std::string::npos) {
        return std::nullopt;
    }
    return Row{line.substr(0, first), line.substr(first + 1, second - first - 1), line.substr(second + 1)};
}

}  // namespace

std::string metarArchiveUrl(const std::vector<std::string>& stationIds, Clock::time_point weatherTime) {
    std::string url = iemBaseUrl() + "/cgi-bin/request/asos.py?data=metar";
    for (const std::string& id : stationIds) {
        url += "&station=" + urlEncode(archiveStationId(id));
    }
    // The archive's end is exclusive: the minute after the weather time's
    // takes in a report of that very minute.
    appendMoment(url, weatherTime - kPastReportAge, '1');
    appendMoment(url, weatherTime + std::chrono::minutes{1}, '2');
    url += "&tz=Etc%2FUTC&format=onlycomma&missing=empty";
    return url;
}

MetarMap decodeMetarArchive(const std::string& body, Clock::time_point weatherTime, const LogFn& log) {
    const std::vector<std::string> lines = completeLines(body);
    if (lines.empty() || lines.front().rfind("station,valid,", 0) != 0) {
        logLine(log, "METAR archive: no report table in the answer", "WARN");
        return {};
    }
    std::map<std::string, std::pair<Clock::time_point, std::string>> latest;
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::optional<Row> row = splitRow(lines[i]);
        if (!row || row->station.empty() || row->report.empty()) {
            continue;
        }
        const auto validAt = archiveTime(row->valid);
        if (!validAt) {
            continue;
        }
        const auto valid = std::chrono::time_point_cast<Clock::duration>(*validAt);
        if (valid > weatherTime || valid < weatherTime - kPastReportAge) {
            continue;
        }
        const std::string id = icaoStationId(row->station);
        const auto it = latest.find(id);
        if (it == latest.end() || it->second.first <= valid) {
            latest[id] = {valid, row->report};
        }
    }
    MetarMap reports;
    for (auto& [id, entry] : latest) {
        reports.emplace(id, std::move(entry.second));
    }
    return reports;
}

MetarFetch fetchMetarArchive(HttpClient& http, RequestSpacing& spacing, HttpCancel* cancel, const LogFn& log,
                             const std::vector<std::string>& stationIds, Clock::time_point weatherTime) {
    if (stationIds.empty()) {
        return {{}, true};
    }
    if (!spacing.waitTurn(cancel)) {
        return {};
    }
    const auto body = http.get(metarArchiveUrl(stationIds, weatherTime), {}, kArchiveTimeoutSec);
    if (http.cancelled()) {
        return {};
    }
    if (!body) {
        logLine(log, "METAR archive fetch failed", "ERROR");
        return {};
    }
    return {decodeMetarArchive(*body, weatherTime, log), true};
}

}  // namespace wx
