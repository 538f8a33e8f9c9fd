#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace wx {

// How old a report is, in whole minutes, at `now` (UTC): its "ddhhmmZ"
// group names the latest such moment not after now plus one minute, in this
// month or one before it, so that a report from the 31st read on the 1st is
// a day old. A report up to a minute ahead of the clock is 0 minutes old.
// Empty without a usable group.
std::optional<int32_t> reportAgeMinutes(const std::string& raw, std::chrono::system_clock::time_point now);

// Reports older than this are stale.
inline constexpr int32_t kStaleReportMinutes = 90;

}  // namespace wx
