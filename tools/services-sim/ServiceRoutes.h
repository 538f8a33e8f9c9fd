#pragma once

#include <atomic>
#include <chrono>
#include <optional>
#include <string>

#include <httplib.h>

#include "ConnectionCount.h"
#include "Faults.h"
#include "MetarFixtures.h"
#include "ReplayPack.h"
#include "RequestLog.h"
#include "SigmetFixture.h"

namespace wx::sim {

// What both servers (HTTP and HTTPS) serve and share.
struct ServiceData {
    MetarFixtures metars;
    std::optional<SigmetFixture> sigmets;
    std::optional<std::string> airportsCsv; // absent: the path answers 404
    FaultTable faults;
    RequestLog requests;
    ConnectionCounts connections;
    std::atomic<bool> stopping{false};  // set before the servers stop: held requests let go
    bool freshReportsAtStart = false;     // what /_sim/reset puts back
    std::atomic<bool> freshReports{false};  // reports carry recent times instead of the fixture's
    ReplaySlot replay;          // while it holds a pack, every service path answers from it
    // The TAFs of a request without a date are valid from the hour before
    // this, so that they stay the same for the stand-in's whole run.
    std::chrono::system_clock::time_point started = std::chrono::system_clock::now();
};

// The service paths, the control paths under "/_sim/" and the request log
// on one server; scheme names it in the log. While a pack is replayed every
// path but the control paths answers from it; a request the pack does not
// hold gets 404 and a line on standard error.
void installRoutes(httplib::Server& server, const std::string& scheme, ServiceData& data);

}  // namespace wx::sim
