#include "SlowAnswers.h"

#include <algorithm>
#include <memory>
#include <string>
#include <thread>

#include "ConnectionDrop.h"

namespace wx::sim {
namespace {

constexpr std::chrono::milliseconds kStep{50};
constexpr std::chrono::minutes kLongestHold{10};

// Sleeps for length in short steps; false when the stand-in began to stop.
bool pause(std::chrono::milliseconds length, const std::atomic<bool>& stopping) {
    for (auto slept = std::chrono::milliseconds(0); slept < length; slept += kStep) {
        if (stopping) {
            return false;
        }
        std::this_thread::sleep_for(std::min(kStep, length - slept));
    }
    return !stopping;
}

}  // namespace

void holdUntilClientLeaves(const httplib::Request& req, const std::atomic<bool>& stopping) {
    const auto until = std::chrono::steady_clock::now() + kLongestHold;
    while (std::chrono::steady_clock::now() < until && pause(4 * kStep, stopping) &&
           !clientLeft(req.local_port, req.remote_port)) {
    }
}

void trickleBody(httplib::Response& res, std::chrono::milliseconds interval, const std::atomic<bool>& stopping) {
    auto body = std::make_shared<std::string>(std::move(res.body));
    res.body.clear();
    const std::string type = res.get_header_value("Content-Type");
    res.headers.erase("Content-Type");
    res.set_content_provider(body->size(), type,
                             [body, interval, &stopping](size_t offset, size_t, httplib::DataSink& sink) {
                                 return pause(interval, stopping) && sink.write(body->data() + offset, 1);
                             });
}

}  // namespace wx::sim
