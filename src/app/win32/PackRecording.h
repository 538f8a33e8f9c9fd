#pragma once

#include <memory>
#include <optional>
#include <string>

#include "weather/WeatherClock.h"

namespace wx {

// The weather pack the environment variable NUBIRO_RECORD names: when it is
// set, every request the program makes from now on is kept in that folder.
struct PackRecordingStart {
    std::string dir;
    bool recording = false;  // false: the folder could not be made or written
};

// Nothing when NUBIRO_RECORD is unset or empty. The pack notes the weather
// time `engineClock` shows while one is flown.
std::optional<PackRecordingStart> recordFromEnvironment(std::shared_ptr<const WeatherClock> engineClock);

}  // namespace wx
