#pragma once

#include <fstream>
#include <mutex>
#include <string>

namespace wx::sim {

struct LoggedRequest {
    std::string method;     // "GET", "HEAD"
    std::string scheme;     // "http" or "https"
    std::string target;     // path and query exactly as received
    std::string path;       // decoded path
    std::string userAgent;  // User-Agent header ("" when none)
    std::string accept;     // Accept header
    int clientPort = 0;     // the client's end of the connection: one value per connection
};

// One JSON object a line per request, with the time it came ("time", UTC
// to the millisecond), flushed at once so that a test can
// read it as soon as its request was answered. Without a file it keeps
// nothing.
class RequestLog {
public:
    explicit RequestLog(const std::string& path);
    bool ok() const { return !enabled_ || static_cast<bool>(file_); }
    void add(const LoggedRequest& request);

private:
    bool enabled_;
    std::mutex mutex_;
    std::ofstream file_;
};

}  // namespace wx::sim
