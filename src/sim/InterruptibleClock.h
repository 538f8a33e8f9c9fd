#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "sim/Clock.h"

namespace wx {

// The clock of one engine run: it tells the time of the clock it wraps (real
// steady time when it wraps none) and can be interrupted from another thread.
// Once interrupted, a sleep ends at once (a sleep on real time wakes
// early) and `interrupted` tells the link's waits and retries to give up,
// so that a stop is served within moments wherever the worker stands.
class InterruptibleClock final : public Clock {
public:
    explicit InterruptibleClock(std::shared_ptr<Clock> inner = nullptr);

    TimePoint now() const override;
    void sleepFor(std::chrono::milliseconds duration) override;
    bool interrupted() const override { return interrupted_.load(); }

    // Any thread.
    void interrupt();
    // Before a new run.
    void reset() { interrupted_.store(false); }

private:
    std::shared_ptr<Clock> inner_;
    std::atomic<bool> interrupted_{false};
    std::mutex mutex_;
    std::condition_variable wake_;
};

}  // namespace wx
