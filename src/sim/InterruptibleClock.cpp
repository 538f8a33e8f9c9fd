#include "sim/InterruptibleClock.h"

#include <utility>

namespace wx {

InterruptibleClock::InterruptibleClock(std::shared_ptr<Clock> inner) : inner_(std::move(inner)) {}

Clock::TimePoint InterruptibleClock::now() const { return inner_ ? inner_->now() : std::chrono::steady_clock::now(); }

void InterruptibleClock::sleepFor(std::chrono::milliseconds duration) {
    if (interrupted()) {
        return;
    }
    if (inner_) {
        inner_->sleepFor(duration);
        return;
    }
    std::unique_lock lock(mutex_);
    wake_.wait_for(lock, duration, [this] { return interrupted(); });
}

void InterruptibleClock::interrupt() {
    {
        std::lock_guard lock(mutex_);
        interrupted_.store(true);
    }
    wake_.notify_all();
}

}  // namespace wx
