#include "support/ScriptedTransport.h"

#include <utility>

namespace wx::test {

ScriptedTransport::ScriptedTransport(std::vector<std::optional<std::string>> answers)
    : answers_(answers.begin(), answers.end()) {}

void ScriptedTransport::answer(std::optional<std::string> body) {
    std::lock_guard lock(mutex_);
    answers_.push_back(std::move(body));
}

std::optional<std::string> ScriptedTransport::send(const HttpRequest& request, const LogFn&) {
    std::lock_guard lock(mutex_);
    requests_.push_back(request);
    if (answers_.empty()) {
        return std::nullopt;
    }
    auto body = std::move(answers_.front());
    answers_.pop_front();
    return body;
}

std::vector<HttpRequest> ScriptedTransport::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

std::vector<std::string> ScriptedTransport::urls() const {
    std::vector<std::string> urls;
    for (const HttpRequest& request : requests()) {
        urls.push_back(request.url);
    }
    return urls;
}

DefaultTransportScope::DefaultTransportScope(std::shared_ptr<HttpTransport> transport)
    : previous_(defaultHttpTransport()) {
    setDefaultHttpTransport(std::move(transport));
}

DefaultTransportScope::~DefaultTransportScope() { setDefaultHttpTransport(previous_); }

}  // namespace wx::test
