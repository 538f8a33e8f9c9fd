#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "sources/WeatherSource.h"

namespace wx {

// The shortest and longest time a report may be kept through an outage.
inline constexpr int32_t kKeepReportsMinMinutes = 10;
inline constexpr int32_t kKeepReportsMaxMinutes = 180;

// The minutes the setting asks for: 0 (off) for 0 or less, else within 10
// to 180.
int32_t keepReportsMinutes(int32_t setting);

// Each station's last report received, so that a cycle whose METAR service
// does not answer can write it again while it is young enough.
class KeptReports {
public:
    // Remembers every report of an answer; reports too old to be kept ever
    // again are forgotten.
    void remember(const MetarMap& reports, std::chrono::system_clock::time_point now);
    // The last reports of these stations younger than `minutes` by their
    // day-hour-minute group at `now`.
    MetarMap youngerThan(const std::vector<std::string>& stationIds, int32_t minutes,
                         std::chrono::system_clock::time_point now) const;

private:
    std::map<std::string, std::string> last_;
};

}  // namespace wx
