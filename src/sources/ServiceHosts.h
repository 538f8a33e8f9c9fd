#pragma once

#include <string>

namespace wx {

// Base URLs (scheme://host[:port]) of the three web services, from
// NUBIRO_AWC_URL, NUBIRO_OPENMETEO_URL and NUBIRO_AIRPORTS_URL, or the public
// services when a variable is unset or empty. A trailing '/' is dropped so
// that the fixed paths can be appended.
std::string awcBaseUrl();
std::string openMeteoBaseUrl();
std::string airportsBaseUrl();

}  // namespace wx
