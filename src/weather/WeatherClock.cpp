#include "weather/WeatherClock.h"

namespace wx {

void WeatherClock::startAt(std::optional<UtcMillis> weatherTime) {
    std::optional<std::chrono::system_clock::duration> shift;
    if (weatherTime) {
        shift = *weatherTime - utcNow(present_);
    }
    std::lock_guard lock(mutex_);
    shift_ = shift;
}

std::chrono::system_clock::time_point WeatherClock::now() const {
    const auto present = utcNow(present_);
    std::lock_guard lock(mutex_);
    return shift_ ? present + *shift_ : present;
}

bool WeatherClock::flyingPast() const {
    std::lock_guard lock(mutex_);
    return shift_.has_value();
}

}  // namespace wx
