#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace wx {

// The wall-clock time a log line is stamped with.
struct LocalTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Longest line the log view takes, line break included, in bytes.
inline constexpr size_t kLogLineMaxBytes = 1023;

// One line of the log view: "[hh:mm:ss] [LEVEL] message" and CR LF. A line
// longer than kLogLineMaxBytes loses the end of its text, cut before a
// whole UTF-8 character, and keeps its line break, so that the next line
// still starts on a line of its own.
std::string formatLogLine(const LocalTime& time, const std::string& level, const std::string& message);

// The longest start of text that is at most maxBytes long and does not end
// inside a UTF-8 character.
std::string_view cutAtCharBoundary(std::string_view text, size_t maxBytes);

}  // namespace wx
