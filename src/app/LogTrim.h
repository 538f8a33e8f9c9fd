#pragma once

#include <cstddef>
#include <string_view>

namespace wx {

// The log view's bound. A multi-line edit control takes about 32,000
// characters unless told otherwise and then silently refuses every new
// line; the view's limit is raised well above kLogViewMaxChars, and once
// the text passes that bound the oldest whole lines are dropped until at
// most kLogViewKeepChars remain, so the newest lines always show.
inline constexpr size_t kLogViewMaxChars = 1'000'000;
inline constexpr size_t kLogViewKeepChars = 750'000;
inline constexpr size_t kLogViewLimitChars = 2 * kLogViewMaxChars;

// How many characters to drop from the start of the log text: 0 while it
// is within maxChars, otherwise enough whole lines (each ended by a line
// feed) that at most keepChars remain.
size_t oldLinesToDrop(std::wstring_view text, size_t maxChars, size_t keepChars);

}  // namespace wx
