#pragma once

#include <chrono>
#include <functional>
#include <optional>

#include "sources/HttpCancel.h"

namespace wx {

// Keeps requests to one host at least `gap` apart, as a service that asks
// for at most one request a second from an address wants. The wait before
// a request ends early when the cancel switch goes on. Used by one thread
// at a time; the switch may be turned from any thread.
class RequestSpacing {
public:
    using SteadyNow = std::function<std::chrono::steady_clock::time_point()>;

    // Empty `now`: std::chrono::steady_clock.
    explicit RequestSpacing(std::chrono::milliseconds gap, SteadyNow now = {});

    // Waits until `gap` has passed since the last turn and takes the next
    // one; false, without a turn, when the switch is or goes on first.
    bool waitTurn(HttpCancel* cancel);

private:
    std::chrono::steady_clock::time_point now() const;

    std::chrono::milliseconds gap_;
    SteadyNow now_;
    std::optional<std::chrono::steady_clock::time_point> last_;
};

}  // namespace wx
