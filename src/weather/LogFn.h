#pragma once

#include <functional>
#include <string>

namespace wx {

// The log callback every component holds a copy of: message first, level
// word second ("INFO", "OK", "WARN", "ERROR", "METAR"). An empty function
// means that nothing is logged.
using LogFn = std::function<void(const std::string& message, const std::string& level)>;

inline void logLine(const LogFn& log, const std::string& message, const std::string& level) {
    if (log) {
        log(message, level);
    }
}

}  // namespace wx
