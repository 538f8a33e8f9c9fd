#include "sources/HostPauses.h"

#include <utility>

namespace wx {

HostPauses::HostPauses(SteadyNow now) : now_(std::move(now)) {}

std::chrono::steady_clock::time_point HostPauses::now() const {
    return now_ ? now_() : std::chrono::steady_clock::now();
}

bool HostPauses::paused(const std::string& host) {
    std::lock_guard lock(mutex_);
    const auto it = until_.find(host);
    if (it == until_.end()) {
        return false;
    }
    if (now() < it->second) {
        return true;
    }
    until_.erase(it);
    return false;
}

void HostPauses::pause(const std::string& host, std::chrono::seconds length) {
    std::lock_guard lock(mutex_);
    until_[host] = now() + length;
}

void HostPauses::clear() {
    std::lock_guard lock(mutex_);
    until_.clear();
}

}  // namespace wx
