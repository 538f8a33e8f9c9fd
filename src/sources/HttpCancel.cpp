#include "sources/HttpCancel.h"

#include <utility>

namespace wx {

HttpCancel::Watch::~Watch() {
    if (owner_ != nullptr) {
        owner_->forget(id_);
    }
}

void HttpCancel::cancel() {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
    for (const auto& [id, action] : actions_) {
        action();
    }
}

void HttpCancel::reset() {
    std::lock_guard lock(mutex_);
    cancelled_ = false;
}

bool HttpCancel::cancelled() const {
    std::lock_guard lock(mutex_);
    return cancelled_;
}

HttpCancel::Watch HttpCancel::watch(std::function<void()> action) {
    std::lock_guard lock(mutex_);
    const uint64_t id = nextId_++;
    actions_.emplace(id, std::move(action));
    return Watch(this, id);
}

void HttpCancel::forget(uint64_t id) {
    std::lock_guard lock(mutex_);
    actions_.erase(id);
}

}  // namespace wx
