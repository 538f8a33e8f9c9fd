#include "sources/RequestSpacing.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <utility>

namespace wx {
namespace {

// What a cancel action and the waiting thread share.
struct Wake {
    std::mutex mutex;
    std::condition_variable signal;
    bool woken = false;
};

}  // namespace

RequestSpacing::RequestSpacing(std::chrono::milliseconds gap, SteadyNow now) : gap_(gap), now_(std::move(now)) {}

std::chrono::steady_clock::time_point RequestSpacing::now() const {
    return now_ ? now_() : std::chrono::steady_clock::now();
}

bool RequestSpacing::waitTurn(HttpCancel* cancel) {
    if (isCancelled(cancel)) {
        return false;
    }
    if (last_) {
        const auto due = *last_ + gap_;
        const auto wait = due - now();
        if (wait > std::chrono::steady_clock::duration::zero()) {
            const auto wake = std::make_shared<Wake>();
            std::optional<HttpCancel::Watch> watch;
            if (cancel != nullptr) {
                watch.emplace(cancel->watch([wake] {
                    std::lock_guard lock(wake->mutex);
                    wake->woken = true;
                    wake->signal.notify_all();
                }));
            }
            // A switch turned on before the watch was registered runs no
            // action; it is seen here instead.
            if (isCancelled(cancel)) {
                return false;
            }
            std::unique_lock lock(wake->mutex);
            wake->signal.wait_for(lock, wait, [&] { return wake->woken; });
        }
        if (isCancelled(cancel)) {
            return false;
        }
    }
    last_ = now();
    return true;
}

}  // namespace wx
