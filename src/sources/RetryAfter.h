#pragma once

#include <chrono>
#include <optional>
#include <string_view>

namespace wx {

// A 429 without "Retry-After" pauses its host this long; no pause a service
// asks for lasts longer than an hour.
inline constexpr std::chrono::seconds kTooManyRequestsPause{60};
inline constexpr std::chrono::seconds kLongestPause{3600};

// The wait a "Retry-After" value asks for at `now`: whole seconds
// (digits only), or an HTTP date in any of its three forms ("Sun, 06 Nov
// 1994 08:49:37 GMT", "Sunday, 06-Nov-94 08:49:37 GMT", "Sun Nov  6
// 08:49:37 1994"), a date already past giving 0. Spaces around the value
// are ignored; anything else gives nothing.
std::optional<std::chrono::seconds> retryAfterDelay(std::string_view value, std::chrono::system_clock::time_point now);

// How long an answer asks its host to be left alone: a 429 or 503 with a
// usable "Retry-After" for that wait, at most kLongestPause; a 429 without
// one (or with one that cannot be read) for kTooManyRequestsPause. Nothing
// for any other answer, or for a wait of 0.
std::optional<std::chrono::seconds> pauseAskedFor(int status, std::string_view retryAfter,
                                                  std::chrono::system_clock::time_point now);

}  // namespace wx
