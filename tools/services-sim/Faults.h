#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

namespace wx::sim {

// What the stand-in does instead of (or before) answering a path.
struct Fault {
    enum class Kind { Delay, Status, Empty, InvalidJson, Drop, Hang, Trickle, QnhRise };
    Kind kind = Kind::Empty;
    // Delay: milliseconds; Status: the HTTP status; Drop: body bytes sent
    // before the connection is cut (absent = cut before any answer);
    // Trickle: milliseconds between the body's bytes; QnhRise: hectopascals.
    std::optional<int> arg;
    // Status: the "Retry-After" header sent with it (none when empty).
    std::string retryAfter;

    bool operator==(const Fault&) const = default;
};

// "delay:MS", "status:CODE", "retry-after:CODE:VALUE" (that status with
// the header "Retry-After: VALUE", any text), "empty", "invalid-json",
// "drop", "drop:BYTES",
// "hang" (the request is read and never answered) or "trickle:MS" (the
// answer's headers at once, then its body one byte every MS ms) or
// "qnh-rise:HPA" (the first answer as it is, every later one with its
// reports' QNH groups raised by HPA).
std::optional<Fault> parseFault(const std::string& kind);

// "PATH=KIND[:ARG]", as given on the command line.
std::optional<std::pair<std::string, Fault>> parseFaultOption(const std::string& option);

// Faults by request path, shared by the serving threads.
class FaultTable {
public:
    void set(const std::string& path, const Fault& fault);
    void clear(const std::string& path);
    void clearAll();
    std::optional<Fault> find(const std::string& path) const;
    // The path's fault with the number of requests it has met so far, this
    // one included.
    std::optional<std::pair<Fault, int>> meet(const std::string& path);

private:
    mutable std::mutex mutex_;
    std::map<std::string, Fault> faults_;
    std::map<std::string, int> met_;
};

}  // namespace wx::sim
