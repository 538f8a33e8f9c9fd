#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Faults.h"

namespace wx::sim {

struct SimOptions {
    int httpPort = 0;   // 0 = any free port
    int httpsPort = 0;
    std::string airportsPath;
    std::string metarsPath;
    std::string sigmetsPath;
    std::string sigmetsCaptured;  // the moment the SIGMET file shows (UTC text); empty: served as it is
    std::string replayDir;        // a weather pack to serve instead of the fixtures; empty: none
    std::vector<std::pair<std::string, Fault>> faults;
    std::string requestLogPath;
    std::string authorityPath;  // where the certificate authority is written; empty: nowhere
    int exitWithPid = 0;  // stop when this process is gone; 0 = never
    bool freshReports = false;
    bool help = false;
};

// The options, or the reason they are wrong.
struct ParsedOptions {
    std::optional<SimOptions> options;
    std::string error;
};

// The default SIGMET file shows the moment `defaultSigmetsCaptured`; a file
// given with --sigmets is served as it is unless --sigmets-captured names
// its moment.
ParsedOptions parseSimOptions(const std::vector<std::string>& args, const std::string& defaultMetars,
                              const std::string& defaultSigmets, const std::string& defaultSigmetsCaptured);

extern const char* const kSimUsage;

}  // namespace wx::sim
