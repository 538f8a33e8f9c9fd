#pragma once

#include <string>

namespace wx {

// The Mesonet's archive keys stations of the contiguous United States by
// their three-letter ids (KDSM as DSM) and all others by their ICAO ids.

// "KDSM" -> "DSM"; any other id unchanged.
std::string archiveStationId(const std::string& icaoId);

// "DSM" -> "KDSM"; any other id unchanged.
std::string icaoStationId(const std::string& archiveId);

}  // namespace wx
