#pragma once

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "MetarFixtures.h"

namespace wx::sim {

using TimePoint = std::chrono::system_clock::time_point;

// The aviation-weather service's "date": "2022-10-23T14:50:00Z", with or
// without seconds, or "20221023_1450"; nothing for any other text.
std::optional<TimePoint> serviceDate(const std::string& text);

// One end of an asked period: the ISO 8601 parameter `iso` ("sts" or
// "ets"), else year1..minute1 (index '1') or year2..minute2 ('2') in UTC,
// hour and minute 0 when not given.
std::optional<TimePoint> periodBound(const std::multimap<std::string, std::string>& params, const char* iso,
                                     char index);

// The stations' reports as the service held them at `time`: made recent
// for that time (see retimed), those observed within `hours` before it.
std::vector<FixtureReport> reportsAt(const MetarFixtures& fixtures, const std::string& ids, double hours,
                                     TimePoint time);

// The Mesonet's "station" values, repeated or comma-separated, as the ids
// the fixtures know, comma-separated: a three-letter id is a US station
// and gets its K back.
std::string archiveStations(const std::multimap<std::string, std::string>& params);

struct ArchiveAnswer {
    int status = 200;
    std::string body;
    std::string contentType = "text/plain";
};

// The Mesonet's asos.py for "data=metar" with "format=onlycomma": the
// header "station,valid,metar", then each report observed from the start
// up to (not including) the end, oldest first, US stations under their
// three-letter ids. Stations come as repeated or comma-separated "station"
// values (a K-prefixed id is taken as its three letters), the period as
// "sts"/"ets" or year1..minute1/year2..minute2 in UTC. Without a period:
// 422 "Invalid times provided.".
ArchiveAnswer metarArchiveAnswer(const MetarFixtures& fixtures, const std::multimap<std::string, std::string>& params);

}  // namespace wx::sim
