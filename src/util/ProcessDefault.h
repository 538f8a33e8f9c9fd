#pragma once

#include <mutex>
#include <utility>

namespace wx {

// A process-wide default that any thread may read or replace. Setting an
// empty value (a null pointer, an empty function) puts the fallback back, so
// readers always get a usable one.
template <typename T>
class ProcessDefault {
public:
    using Fallback = T (*)();

    explicit ProcessDefault(Fallback fallback) : fallback_(fallback), value_(fallback()) {}

    T get() const {
        std::lock_guard lock(mutex_);
        return value_;
    }

    void set(T value) {
        std::lock_guard lock(mutex_);
        value_ = value ? std::move(value) : fallback_();
    }

private:
    const Fallback fallback_;
    mutable std::mutex mutex_;
    T value_;
};

}  // namespace wx
