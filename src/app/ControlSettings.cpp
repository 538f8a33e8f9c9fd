#include "app/ControlSettings.h"

#include <algorithm>

#include "app/NumberField.h"
#include "engine/KeptReports.h"
#include "sources/SourceRegistry.h"

namespace wx {

std::string sourceIdAt(int index) {
    const std::vector<std::string> ids = listSourceIds();
    if (index < 0 || static_cast<size_t>(index) >= ids.size()) {
        return "openmeteo";
    }
    return ids[static_cast<size_t>(index)];
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
    settings.source = sourceIdAt(controls.sourceIndex);
    return settings;
}

}  // namespace wx
