#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "weather/LogFn.h"

namespace wx::test {

// Collects log lines as "[LEVEL] message".
class LogRecorder {
public:
    LogFn fn() {
        return [this](const std::string& message, const std::string& level) {
            std::lock_guard lock(mutex_);
            lines_.push_back("[" + level + "] " + message);
        };
    }
    std::vector<std::string> lines() const {
        std::lock_guard lock(mutex_);
        return lines_;
    }
    void clear() {
        std::lock_guard lock(mutex_);
        lines_.clear();
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
};

}  // namespace wx::test
