#include "sources/ServiceHosts.h"

#include <cstdlib>

namespace wx {
namespace {

std::string baseUrl(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    std::string url = (value != nullptr && *value != '\0') ? value : fallback;
    while (!url.empty() && url.back() == '/') {
        url.pop_back();
    }
    return url;
}

}  // namespace

std::string awcBaseUrl() { return baseUrl("NUBIRO_AWC_URL", "https://aviationweather.gov"); }
std::string openMeteoBaseUrl() { return baseUrl("NUBIRO_OPENMETEO_URL", "https://api.open-meteo.com"); }
std::string airportsBaseUrl() { return baseUrl("NUBIRO_AIRPORTS_URL", "https://davidmegginson.github.io"); }
std::string iemBaseUrl() { return baseUrl("NUBIRO_IEM_URL", "https://mesonet.agron.iastate.edu"); }
std::string openMeteoHistoryBaseUrl() {
    return baseUrl("NUBIRO_OPENMETEO_HISTORY_URL", "https://historical-forecast-api.open-meteo.com");
}

}  // namespace wx
