#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "sources/HttpTransport.h"

namespace wx::test {

// A running web-services stand-in as a test reaches it.
struct ServicesSim {
    std::string httpUrl;         // http://127.0.0.1:N
    std::string httpsUrl;        // https://127.0.0.1:M, a certificate for 127.0.0.1
    std::string wrongHostUrl;    // https://127.0.0.1:K, a certificate for another host
    std::string requestLogPath;  // one JSON object a line per request
    std::string authorityPath;   // the authority that signed both certificates (PEM)
    std::string errorPath;       // what it writes to its standard error
    std::string stateDir;        // a folder of its own that tests may write into

    // Sets (kind "none" clears) the fault of one path through the control
    // request; true when the stand-in accepted it.
    bool setFault(HttpTransport& transport, const std::string& path, const std::string& kind) const;
    bool resetFaults(HttpTransport& transport) const;
    // Reports made 5 to 95 minutes old when asked for (or as the fixture
    // has them), until resetFaults.
    bool setFreshReports(HttpTransport& transport, bool fresh) const;
    // Serves the weather pack in packDir, a folder under stateDir, from now
    // on (resetFaults ends it); true when the stand-in loaded it.
    bool replay(HttpTransport& transport, const std::string& packDir) const;

    // The requests logged so far, oldest first.
    std::vector<nlohmann::json> requests() const;
    // Waits until the log holds `count` requests in all: the stand-in logs
    // a request as soon as it has read it, before it answers or holds it.
    testing::AssertionResult waitForRequests(size_t count, std::chrono::milliseconds timeout) const;
    // The connections each port accepted so far: {"http": N, "https": M,
    // "wrongHost": K}; null when the stand-in does not answer.
    nlohmann::json connections(HttpTransport& transport) const;
};

// The stand-in a ctest fixture started: the folder its start script wrote
// ("urls": the three base URLs, "requests.log", "authority.pem", "stderr"), named by
// the environment variable NUBIRO_SERVICES_SIM_STATE. Absent when the
// variable is unset or the folder holds no URLs.
std::optional<ServicesSim> servicesSimFromFixture();

}  // namespace wx::test
