#include "sources/RetryAfter.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace wx {
namespace {

using namespace std::chrono;

constexpr std::array<std::string_view, 12> kMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
// Two-digit years of the old date form up to this one are of this century.
constexpr int kTwoDigitYearPivot = 69;

std::string_view trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Digits only; a value past `limit` reads as limit.
std::optional<int64_t> digitsValue(std::string_view text, int64_t limit) {
    if (text.empty()) {
        return std::nullopt;
    }
    int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = std::min(limit, value * 10 + (c - '0'));
    }
    return value;
}

// The date's words, split at spaces, commas and dashes.
std::vector<std::string_view> dateWords(std::string_view text) {
    std::vector<std::string_view> words;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == ' ' || text[i] == ',' || text[i] == '-') {
            if (i > start) {
                words.push_back(text.substr(start, i - start));
            }
            start = i + 1;
        }
    }
    return words;
}

std::optional<unsigned> monthNamed(std::string_view name) {
    const auto it = std::find(kMonthNames.begin(), kMonthNames.end(), name);
    if (it == kMonthNames.end()) {
        return std::nullopt;
    }
    return static_cast<unsigned>(it - kMonthNames.begin() + 1);
}

// "08:49:37" as the time of day.
std::optional<seconds> timeOfDay(std::string_view text) {
    if (text.size() != 8 || text[2] != ':' || text[5] != ':') {
        return std::nullopt;
    }
    const auto h = digitsValue(text.substr(0, 2), 99);
    const auto m = digitsValue(text.substr(3, 2), 99);
    const auto s = digitsValue(text.substr(6, 2), 99);
    if (!h || !m || !s || *h > 23 || *m > 59 || *s > 60) {
        return std::nullopt;
    }
    return hours{*h} + minutes{*m} + seconds{*s};
}

std::optional<system_clock::time_point> httpDate(std::string_view text) {
    const std::vector<std::string_view> words = dateWords(text);
    std::string_view dayWord;
    std::string_view monthWord;
    std::string_view yearWord;
    std::string_view timeWord;
    if (words.size() == 6 && words[5] == "GMT") {
        dayWord = words[1];
        monthWord = words[2];
        yearWord = words[3];
        timeWord = words[4];
    } else if (words.size() == 5) {
        monthWord = words[1];
        dayWord = words[2];
        timeWord = words[3];
        yearWord = words[4];
    } else {
        return std::nullopt;
    }
    const auto dayNumber = dayWord.size() <= 2 ? digitsValue(dayWord, 99) : std::nullopt;
    const auto month = monthNamed(monthWord);
    auto year = yearWord.size() == 2 || yearWord.size() == 4 ? digitsValue(yearWord, 9999) : std::nullopt;
    const auto time = timeOfDay(timeWord);
    if (!dayNumber || !month || !year || !time) {
        return std::nullopt;
    }
    if (yearWord.size() == 2) {
        *year += *year <= kTwoDigitYearPivot ? 2000 : 1900;
    }
    const year_month_day date{std::chrono::year{static_cast<int>(*year)}, std::chrono::month{*month},
                              std::chrono::day{static_cast<unsigned>(*dayNumber)}};
    if (!date.ok()) {
        return std::nullopt;
    }
    return time_point_cast<system_clock::duration>(sys_days{date} + *time);
}

}  // namespace

std::optional<seconds> retryAfterDelay(std::string_view value, system_clock::time_point now) {
    const std::string_view text = trimmed(value);
    if (const auto delay = digitsValue(text, kLongestPause.count() * 1000)) {
        return seconds{*delay};
    }
    const auto date = httpDate(text);
    if (!date) {
        return std::nullopt;
    }
    return std::max(seconds{0}, ceil<seconds>(*date - now));
}

std::optional<seconds> pauseAskedFor(int status, std::string_view retryAfter, system_clock::time_point now) {
    if (status != 429 && status != 503) {
        return std::nullopt;
    }
    std::optional<seconds> delay = retryAfterDelay(retryAfter, now);
    if (!delay && status == 429) {
        delay = kTooManyRequestsPause;
    }
    if (!delay || *delay <= seconds{0}) {
        return std::nullopt;
    }
    return std::min(*delay, kLongestPause);
}

}  // namespace wx
