#include "sources/TafFetch.h"

#include "briefing/TafAnswer.h"
#include "sources/AviationWeather.h"
#include "sources/ServiceHosts.h"

namespace wx {

std::optional<std::vector<Taf>> fetchTafList(HttpClient& http, const LogFn& log,
                                             const std::vector<std::string>& stationIds,
                                             std::optional<std::chrono::system_clock::time_point> date) {
    if (stationIds.empty()) {
        return std::vector<Taf>{};
    }
    const auto body = http.get(awcBaseUrl() + "/api/data/taf", tafQuery(stationIds, date), kTafTimeoutSec);
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
