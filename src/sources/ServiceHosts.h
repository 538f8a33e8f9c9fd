#pragma once

#include <string>

namespace wx {

// Base URLs (scheme://host[:port]) of the web services, from NUBIRO_AWC_URL,
// NUBIRO_OPENMETEO_URL, NUBIRO_AIRPORTS_URL, NUBIRO_IEM_URL (the METAR and
// TAF archive) and NUBIRO_OPENMETEO_HISTORY_URL (the historical model
// forecasts), or the public services when a variable is unset or empty. A trailing '/' is dropped so
// that the fixed paths can be appended.
std::string awcBaseUrl();
std::string openMeteoBaseUrl();
std::string airportsBaseUrl();
std::string iemBaseUrl();
std::string openMeteoHistoryBaseUrl();

}  // namespace wx
