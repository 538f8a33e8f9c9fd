#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "weather/LogFn.h"

namespace wx::test {

struct LogLine {
    std::string level;
    std::string message;
    bool operator==(const LogLine&) const = default;
};

inline void PrintTo(const LogLine& line, std::ostream* os) { *os << "[" << line.level << "] " << line.message; }

// Keeps every line logged through fn(), in order.
class LogCapture {
public:
    LogFn fn() {
        return [this](const std::string& message, const std::string& level) { lines_.push_back({level, message}); };
    }
    const std::vector<LogLine>& lines() const { return lines_; }
    void clear() { lines_.clear(); }

private:
    std::vector<LogLine> lines_;
};

}  // namespace wx::test
