#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "sources/HttpTransport.h"
#include "weather/LogFn.h"

namespace wx {

// Query parameters; a std::map, so they are sent sorted by key.
using QueryParams = std::map<std::string, std::string>;

// GET requests with query parameters and a one-way certificate fallback: the
// first failed request switches verification off for the rest of the
// client's life (logged once), and is retried at once without it.
class HttpClient {
public:
    explicit HttpClient(LogFn log, std::shared_ptr<HttpTransport> transport = defaultHttpTransport());

    std::optional<std::string> get(const std::string& url, const QueryParams& params, int timeoutSec);
    // Writes the body of a successful GET to path, replacing the file; leaves
    // the file untouched when the request fails.
    bool downloadToFile(const std::string& url, const std::string& path, int timeoutSec);
    std::optional<std::string> sendRequest(const std::string& url, int timeoutSec, bool verify);

    bool verifyTls() const { return verifyTls_; }

private:
    LogFn log_;
    std::shared_ptr<HttpTransport> transport_;
    bool verifyTls_ = true;
    bool tlsWarningShown_ = false;
};

std::string urlEncode(const std::string& text);

}  // namespace wx
