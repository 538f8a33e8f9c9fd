#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace wx::sim {

// One report as the aviation-weather service holds it.
struct FixtureReport {
    std::string stationId;
    std::string type;   // "METAR" or "SPECI"
    std::string rawOb;  // the report without its type word
    std::optional<int64_t> obsTime;  // seconds since 1970, from its time group
};

// Station to reports, newest first, built from a file of reports, one a line
// (a leading "METAR ", "SPECI " or "METAR COR " is allowed). A station's
// first line is its current report; when that has a time group, the report
// an hour older (the same text with the earlier time) follows it, so that a
// two-hour window holds two reports per station, as it usually does.
class MetarFixtures {
public:
    // Time groups name days of the month that now falls in, or of the month
    // before when that day is still to come.
    static std::optional<MetarFixtures> load(const std::string& path, std::chrono::system_clock::time_point now);
    static MetarFixtures fromLines(const std::vector<std::string>& lines, std::chrono::system_clock::time_point now);

    size_t stationCount() const { return stations_.size(); }

    // Reports of the ids (comma or blank separated, any case), each station
    // once in the order asked, newest first; hours below 2 keep only the
    // current report.
    std::vector<FixtureReport> select(const std::string& ids, double hours) const;

private:
    std::map<std::string, std::vector<FixtureReport>> stations_;
};

// The same reports made recent: each station's current report observed 5
// to 95 minutes (by station) before `now`, the one before it an hour
// earlier, their time groups rewritten to match.
std::vector<FixtureReport> retimed(const std::vector<FixtureReport>& reports, std::chrono::system_clock::time_point now);

// The answers of the JSON and plain-text formats.
std::string metarJsonAnswer(const std::vector<FixtureReport>& reports);
std::string metarRawAnswer(const std::vector<FixtureReport>& reports);

}  // namespace wx::sim
