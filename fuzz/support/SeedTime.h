#pragma once

#include <chrono>

namespace wx::fuzz {

// The moment the seeds are made for: the stand-in's report times and
// forecast days count from it, and the forecast target looks the current
// hour up at it, so that the seeds' series hold that hour.
inline std::chrono::system_clock::time_point seedTime() {
    using namespace std::chrono;
    return sys_days{year{2024} / March / 7} + hours{1};
}

}  // namespace wx::fuzz
