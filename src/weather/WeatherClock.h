#pragma once

#include <chrono>
#include <mutex>
#include <optional>

#include "weather/UtcTime.h"

namespace wx {

// The engine's one UTC clock. Without a weather time it is the present
// clock (the time the services live in); with one, fixed at a start, it
// shows that time run on with the present clock from the moment it was
// fixed, so that a two-hour flight sees the weather of those two hours.
class WeatherClock {
public:
    explicit WeatherClock(UtcClock present) : present_(std::move(present)) {}

    // Fixes the weather time at the present clock's now; empty: now.
    void startAt(std::optional<UtcMillis> weatherTime);
    std::chrono::system_clock::time_point now() const;
    // True while a weather time is flown.
    bool flyingPast() const;
    // The present clock (an empty function: the computer's).
    const UtcClock& present() const { return present_; }

private:
    const UtcClock present_;
    mutable std::mutex mutex_;
    // The weather time less the present at the start; empty: now.
    std::optional<std::chrono::system_clock::duration> shift_;
};

}  // namespace wx
