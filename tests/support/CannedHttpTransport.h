#pragma once

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "sources/HttpTransport.h"

namespace wx::test {

// Answers each request with the next canned reply (a body, or nothing for a
// failed request) and keeps every request it was sent. Once the replies run
// out, every request fails.
class CannedHttpTransport final : public HttpTransport {
public:
    explicit CannedHttpTransport(std::vector<std::optional<std::string>> replies)
        : replies_(replies.begin(), replies.end()) {}

    std::optional<std::string> send(const HttpRequest& request, const LogFn&) override {
        requests_.push_back(request);
        if (replies_.empty()) {
            return std::nullopt;
        }
        auto reply = std::move(replies_.front());
        replies_.pop_front();
        return reply;
    }

    const std::vector<HttpRequest>& requests() const { return requests_; }

private:
    std::deque<std::optional<std::string>> replies_;
    std::vector<HttpRequest> requests_;
};

}  // namespace wx::test
