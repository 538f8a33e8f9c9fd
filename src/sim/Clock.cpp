#include "sim/Clock.h"

#include <thread>

namespace wx {
namespace {

class SteadyClock final : public Clock {
public:
    TimePoint now() const override { return std::chrono::steady_clock::now(); }
    void sleepFor(std::chrono::milliseconds duration) override { std::this_thread::sleep_for(duration); }
};

}  // namespace

std::shared_ptr<Clock> makeSteadyClock() { return std::make_shared<SteadyClock>(); }

}  // namespace wx
