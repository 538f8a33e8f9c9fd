#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "sources/HttpCancel.h"
#include "weather/LogFn.h"

namespace wx {

struct HttpRequest {
    std::string url;              // full URL, UTF-8, query included
    int timeoutSec = 0;           // bounds the whole request: resolve, connect, TLS, send, headers, body
    bool verifyTls = true;        // verify the server certificate on HTTPS
    HttpCancel* cancel = nullptr; // ends the request from another thread; none: it runs to its end
};

// How a request ended.
enum class HttpOutcome {
    Answered,     // a response arrived and its body was read to its end
    Certificate,  // the server's certificate was not accepted
    TimedOut,     // the whole request took longer than its time-out
    Cancelled,    // its cancel switch was on
    Refused,      // no connection could be made to the host (refused, unreachable)
    Failed,       // anything else: name, TLS channel, a connection closed or cut
};

// The result of one request: the final status, the body and the answer's
// "Retry-After" header as sent (empty without one) when answered.
struct HttpResult {
    HttpOutcome outcome = HttpOutcome::Failed;
    int status = 0;
    std::string body;
    std::string retryAfter;

    static HttpResult answer(int status, std::string body, std::string retryAfter = {}) {
        return {HttpOutcome::Answered, status, std::move(body), std::move(retryAfter)};
    }
    static HttpResult failure(HttpOutcome outcome) { return {outcome, 0, {}, {}}; }
    bool answered() const { return outcome == HttpOutcome::Answered; }
    // An answer with a status from 200 to 299.
    bool succeeded() const { return answered() && status >= 200 && status <= 299; }
    bool operator==(const HttpResult&) const = default;
};

// One platform GET at a time. A transport belongs to one client and keeps
// its connections open between that client's requests. A transport logs
// only a URL it cannot split, as "WinHttpCrackUrl failed: " followed by the
// URL ("ERROR").
class HttpTransport {
public:
    virtual ~HttpTransport() = default;
    virtual HttpResult send(const HttpRequest& request, const LogFn& log) = 0;
};

// Makes the transport of a new client.
using HttpTransportFactory = std::function<std::shared_ptr<HttpTransport>()>;

// A new transport of the process-wide kind. Until a program installs its
// platform's kind every request fails, as without a network.
std::shared_ptr<HttpTransport> makeDefaultHttpTransport();
HttpTransportFactory defaultHttpTransportFactory();
void setDefaultHttpTransportFactory(HttpTransportFactory factory);
// Every new client shares this one transport (in-process test transports);
// null puts the offline one back.
void setDefaultHttpTransport(std::shared_ptr<HttpTransport> transport);

}  // namespace wx
