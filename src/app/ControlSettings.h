#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/EngineSettings.h"

namespace wx {

// The window's controls as the settings record is built from them: the
// number fields as typed, the option boxes as fully checked or not, the
// source combo box's selected index (-1 for none).
struct ControlValues {
    bool manualChecked = false;
    std::vector<std::string> stations;
    std::string maxStations;
    std::string radiusNm;
    std::string intervalSec;
    std::string textSeconds;
    std::string cavokVisibilityM;
    bool synthWithoutMetar = false;
    bool globalLayer = false;
    bool denseField = false;
    bool onlyNearest = false;
    bool syncZulu = false;
    bool sigmetEnabled = false;
    bool cavokHaze = false;
    bool textInSim = false;
    bool fullMetarText = false;
    bool smoothChanges = false;
    bool keepReports = false;
    std::string keepReportsMin;
    std::string routeStations;
    int sourceIndex = -1;
    // The weather time's field as typed; empty for "Now".
    std::string weatherTime;
};

// The window never hands the engine a shorter interval or text time.
inline constexpr int32_t kMinIntervalSec = 30;
inline constexpr int32_t kMinTextSeconds = 3;
// The minutes field beside "Keep reports" shows this when the box is ticked
// with the field empty.
inline constexpr const char* kKeepReportsFirstMinutes = "90";

// A settings record with every field taken from the controls; a weather
// time the field names whatever its range (Start checks that), none for
// "Now" or text that names no time.
EngineSettings settingsFromControls(const ControlValues& controls);
// The controls that show a settings record: numbers in decimal, the source
// selected by its place in the registry (the first for a source it lacks),
// the weather time as "2022-10-23 14:50" (empty for now).
ControlValues controlsFromSettings(const EngineSettings& settings);

// The identifier of the source at that position of the selector; the
// Open-Meteo source without a selection or beyond the registry.
std::string sourceIdAt(int index);

}  // namespace wx
