#include "sources/TafFetch.h"

#include "briefing/TafAnswer.h"
#include "sources/ServiceHosts.h"

namespace wx {

std::optional<std::vector<Taf>> fetchTafList(HttpClient& http, const LogFn& log,
                                             const std::vector<std::string>& stationIds) {
    if (stationIds.empty()) {
        return std::vector<Taf>{};
    }
    std::string ids;
    for (const std::string& id : stationIds) {
        ids += (ids.empty() ? "" : ",") + id;
    }
    const auto body = http.get(awcBaseUrl() + "/api/data/taf", {{"format", "json"}, {"ids", ids}}, kTafTimeoutSec);
    if (!body) {
        if (!http.cancelled()) {
            logLine(log, "TAF fetch failed", "ERROR");
        }
        return std::nullopt;
    }
    if (body->find_first_not_of(" \t\r\n") == std::string::npos) {
        logLine(log, "TAF: empty answer", "WARN");
        return std::nullopt;
    }
    return decodeTafAnswer(*body, log);
}

}  // namespace wx
