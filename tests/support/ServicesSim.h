#pragma once

#include <optional>
#include <string>
#include <vector>

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

    // Sets (kind "none" clears) the fault of one path through the control
    // request; true when the stand-in accepted it.
    bool setFault(HttpTransport& transport, const std::string& path, const std::string& kind) const;
    bool resetFaults(HttpTransport& transport) const;

    // The requests logged so far, oldest first.
    std::vector<nlohmann::json> requests() const;
    // The connections each port accepted so far: {"http": N, "https": M,
    // "wrongHost": K}; null when the stand-in does not answer.
    nlohmann::json connections(HttpTransport& transport) const;
};

// The stand-in a ctest fixture started: the folder its start script wrote
// ("urls": the three base URLs, "requests.log", "authority.pem"), named by
// the environment variable NUBIRO_SERVICES_SIM_STATE. Absent when the
// variable is unset or the folder holds no URLs.
std::optional<ServicesSim> servicesSimFromFixture();

}  // namespace wx::test
