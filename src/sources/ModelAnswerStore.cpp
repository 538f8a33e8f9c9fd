#include "sources/ModelAnswerStore.h"

#include <algorithm>
#include <cstdio>

#include "sources/Forecast.h"

namespace wx {

std::string ModelAnswerStore::pointKey(double lat, double lon) {
    char text[96];
    std::snprintf(text, sizeof text, "%.4f,%.4f", lat, lon);
    return text;
}

std::optional<ModelAnswerStore::Kept> ModelAnswerStore::find(const std::string& point, TimePoint now) const {
    const auto it = answers_.find(point);
    if (it == answers_.end()) {
        return std::nullopt;
    }
    const std::optional<size_t> hour = hourIndex(it->second.answer, now);
    if (!hour) {
        return std::nullopt;
    }
    return Kept{&it->second.answer, *hour, now - it->second.came < kFreshFor};
}

void ModelAnswerStore::keep(const std::string& point, const nlohmann::json& answer, TimePoint now) {
    if (!hourIndex(answer, now)) {
        return;
    }
    answers_[point] = Entry{answer, now};
    while (answers_.size() > kMaxPoints) {
        answers_.erase(std::min_element(answers_.begin(), answers_.end(), [](const auto& a, const auto& b) {
            return a.second.came < b.second.came;
        }));
    }
}

void ModelAnswerStore::dropStale(TimePoint now, bool pastTheHour) {
    const auto today = std::chrono::floor<std::chrono::days>(now);
    std::erase_if(answers_, [&](const auto& entry) {
        const TimePoint came = entry.second.came;
        return std::chrono::floor<std::chrono::days>(came) != today || (!pastTheHour && now - came >= kFreshFor);
    });
}

}  // namespace wx
