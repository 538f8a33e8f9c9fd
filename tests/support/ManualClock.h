#pragma once

#include <chrono>

#include "sim/Clock.h"

namespace wx::test {

// A clock that moves only when someone sleeps on it, so that the link's
// pauses and time-outs cost no real time.
class ManualClock final : public Clock {
public:
    TimePoint now() const override { return now_; }
    void sleepFor(std::chrono::milliseconds duration) override { now_ += duration; }

    std::chrono::milliseconds elapsed() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(now_ - TimePoint{});
    }

private:
    TimePoint now_{};
};

}  // namespace wx::test
