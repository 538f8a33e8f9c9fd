#include "app/ControlSettings.h"

#include <algorithm>

#include "app/NumberField.h"
#include "engine/KeptReports.h"
#include "engine/WeatherTime.h"
#include "sources/SourceRegistry.h"

namespace wx {

std::string sourceIdAt(int index) {
    const std::vector<std::string> ids = listSourceIds();
    if (index < 0 || static_cast<size_t>(index) >= ids.size()) {
        return "openmeteo";
    }
    return ids[static_cast<size_t>(index)];
}

ControlValues controlsFromSettings(const EngineSettings& settings) {
    ControlValues controls;
    controls.manualChecked = settings.stationMode == "manual";
    controls.stations = settings.manualStations;
    controls.maxStations = std::to_string(settings.maxStations);
    controls.radiusNm = std::to_string(settings.radiusNm);
    controls.intervalSec = std::to_string(settings.intervalSec);
    controls.textSeconds = std::to_string(settings.textSeconds);
    controls.cavokVisibilityM = std::to_string(settings.cavokVisibilityM);
    controls.synthWithoutMetar = settings.synthWithoutMetar;
    controls.globalLayer = settings.globalLayer;
    controls.denseField = settings.denseField;
    controls.onlyNearest = settings.onlyNearest;
    controls.syncZulu = settings.syncZulu;
    controls.sigmetEnabled = settings.sigmetEnabled;
    controls.cavokHaze = settings.cavokHaze;
    controls.textInSim = settings.textInSim;
    controls.fullMetarText = settings.fullMetarText;
    controls.smoothChanges = settings.smoothChanges;
    controls.keepReports = settings.keepReportsMin > 0;
    controls.keepReportsMin = controls.keepReports ? std::to_string(settings.keepReportsMin) : "";
    controls.routeStations = std::to_string(settings.routeStations);
    controls.weatherTime = settings.weatherTime ? weatherTimeField(*settings.weatherTime) : "";
    const std::vector<std::string> ids = listSourceIds();
    const auto source = std::find(ids.begin(), ids.end(), settings.source);
    controls.sourceIndex = source == ids.end() ? 0 : static_cast<int>(source - ids.begin());
    return controls;
}

EngineSettings settingsFromControls(const ControlValues& controls) {
    EngineSettings settings;
    settings.stationMode = controls.manualChecked ? "manual" : "auto";
    settings.manualStations = controls.stations;
    settings.maxStations = readNumberField(controls.maxStations);
    settings.radiusNm = readNumberField(controls.radiusNm);
    settings.intervalSec = std::max(readNumberField(controls.intervalSec), kMinIntervalSec);
    settings.textSeconds = std::max(readNumberField(controls.textSeconds), kMinTextSeconds);
    settings.cavokVisibilityM = readNumberField(controls.cavokVisibilityM);
    settings.onlyNearest = controls.onlyNearest;
    settings.cavokHaze = controls.cavokHaze;
    settings.synthWithoutMetar = controls.synthWithoutMetar;
    settings.globalLayer = controls.globalLayer;
    settings.denseField = controls.denseField;
    settings.syncZulu = controls.syncZulu;
    settings.textInSim = controls.textInSim;
    settings.fullMetarText = controls.fullMetarText;
    settings.sigmetEnabled = controls.sigmetEnabled;
    settings.smoothChanges = controls.smoothChanges;
    settings.keepReportsMin = controls.keepReports ? std::clamp(readNumberField(controls.keepReportsMin),
                                                                kKeepReportsMinMinutes, kKeepReportsMaxMinutes)
                                                   : 0;
    settings.routeStations = std::clamp(readNumberField(controls.routeStations), 0, kRouteStationsMax);
    settings.source = sourceIdAt(controls.sourceIndex);
    settings.weatherTime = readWeatherTime(controls.weatherTime);
    return settings;
}

}  // namespace wx
