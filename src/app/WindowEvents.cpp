#include "app/WindowEvents.h"

#include <utility>

namespace wx {

bool WindowEventQueue::push(WindowEvent event) {
    std::lock_guard lock(mutex_);
    events_.push_back(std::move(event));
    const bool wake = !wakePending_;
    wakePending_ = true;
    return wake;
}

void WindowEventQueue::wakeLost() {
    std::lock_guard lock(mutex_);
    wakePending_ = false;
}

std::vector<WindowEvent> WindowEventQueue::takeAll() {
    std::lock_guard lock(mutex_);
    wakePending_ = false;
    return std::exchange(events_, {});
}

}  // namespace wx
