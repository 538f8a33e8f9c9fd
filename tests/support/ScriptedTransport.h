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
    explicit ScriptedTransport(std::vector<std::optional<std::string>> answers);

    // Queues the answer of the next unanswered request (nullopt = failure).
    void answer(std::optional<std::string> body);
    std::optional<std::string> send(const HttpRequest& request, const LogFn& log) override;

    std::vector<HttpRequest> requests() const;
    std::vector<std::string> urls() const;

private:
    mutable std::mutex mutex_;
    std::deque<std::optional<std::string>> answers_;
    std::vector<HttpRequest> requests_;
};

// Installs a transport as the process-wide default for its lifetime and puts
// the previous one back afterwards.
class DefaultTransportScope {
public:
    explicit DefaultTransportScope(std::shared_ptr<HttpTransport> transport);
    ~DefaultTransportScope();
    DefaultTransportScope(const DefaultTransportScope&) = delete;
    DefaultTransportScope& operator=(const DefaultTransportScope&) = delete;

private:
    std::shared_ptr<HttpTransport> previous_;
};

}  // namespace wx::test
