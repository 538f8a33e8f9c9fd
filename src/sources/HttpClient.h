#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "sources/HttpCancel.h"
#include "sources/HostPauses.h"
#include "sources/HttpTransport.h"
#include "weather/LogFn.h"
#include "weather/UtcTime.h"

namespace wx {

// Query parameters; a std::map, so they are sent sorted by key.
using QueryParams = std::map<std::string, std::string>;

// GET requests with query parameters through a transport of the client's
// own, which keeps its connections between requests. Only a body that came
// with a status from 200 to 299 is an answer; any other status is logged
// once as "HTTP " + status + " from " + host + path, unless it asks its
// host to wait (a 429, or a 503 with "Retry-After"): then no request goes
// to that host until the wait is over, logged once as host + " asks to
// wait " + seconds + " s (HTTP " + status + "): requests paused". The
// first request whose server certificate is refused switches verification
// off for the rest of the client's life (logged once) and is retried at
// once without it; any other failure leaves verification on.
class HttpClient {
public:
    // Clients of one owner share its cancel switch and its host pauses (a
    // client without them keeps its own pauses); an HTTP date in
    // "Retry-After" is read against `clock`.
    explicit HttpClient(LogFn log, std::shared_ptr<HttpTransport> transport = makeDefaultHttpTransport(),
                        std::shared_ptr<HttpCancel> cancel = nullptr, std::shared_ptr<HostPauses> pauses = nullptr,
                        UtcClock clock = {});

    // The body of a successful answer; absent on any failure, cancellation
    // included (which logs nothing), and at once without a request while
    // the URL's host is paused.
    std::optional<std::string> get(const std::string& url, const QueryParams& params, int timeoutSec);
    // Writes the body of a successful GET to path, replacing the file; leaves
    // the file untouched when the request fails.
    bool downloadToFile(const std::string& url, const std::string& path, int timeoutSec);
    // One request; fails at once as cancelled while the cancel switch is on.
    HttpResult sendRequest(const std::string& url, int timeoutSec, bool verify);

    bool verifyTls() const { return verifyTls_; }
    // The owner's requests are being ended (the switch is on, or the last
    // request ended cancelled): callers give up quietly.
    bool cancelled() const { return lastCancelled_ || isCancelled(cancel_.get()); }

private:
    LogFn log_;
    std::shared_ptr<HttpTransport> transport_;
    std::shared_ptr<HttpCancel> cancel_;
    std::shared_ptr<HostPauses> pauses_;
    UtcClock clock_;
    bool verifyTls_ = true;
    bool tlsWarningShown_ = false;
    bool lastCancelled_ = false;
};

std::string urlEncode(const std::string& text);

// The host (with its port, as the URL gives it) and the path of a URL,
// without scheme and query: "127.0.0.1:8080/api/data/metar".
std::string hostAndPath(const std::string& url);
// The host with its port, as the URL gives it: "127.0.0.1:8080".
std::string hostOf(const std::string& url);

}  // namespace wx
