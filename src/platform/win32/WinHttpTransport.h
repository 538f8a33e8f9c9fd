#pragma once

#include <map>
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
    HINTERNET connectionTo(const std::wstring& host, INTERNET_PORT port);

    InternetHandle session_;
    std::map<std::pair<std::wstring, INTERNET_PORT>, InternetHandle> connections_;
    KernelHandle cancelled_;  // signalled while the request in flight is cancelled
};

}  // namespace wx
