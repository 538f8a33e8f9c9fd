#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/StationSelection.h"
#include "sim/Clock.h"
#include "weather/WeatherData.h"

namespace wx {

// One write's step of a station's record from what was last written for it
// toward the record newly made for it: QNH by at most 1 hPa; wind speed by
// at most 3 kt and direction by at most 10°, the shorter way round (at once
// when either speed is below 3 kt), at the surface and in each layer aloft
// matched by its index; visibility no less than half and no more than twice
// the last. Everything else is the new record's. The step equals the target
// once the target is reached.
WeatherData smoothStep(const WeatherData& last, const WeatherData& target);

// A station (or the point at the aircraft) on its way to new weather.
struct MovingStation {
    StationEntry station;
    WeatherData target;
};

// What smooth changes keep during one run of the engine: the record last
// written for each station and the stations that have not reached their
// target yet.
class SmoothChanges {
public:
    // Forgets everything: the next records are written as they come.
    void reset();
    // The next full cycle writes its records at once (a refresh, another
    // source, a new simulator).
    void writeAtOnce() { atOnce_ = true; }

    // The record to write now for a station whose new record is `target`:
    // a step from the last one written, or the target itself when this
    // cycle writes at once or nothing was written for the station yet.
    WeatherData next(const std::string& stationId, const WeatherData& target) const;
    WeatherData stepOn(const MovingStation& moving) const;
    // Keeps what was written, and the station among the moving ones while
    // it has not reached its target.
    void written(const StationEntry& station, const WeatherData& step, const WeatherData& target);

    // While stations move, their next steps come this often at most.
    static constexpr int32_t kStepPauseSec = 60;

    // A full cycle begins: stations move again only when written in it.
    void fullCycleBegins(Clock::TimePoint now);
    // Whether the next cycle only moves the stations on, without fetching:
    // some are still moving, and the interval is no longer than the steps'
    // pause or has not run out since the last fetch (a long way to go is
    // then continued toward newer weather).
    bool onlyMoving(Clock::TimePoint now, int32_t intervalSec) const;
    // The moving stations, taken out to be moved on one step.
    std::vector<MovingStation> takeMoving();
    size_t movingCount() const { return moving_.size(); }

private:
    std::map<std::string, WeatherData> written_;
    std::vector<MovingStation> moving_;
    std::optional<Clock::TimePoint> lastFetch_;
    bool atOnce_ = true;
    bool writingAtOnce_ = true;
};

}  // namespace wx
