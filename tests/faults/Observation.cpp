#include "faults/Observation.h"

#include <algorithm>

namespace wx::test {

bool messageMatches(const std::string& pattern, const std::string& message) {
    const size_t star = pattern.find('*');
    if (star == std::string::npos) {
        return pattern == message;
    }
    const std::string head = pattern.substr(0, star);
    const std::string tail = pattern.substr(star + 1);
    return message.size() >= head.size() + tail.size() && message.compare(0, head.size(), head) == 0 &&
           message.compare(message.size() - tail.size(), tail.size(), tail) == 0;
}

Observation::Observation(const std::vector<TimedLine>& lines) {
    std::optional<std::chrono::steady_clock::time_point> previous;
    for (size_t position = 0; position < lines.size(); ++position) {
        const TimedLine& line = lines[position];
        const auto value = nlohmann::json::parse(line.text, nullptr, false);
        if (!value.is_object()) {
            continue;
        }
        const std::string event = value.value("event", "");
        if (event == "log") {
            const std::string message = value.value("message", "");
            logs_.push_back({value.value("level", ""), message});
            if (message.rfind("--- Cycle (", 0) == 0) {
                cycleStarts_.push_back(position);
                cycleStartTimes_.push_back(line.at);
            } else if (message == "Engine stopped.") {
                engineStopped_ = line.at;
            }
        } else if (event == "station") {
            stationPositions_.push_back(position);
            stations_.push_back(value.value("weather", nlohmann::json::object()));
        }
        if (!cycleStarts_.empty()) {
            if (previous) {
                longestSilence_ = std::max(longestSilence_, line.at - *previous);
            }
            previous = line.at;
        }
    }
}

bool Observation::logged(const LogPattern& pattern) const {
    return std::any_of(logs_.begin(), logs_.end(), [&pattern](const LogLine& line) {
        return line.level == pattern.level && messageMatches(pattern.message, line.message);
    });
}

size_t Observation::loggedCount(const std::string& messagePattern) const {
    return static_cast<size_t>(std::count_if(logs_.begin(), logs_.end(), [&messagePattern](const LogLine& line) {
        return messageMatches(messagePattern, line.message);
    }));
}

std::chrono::steady_clock::duration Observation::longestCycle() const {
    std::chrono::steady_clock::duration longest{0};
    for (size_t i = 1; i < cycleStartTimes_.size(); ++i) {
        longest = std::max(longest, cycleStartTimes_[i] - cycleStartTimes_[i - 1]);
    }
    return longest;
}

std::vector<nlohmann::json> Observation::stationWeatherInCycle(size_t cycle) const {
    std::vector<nlohmann::json> records;
    if (cycle == 0 || cycle > cycleStarts_.size()) {
        return records;
    }
    const size_t from = cycleStarts_[cycle - 1];
    const bool last = cycle == cycleStarts_.size();
    for (size_t i = 0; i < stationPositions_.size(); ++i) {
        if (stationPositions_[i] > from && (last || stationPositions_[i] < cycleStarts_[cycle])) {
            records.push_back(stations_[i]);
        }
    }
    return records;
}

size_t Observation::stationsInCycle(size_t cycle) const { return stationWeatherInCycle(cycle).size(); }

}  // namespace wx::test
