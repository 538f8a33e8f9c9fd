#pragma once

#include <ostream>

#include "weather/LogFn.h"

namespace wx::cli {

// A source's log lines on the given stream, as "[LEVEL] message".
inline LogFn streamLog(std::ostream& out) {
    return [&out](const std::string& message, const std::string& level) {
        out << "[" << level << "] " << message << '\n' << std::flush;
    };
}

}  // namespace wx::cli
