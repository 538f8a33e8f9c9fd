#include "app/ArrivalField.h"

#include <string>

#include "flight/PlanText.h"

namespace wx {
namespace {

using namespace std::chrono;

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

// "YYYY-MM-DD HH:MM" (or with a "T") read as the ISO time it stands for.
std::optional<UtcMillis> dateAndTime(std::string_view text) {
    if (text.size() != 16 || (text[10] != ' ' && text[10] != 'T')) {
        return std::nullopt;
    }
    std::string iso(text);
    iso[10] = 'T';
    return parseUtcTime(iso + "Z");
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
