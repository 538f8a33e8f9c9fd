#pragma once

#include <chrono>
#include <string>

namespace wx::test {

// One line a child process printed and when the test received it.
struct TimedLine {
    std::string text;
    std::chrono::steady_clock::time_point at;
};

}  // namespace wx::test
