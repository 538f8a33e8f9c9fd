#pragma once

#include <atomic>

#include <httplib.h>

namespace wx::sim {

// Connections each listener of the stand-in accepted since it started.
struct ConnectionCounts {
    std::atomic<int> http{0};
    std::atomic<int> https{0};
    std::atomic<int> wrongHost{0};
};

// Makes server serve its connections on a pool of threads large enough for
// requests that are held open (hang, trickle), counting every connection
// it accepts into counter, which must outlive the server.
void countConnections(httplib::Server& server, std::atomic<int>& counter);

}  // namespace wx::sim
