#pragma once

#include "sources/HttpTransport.h"

namespace wx {

// One GET through WinHTTP: a root handle of its own per request, time-outs
// for all four phases, TLS for https (with the certificate checks switched
// off when verification is not wanted), the program's two request headers,
// and the body read to its end whatever the HTTP status. Every handle is
// closed on every path.
class WinHttpTransport final : public HttpTransport {
public:
    std::optional<std::string> send(const HttpRequest& request, const LogFn& log) override;
};

}  // namespace wx
