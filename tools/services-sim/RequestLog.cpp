#include "RequestLog.h"

#include <chrono>

#include <nlohmann/json.hpp>

#include "weather/UtcTime.h"

namespace wx::sim {

RequestLog::RequestLog(const std::string& path) : enabled_(!path.empty()) {
    if (enabled_) {
        file_.open(path, std::ios::binary | std::ios::app);
    }
}

void RequestLog::add(const LoggedRequest& request) {
    if (!enabled_) {
        return;
    }
    const auto now = std::chrono::floor<std::chrono::milliseconds>(std::chrono::system_clock::now());
    const nlohmann::ordered_json line{{"time", formatUtcTime(now)},
                                      {"method", request.method},
                                      {"scheme", request.scheme},
                                      {"target", request.target},
                                      {"path", request.path},
                                      {"userAgent", request.userAgent},
                                      {"accept", request.accept},
                                      {"clientPort", request.clientPort}};
    std::lock_guard lock(mutex_);
    file_ << line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n' << std::flush;
}

}  // namespace wx::sim
