#pragma once

#include <chrono>
#include <memory>

namespace wx {

// The steady clock and the sleeps of the simulator link. The link paces its
// requests (version handshake, send retries, NWI commands, clock setting)
// and waits for acknowledgements on it; tests give it a clock of their own so
// that those pauses cost no real time.
class Clock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    virtual ~Clock() = default;
    virtual TimePoint now() const = 0;
    virtual void sleepFor(std::chrono::milliseconds duration) = 0;
    // Whether whoever runs on this clock has been told to stop: waits for
    // an answer and retries give up at once then.
    virtual bool interrupted() const { return false; }
};

// std::chrono::steady_clock and std::this_thread::sleep_for.
std::shared_ptr<Clock> makeSteadyClock();

}  // namespace wx
