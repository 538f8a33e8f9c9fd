#pragma once

#include <optional>
#include <string>
#include <vector>

#include "briefing/Briefing.h"
#include "weather/UtcTime.h"

namespace wx {

// A TAF answer is asked for again after this long.
inline constexpr int kTafRefreshMinutes = 30;

// The terminal forecasts a cycle keeps for the plan's airports between its
// requests: one request when the airports changed or kTafRefreshMinutes
// have passed since the last answer (and every cycle until there is one).
// An answer replaces what was kept; a failed request keeps it.
class TafKeeper {
public:
    bool due(const std::vector<std::string>& stationIds, UtcMillis now) const;
    // What a request for these ids brought at `now`: nothing when the
    // service gave no readable answer.
    void received(const std::vector<std::string>& stationIds, std::optional<std::vector<Taf>> tafs, UtcMillis now);
    // The kept forecast of the station, if any.
    std::optional<Taf> find(const std::string& stationId) const;

private:
    std::vector<std::string> askedIds_;
    std::optional<UtcMillis> answeredAt_;
    std::vector<Taf> tafs_;
};

}  // namespace wx
