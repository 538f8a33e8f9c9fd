#pragma once

#include <optional>
#include <string>

namespace wx {

// The weather pack the environment variable NUBIRO_RECORD names: when it is
// set, every request the program makes from now on is kept in that folder.
struct PackRecordingStart {
    std::string dir;
    bool recording = false;  // false: the folder could not be made or written
};

// Nothing when NUBIRO_RECORD is unset or empty.
std::optional<PackRecordingStart> recordFromEnvironment();

}  // namespace wx
