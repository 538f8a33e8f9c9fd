#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace wx {

// A moment in UTC to the millisecond; its range reaches far beyond the
// years any text below can name.
using UtcMillis = std::chrono::sys_time<std::chrono::milliseconds>;

// "2026-10-02T15:00:00Z": the date, "T", hours and minutes, optionally
// seconds and then optionally a fraction after a dot (digits beyond the
// millisecond are dropped), ending in "Z" or "+00:00". Nothing for any
// other text, an impossible date or time included.
std::optional<UtcMillis> parseUtcTime(std::string_view text);

// "2026-10-02T15:00:00.123Z", always with the milliseconds.
std::string formatUtcTime(UtcMillis time);

// Where the engine and its sources take the calendar time from; empty:
// the computer's clock.
using UtcClock = std::function<std::chrono::system_clock::time_point()>;

std::chrono::system_clock::time_point utcNow(const UtcClock& clock);

// A clock that shows `start` now and runs on from it as the computer's
// steady clock does.
UtcClock clockStartingAt(std::chrono::system_clock::time_point start);

}  // namespace wx
