#include "app/ArrivalField.h"

namespace wx {
namespace {

using namespace std::chrono;

std::string_view trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Exactly `count` digits at `at`; nothing when one is no digit.
std::optional<int> digitsAt(std::string_view text, size_t at, size_t count) {
    if (at + count > text.size()) {
        return std::nullopt;
    }
    int value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// "HH:MM" as the time since midnight.
std::optional<minutes> clockTime(std::string_view text) {
    const auto hour = digitsAt(text, 0, 2);
    const auto minute = digitsAt(text, 3, 2);
    if (text.size() != 5 || text[2] != ':' || !hour || !minute || *hour > 23 || *minute > 59) {
        return std::nullopt;
    }
    return hours{*hour} + minutes{*minute};
}

std::optional<UtcMillis> dateAndTime(std::string_view text) {
    const auto year = digitsAt(text, 0, 4);
    const auto month = digitsAt(text, 5, 2);
    const auto day = digitsAt(text, 8, 2);
    if (text.size() != 16 || !year || !month || !day || text[4] != '-' || text[7] != '-' ||
        (text[10] != ' ' && text[10] != 'T')) {
        return std::nullopt;
    }
    const year_month_day date{std::chrono::year{*year}, std::chrono::month{static_cast<unsigned>(*month)},
                              std::chrono::day{static_cast<unsigned>(*day)}};
    const auto time = clockTime(text.substr(11));
    if (!date.ok() || !time) {
        return std::nullopt;
    }
    return UtcMillis{sys_days{date}} + *time;
}

}  // namespace

ArrivalReading readArrivalField(std::string_view text, UtcMillis now) {
    text = trimmed(text);
    if (text.empty()) {
        return {};
    }
    if (text.back() == 'Z') {
        text.remove_suffix(1);
    }
    if (const auto time = clockTime(text)) {
        const UtcMillis thisMinute = floor<minutes>(now);
        UtcMillis at = UtcMillis{floor<days>(now)} + *time;
        if (at < thisMinute) {
            at += days{1};
        }
        return {true, at};
    }
    if (const auto at = dateAndTime(text)) {
        return {true, at};
    }
    return {false, std::nullopt};
}

}  // namespace wx
