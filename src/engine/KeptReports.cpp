#include "engine/KeptReports.h"

#include <algorithm>

#include "weather/MetarAge.h"

namespace wx {

int32_t keepReportsMinutes(int32_t setting) {
    return setting <= 0 ? 0 : std::clamp(setting, kKeepReportsMinMinutes, kKeepReportsMaxMinutes);
}

void KeptReports::remember(const MetarMap& reports, std::chrono::system_clock::time_point now) {
    for (const auto& [id, raw] : reports) {
        if (!raw.empty()) {
            last_[id] = raw;
        }
    }
    std::erase_if(last_, [now](const auto& entry) {
        const auto age = reportAgeMinutes(entry.second, now);
        return !age || *age >= kKeepReportsMaxMinutes;
    });
}

MetarMap KeptReports::youngerThan(const std::vector<std::string>& stationIds, int32_t minutes,
                                  std::chrono::system_clock::time_point now) const {
    MetarMap kept;
    for (const std::string& id : stationIds) {
        const auto it = last_.find(id);
        if (it == last_.end()) {
            continue;
        }
        const auto age = reportAgeMinutes(it->second, now);
        if (age && *age < minutes) {
            kept.emplace(id, it->second);
        }
    }
    return kept;
}

}  // namespace wx
