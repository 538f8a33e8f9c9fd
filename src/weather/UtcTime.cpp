#include "weather/UtcTime.h"

#include <cstdio>

namespace wx {
namespace {

using namespace std::chrono;

// Reads exactly `count` digits at `at` into value; false when one is no digit.
bool digitsAt(std::string_view text, size_t at, size_t count, int& value) {
    if (at + count > text.size()) {
        return false;
    }
    value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

bool charAt(std::string_view text, size_t at, char c) { return at < text.size() && text[at] == c; }

}  // namespace

std::optional<UtcMillis> parseUtcTime(std::string_view text) {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (!digitsAt(text, 0, 4, year) || !charAt(text, 4, '-') || !digitsAt(text, 5, 2, month) ||
        !charAt(text, 7, '-') || !digitsAt(text, 8, 2, day) || !charAt(text, 10, 'T') ||
        !digitsAt(text, 11, 2, hour) || !charAt(text, 13, ':') || !digitsAt(text, 14, 2, minute)) {
        return std::nullopt;
    }
    size_t at = 16;
    int millis = 0;
    if (charAt(text, at, ':')) {
        if (!digitsAt(text, at + 1, 2, second)) {
            return std::nullopt;
        }
        at += 3;
        if (charAt(text, at, '.')) {
            const size_t first = ++at;
            int scale = 100;
            for (int digit = 0; digitsAt(text, at, 1, digit); ++at, scale /= 10) {
                millis += digit * scale;
            }
            if (at == first) {
                return std::nullopt;
            }
        }
    }
    const std::string_view zone = text.substr(at);
    if (zone != "Z" && zone != "+00:00") {
        return std::nullopt;
    }
    const year_month_day date{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                              std::chrono::day{static_cast<unsigned>(day)}};
    if (!date.ok() || hour > 23 || minute > 59 || second > 59) {
        return std::nullopt;
    }
    return UtcMillis{sys_days{date}} + hours{hour} + minutes{minute} + seconds{second} + milliseconds{millis};
}

std::string formatUtcTime(UtcMillis time) {
    const auto day = floor<days>(time);
    const year_month_day date{day};
    const hh_mm_ss<milliseconds> clock{time - day};
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d.%03dZ", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
                  static_cast<int>(clock.seconds().count()), static_cast<int>(clock.subseconds().count()));
    return text;
}

system_clock::time_point utcNow(const UtcClock& clock) { return clock ? clock() : system_clock::now(); }

UtcClock clockStartingAt(system_clock::time_point start) {
    return [start, began = steady_clock::now()] {
        return start + duration_cast<system_clock::duration>(steady_clock::now() - began);
    };
}

}  // namespace wx
