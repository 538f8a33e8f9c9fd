#pragma once

#include <windows.h>
#include <winhttp.h>

#include <utility>

namespace wx {

// Owns one WinHTTP handle (session, connection or request) and closes it
// once. Closing a request handle also ends whatever is pending on it.
class InternetHandle {
public:
    InternetHandle() = default;
    explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
    ~InternetHandle() { reset(); }
    InternetHandle(InternetHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    InternetHandle& operator=(InternetHandle&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;

    explicit operator bool() const { return handle_ != nullptr; }
    HINTERNET get() const { return handle_; }
    void reset() {
        if (handle_ != nullptr) {
            WinHttpCloseHandle(handle_);
            handle_ = nullptr;
        }
    }

private:
    HINTERNET handle_ = nullptr;
};

}  // namespace wx
