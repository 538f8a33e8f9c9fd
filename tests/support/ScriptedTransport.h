#pragma once

#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "sources/HttpTransport.h"

namespace wx::test {

// An in-process HTTP transport: answers requests from a script, in order,
// and records every request it was given. Once the script is used up every
// request fails, as without a network.
class ScriptedTransport final : public HttpTransport {
public:
    ScriptedTransport() = default;
    // Each body is answered with status 200; nullopt is a failed request.
    explicit ScriptedTransport(std::vector<std::optional<std::string>> bodies);
    explicit ScriptedTransport(std::vector<HttpResult> results);

    // Queues the result of the next unanswered request.
    void answer(HttpResult result);
    HttpResult send(const HttpRequest& request, const LogFn& log) override;

    std::vector<HttpRequest> requests() const;
    std::vector<std::string> urls() const;

private:
    mutable std::mutex mutex_;
    std::deque<HttpResult> results_;
    std::vector<HttpRequest> requests_;
};

// The result a body stands for in a script: status 200, or a failed request.
HttpResult scripted(std::optional<std::string> body);

// Installs a transport as the one every new client uses for its lifetime
// and puts the previous kind back afterwards.
class DefaultTransportScope {
public:
    explicit DefaultTransportScope(std::shared_ptr<HttpTransport> transport);
    ~DefaultTransportScope();
    DefaultTransportScope(const DefaultTransportScope&) = delete;
    DefaultTransportScope& operator=(const DefaultTransportScope&) = delete;

private:
    HttpTransportFactory previous_;
};

}  // namespace wx::test
