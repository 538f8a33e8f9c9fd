#include "sources/SourceRegistry.h"

#include <utility>

#include "sources/MetarOnlySource.h"
#include "sources/NoaaSource.h"
#include "sources/OpenMeteoSource.h"

namespace wx {

std::vector<SourceInfo> listSources() {
    return {
        {"Верхние слои, облака, CAPE (без API-ключа)", "Open-Meteo", "openmeteo"},
        {"METAR/SIGMET Aviation Weather Center + верхние слои Open-Meteo", "NOAA / AWC", "noaa"},
        {"Только METAR и SIGMET, без синтеза", "Только METAR", "metaronly"},
    };
}

std::vector<std::string> listSourceIds() {
    std::vector<std::string> ids;
    for (const SourceInfo& info : listSources()) {
        ids.push_back(info.id);
    }
    return ids;
}

std::unique_ptr<IWeatherSource> makeSource(const std::string& id, LogFn log, SourceContext context) {
    if (id == "noaa") {
        return std::make_unique<NoaaSource>(std::move(log), makeDefaultHttpTransport(), std::move(context));
    }
    if (id == "metaronly") {
        return std::make_unique<MetarOnlySource>(std::move(log), makeDefaultHttpTransport(), std::move(context));
    }
    return std::make_unique<OpenMeteoSource>(std::move(log), makeDefaultHttpTransport(), std::move(context));
}

}  // namespace wx
