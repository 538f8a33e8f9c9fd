#pragma once

#include "sources/HttpTransport.h"

namespace wx {

// GET requests through libcurl, with the same steps as the Windows build's
// WinHTTP transport: user agent, the same two request headers, a time-out
// for name resolution and connection and for each stall while sending or
// receiving, certificate verification switched off on request, redirects
// followed, and any HTTP status read as a body.
class CurlTransport final : public HttpTransport {
public:
    CurlTransport();
    std::optional<std::string> send(const HttpRequest& request, const LogFn& log) override;
};

}  // namespace wx
