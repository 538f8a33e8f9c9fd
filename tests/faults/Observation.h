#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "faults/FaultCases.h"
#include "support/TimedLine.h"

namespace wx::test {

// Whether a message matches a pattern in which one '*' stands for any text.
bool messageMatches(const std::string& pattern, const std::string& message);

// What nubiro-cli run printed, read as its events with their arrival times.
class Observation {
public:
    explicit Observation(const std::vector<TimedLine>& lines);

    bool logged(const LogPattern& pattern) const;
    size_t loggedCount(const std::string& messagePattern) const;
    // The "--- Cycle (" lines so far.
    size_t cycles() const { return cycleStarts_.size(); }
    // Stations written from the start of the given cycle (1 for the first)
    // to the start of the next one, or to the end.
    size_t stationsInCycle(size_t cycle) const;
    size_t stationsWritten() const { return stations_.size(); }
    // The station events' weather records, all or those of one cycle.
    const std::vector<nlohmann::json>& stationWeather() const { return stations_; }
    std::vector<nlohmann::json> stationWeatherInCycle(size_t cycle) const;
    // When "Engine stopped." arrived.
    std::optional<std::chrono::steady_clock::time_point> engineStopped() const { return engineStopped_; }
    // The longest time without any line from the first cycle on.
    std::chrono::steady_clock::duration longestSilence() const { return longestSilence_; }
    // The longest time from one "--- Cycle (" line to the next.
    std::chrono::steady_clock::duration longestCycle() const;

private:
    struct LogLine {
        std::string level;
        std::string message;
    };

    std::vector<LogLine> logs_;
    // Positions among the lines, since lines read together share a time.
    std::vector<size_t> cycleStarts_;
    std::vector<std::chrono::steady_clock::time_point> cycleStartTimes_;
    std::vector<size_t> stationPositions_;
    std::vector<nlohmann::json> stations_;
    std::optional<std::chrono::steady_clock::time_point> engineStopped_;
    std::chrono::steady_clock::duration longestSilence_{0};
};

}  // namespace wx::test
