#pragma once

#include <atomic>
#include <chrono>

#include <httplib.h>

namespace wx::sim {

// Keeps the request unanswered until its client closes the connection, the
// stand-in stops, or ten minutes have passed.
void holdUntilClientLeaves(const httplib::Request& req, const std::atomic<bool>& stopping);

// Replaces the response's body by one that is sent one byte every interval
// after the headers, with the whole length announced; it ends early when
// the client leaves or the stand-in stops.
void trickleBody(httplib::Response& res, std::chrono::milliseconds interval, const std::atomic<bool>& stopping);

}  // namespace wx::sim
