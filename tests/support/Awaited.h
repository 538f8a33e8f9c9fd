#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <utility>

namespace wx::test {

// The one line a test prints when what it waited for did not come:
// "waited 120 s for 2 \"text\" events from fsuipc-sim, saw 1".
inline std::string waitedFor(std::chrono::milliseconds timeout, const std::string& what, const std::string& seen) {
    const auto count = timeout.count();
    const std::string took = count % 1000 == 0 ? std::to_string(count / 1000) + " s" : std::to_string(count) + " ms";
    return "waited " + took + " for " + what + ", saw " + seen;
}

// A wait that tells only whether it came, for EXPECT_TRUE and ASSERT_TRUE.
inline testing::AssertionResult cameWithin(bool came, std::chrono::milliseconds timeout, const std::string& what,
                                           const std::string& seen) {
    return came ? testing::AssertionSuccess() : testing::AssertionFailure() << waitedFor(timeout, what, seen);
}

// What a wait with a deadline brought: the value, or the line saying what
// was waited for and what came instead. EXPECT_TRUE(awaited) and
// ASSERT_TRUE(awaited) print that line when it failed.
template <typename T>
class Awaited {
public:
    Awaited(T value) : value_(std::move(value)) {}
    static Awaited missed(std::string why) { return Awaited(std::nullopt, std::move(why)); }

    bool has_value() const { return value_.has_value(); }
    explicit operator bool() const { return has_value(); }
    const T& operator*() const { return *value_; }
    const T* operator->() const { return &*value_; }
    const std::string& failure() const { return failure_; }

    operator testing::AssertionResult() const {
        return has_value() ? testing::AssertionSuccess() : testing::AssertionFailure() << failure_;
    }

private:
    Awaited(std::optional<T> value, std::string failure) : value_(std::move(value)), failure_(std::move(failure)) {}

    std::optional<T> value_;
    std::string failure_;
};

}  // namespace wx::test
