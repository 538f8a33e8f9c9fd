#include "sources/ReportOrder.h"

#include <cctype>
#include <optional>
#include <sstream>

namespace wx {
namespace {

constexpr int kMinutesPerDay = 24 * 60;
constexpr int kHalfMonthMinutes = 15 * kMinutesPerDay;

int digits(const std::string& word, size_t at) { return (word[at] - '0') * 10 + (word[at + 1] - '0'); }

// Minutes since the start of the month of the first "ddhhmmZ" word.
std::optional<int> minuteOfMonth(const std::string& report) {
    std::istringstream words(report);
    std::string word;
    while (words >> word) {
        if (word.size() != 7 || word[6] != 'Z') {
            continue;
        }
        bool numeric = true;
        for (size_t i = 0; i < 6; ++i) {
            numeric = numeric && std::isdigit(static_cast<unsigned char>(word[i])) != 0;
        }
        if (!numeric) {
            continue;
        }
        const int day = digits(word, 0);
        const int hour = digits(word, 2);
        const int minute = digits(word, 4);
        if (day < 1 || day > 31 || hour > 23 || minute > 59) {
            continue;
        }
        return day * kMinutesPerDay + hour * 60 + minute;
    }
    return std::nullopt;
}

}  // namespace

bool isOlderReport(const std::string& candidate, const std::string& current) {
    const auto candidateMinute = minuteOfMonth(candidate);
    const auto currentMinute = minuteOfMonth(current);
    if (!candidateMinute || !currentMinute) {
        return false;
    }
    const int delta = *candidateMinute - *currentMinute;
    if (delta > kHalfMonthMinutes) {
        return true;
    }
    if (delta < -kHalfMonthMinutes) {
        return false;
    }
    return delta < 0;
}

void putReport(MetarMap& map, const std::string& id, const std::string& text) {
    const auto it = map.find(id);
    if (it != map.end() && isOlderReport(text, it->second)) {
        return;
    }
    map[id] = text;
}

}  // namespace wx
