#pragma once

#include <memory>
#include <string>

#include "sources/HttpTransport.h"

namespace wx {

// GET requests through libcurl, with the same steps as the Windows build's
// WinHTTP transport: user agent, the same two request headers, one time-out
// for the whole request, certificate verification switched off on request,
// redirects followed, and the final status with the body. One easy handle
// in a multi handle serves all of the transport's requests, so connections
// are kept between them (and a kept connection that died is replaced by
// libcurl before any byte of the answer). The multi handle's wait is woken
// to end a cancelled request at once.
class CurlTransport final : public HttpTransport {
public:
    // caFile: a PEM file of the certificate authorities to trust instead of
    // the system's (tests against a stand-in); empty: the system's.
    explicit CurlTransport(std::string caFile = {});
    ~CurlTransport() override;
    CurlTransport(const CurlTransport&) = delete;
    CurlTransport& operator=(const CurlTransport&) = delete;

    HttpResult send(const HttpRequest& request, const LogFn& log) override;

private:
    struct Handles;
    std::string caFile_;
    std::unique_ptr<Handles> handles_;
};

}  // namespace wx
