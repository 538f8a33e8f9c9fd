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
    std::string httpsUrl;        // https://127.0.0.1:M
    std::string requestLogPath;  // one JSON object a line per request

    // Sets (kind "none" clears) the fault of one path through the control
    // request; true when the stand-in accepted it.
    bool setFault(HttpTransport& transport, const std::string& path, const std::string& kind) const;
    bool resetFaults(HttpTransport& transport) const;

    // The requests logged so far, oldest first.
    std::vector<nlohmann::json> requests() const;
};

// The stand-in a ctest fixture started: the folder its start script wrote
// ("urls": the two base URLs, "requests.log"), named by the environment
// variable NUBIRO_SERVICES_SIM_STATE. Absent when the variable is unset or
// the folder holds no URLs.
std::optional<ServicesSim> servicesSimFromFixture();

}  // namespace wx::test
