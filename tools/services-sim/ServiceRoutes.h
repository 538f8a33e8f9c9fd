#pragma once

#include <atomic>
#include <optional>
#include <string>

#include <httplib.h>

#include "ConnectionCount.h"
#include "Faults.h"
#include "MetarFixtures.h"
#include "RequestLog.h"

namespace wx::sim {

// What both servers (HTTP and HTTPS) serve and share.
struct ServiceData {
    MetarFixtures metars;
    std::string sigmetsJson;                // a JSON array of SIGMET objects
    std::optional<std::string> airportsCsv; // absent: the path answers 404
    FaultTable faults;
    RequestLog requests;
    ConnectionCounts connections;
    std::atomic<bool> stopping{false};  // set before the servers stop: held requests let go
    bool freshReports = false;  // reports carry recent times instead of the fixture's
};

// The service paths, the control paths under "/_sim/" and the request log
// on one server; scheme names it in the log.
void installRoutes(httplib::Server& server, const std::string& scheme, ServiceData& data);

}  // namespace wx::sim
