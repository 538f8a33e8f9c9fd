#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sources/SourceContext.h"
#include "sources/WeatherSource.h"
#include "weather/LogFn.h"

namespace wx {

// One entry of the source selector.
struct SourceInfo {
    std::string description;  // Russian, UTF-8
    std::string displayName;
    std::string id;
};

// The three sources, in the selector's order: "openmeteo", "noaa", "metaronly".
std::vector<SourceInfo> listSources();
std::vector<std::string> listSourceIds();

// The source for id (compared exactly); an empty or unknown id gives the
// Open-Meteo source. Its HTTP client gets a new transport of the
// process-wide kind; what the owner shares comes with the context.
std::unique_ptr<IWeatherSource> makeSource(const std::string& id, LogFn log, SourceContext context = {});

}  // namespace wx
