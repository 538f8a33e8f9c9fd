#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>

#include "platform/win32/IpcHandles.h"
#include "platform/win32/WinHttpHandles.h"
#include "sources/HttpTransport.h"

namespace wx {

// GETs through WinHTTP in asynchronous mode, so that a request ends at its
// deadline or on cancellation whatever the server does (a blocked
// synchronous call is not ended by closing its handle under Wine). One
// session for the transport's life with keep-alive on and a connection
// handle kept per host, so requests share connections; a request that fails
// on a kept connection before any byte of the answer is sent once more.
// The program's two request headers, TLS for https (certificate checks
// switched off when verification is not wanted), the final status with the
// body read to its end. A failed TLS handshake is reported as a certificate
// failure only when the server's certificate is what was refused.
class WinHttpTransport final : public HttpTransport {
public:
    WinHttpTransport();
    ~WinHttpTransport() override;
    WinHttpTransport(const WinHttpTransport&) = delete;
    WinHttpTransport& operator=(const WinHttpTransport&) = delete;

    HttpResult send(const HttpRequest& request, const LogFn& log) override;

private:
    using HostPort = std::pair<std::wstring, INTERNET_PORT>;

    HINTERNET connectionTo(const HostPort& host);

    InternetHandle session_;
    std::map<HostPort, InternetHandle> connections_;
    // Hosts whose TLS handshake failed even with the certificate checks off:
    // a later failed handshake there is not tried again to find out why.
    std::set<HostPort> brokenChannels_;
    KernelHandle cancelled_;  // signalled while the request in flight is cancelled
};

}  // namespace wx
