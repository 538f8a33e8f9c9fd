#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <mutex>
#include <string>

namespace wx {

// Hosts that asked to be left alone, each until its deadline. The deadlines
// are counted on a steady clock, so that the computer's calendar clock
// being set neither lengthens nor cuts a pause. Shared by the clients of
// one owner (the engine's sources) and used from any thread.
class HostPauses {
public:
    using SteadyNow = std::function<std::chrono::steady_clock::time_point()>;

    // Empty: std::chrono::steady_clock.
    explicit HostPauses(SteadyNow now = {});

    // Whether requests to host wait still; a pause that is over is forgotten.
    bool paused(const std::string& host);
    void pause(const std::string& host, std::chrono::seconds length);
    // Forgets every pause (Stop and Start).
    void clear();

private:
    std::chrono::steady_clock::time_point now() const;

    SteadyNow now_;
    std::mutex mutex_;
    std::map<std::string, std::chrono::steady_clock::time_point> until_;
};

}  // namespace wx
