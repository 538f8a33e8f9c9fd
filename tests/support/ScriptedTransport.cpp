#include "support/ScriptedTransport.h"

#include <utility>

namespace wx::test {

HttpResult scripted(std::optional<std::string> body) {
    return body ? HttpResult::answer(200, std::move(*body)) : HttpResult::failure(HttpOutcome::Failed);
}

ScriptedTransport::ScriptedTransport(std::vector<std::optional<std::string>> bodies) {
    for (auto& body : bodies) {
        results_.push_back(scripted(std::move(body)));
    }
}

ScriptedTransport::ScriptedTransport(std::vector<HttpResult> results) : results_(results.begin(), results.end()) {}

void ScriptedTransport::answer(HttpResult result) {
    std::lock_guard lock(mutex_);
    results_.push_back(std::move(result));
}

HttpResult ScriptedTransport::send(const HttpRequest& request, const LogFn&) {
    std::lock_guard lock(mutex_);
    requests_.push_back(request);
    if (results_.empty()) {
        return HttpResult::failure(HttpOutcome::Failed);
    }
    HttpResult result = std::move(results_.front());
    results_.pop_front();
    return result;
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
    : previous_(defaultHttpTransportFactory()) {
    setDefaultHttpTransport(std::move(transport));
}

DefaultTransportScope::~DefaultTransportScope() { setDefaultHttpTransportFactory(previous_); }

}  // namespace wx::test
