#pragma once

#include <memory>
#include <optional>
#include <string>

#include "weather/LogFn.h"

namespace wx {

struct HttpRequest {
    std::string url;        // full URL, UTF-8, query included
    int timeoutSec = 0;     // applies to each phase: resolve, connect, send, receive
    bool verifyTls = true;  // verify the server certificate on HTTPS
};

// One platform GET request. The result is present when a response was
// received and read to its end, whatever its HTTP status (an error page is a
// body like any other); absent on any failure. A transport logs only a URL it
// cannot split, as "WinHttpCrackUrl failed: " followed by the URL ("ERROR").
class HttpTransport {
public:
    virtual ~HttpTransport() = default;
    virtual std::optional<std::string> send(const HttpRequest& request, const LogFn& log) = 0;
};

// The process-wide transport new clients use. Until a program installs its
// platform's transport every request fails, as without a network.
std::shared_ptr<HttpTransport> defaultHttpTransport();
void setDefaultHttpTransport(std::shared_ptr<HttpTransport> transport);

}  // namespace wx
