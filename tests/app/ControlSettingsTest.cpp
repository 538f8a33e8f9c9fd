#include <gtest/gtest.h>

#include "app/ControlSettings.h"
#include "app/NumberField.h"
#include "app/SavedSettings.h"

namespace wx {
namespace {

// The controls as the window starts.
ControlValues untouchedWindow() {
    ControlValues controls;
    controls.stations = {"EGLL", "EDDF", "LFPG", "EHAM"};
    controls.maxStations = "15";
    controls.radiusNm = "200";
    controls.intervalSec = "600";
    controls.textSeconds = "15";
    controls.cavokVisibilityM = "9999";
    controls.synthWithoutMetar = true;
    controls.globalLayer = true;
    controls.denseField = true;
    controls.syncZulu = true;
    controls.sigmetEnabled = true;
    controls.cavokHaze = true;
    controls.textInSim = true;
    controls.fullMetarText = true;
    controls.routeStations = "30";
    controls.sourceIndex = 0;
    return controls;
}

TEST(NumberField, ReadsDigitsAndHoldsBigNumbersAtTheTop) {
    struct Case {
        const char* text;
        int32_t expected;
    };
    const Case cases[] = {
        {"", 0},
        {"15", 15},
        {"007", 7},
        {"  42", 42},
        {"12ab", 12},
        {"abc", 0},
        {"-5", 0},
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},
        {"4294967295", 2147483647},
        {"99999999999999999999999", 2147483647},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(readNumberField(c.text), c.expected) << c.text;
    }
}

TEST(ControlSettings, UntouchedWindow) {
    EngineSettings expected;
    expected.manualStations = {"EGLL", "EDDF", "LFPG", "EHAM"};
    expected.cavokVisibilityM = 9999;
    EXPECT_EQ(settingsFromControls(untouchedWindow()), expected);
}

// Settings shown in the controls read back as they were; a source the
// registry lacks shows as the first.
TEST(ControlSettings, ShownSettingsReadBackTheSame) {
    EngineSettings changed = windowDefaults();
    changed.stationMode = "manual";
    changed.manualStations = {"KJFK"};
    changed.maxStations = 0;
    changed.intervalSec = 31;
    changed.onlyNearest = true;
    changed.syncZulu = false;
    changed.smoothChanges = true;
    changed.keepReportsMin = 45;
    changed.source = "metaronly";
    changed.weatherTime = std::chrono::sys_days{std::chrono::year{2022} / 10 / 23} + std::chrono::hours{14};
    for (const EngineSettings& settings : {windowDefaults(), changed}) {
        EXPECT_EQ(settingsFromControls(controlsFromSettings(settings)), settings) << settings.source;
    }
    changed.source = "elsewhere";
    EXPECT_EQ(settingsFromControls(controlsFromSettings(changed)).source, "openmeteo");
}

TEST(ControlSettings, EveryControlReachesItsField) {
    ControlValues controls;
    controls.manualChecked = true;
    controls.stations = {"UUEE"};
    controls.maxStations = "3";
    controls.radiusNm = "80";
    controls.intervalSec = "45";
    controls.textSeconds = "9";
    controls.cavokVisibilityM = "20000";
    controls.onlyNearest = true;
    controls.smoothChanges = true;
    controls.keepReports = true;
    controls.keepReportsMin = "120";
    controls.routeStations = "12";
    controls.sourceIndex = 2;
    controls.weatherTime = "2022-10-23 14:50";
    EngineSettings expected;
    expected.stationMode = "manual";
    expected.manualStations = {"UUEE"};
    expected.maxStations = 3;
    expected.radiusNm = 80;
    expected.intervalSec = 45;
    expected.textSeconds = 9;
    expected.cavokVisibilityM = 20000;
    expected.onlyNearest = true;
    expected.smoothChanges = true;
    expected.keepReportsMin = 120;
    expected.cavokHaze = false;
    expected.synthWithoutMetar = false;
    expected.globalLayer = false;
    expected.denseField = false;
    expected.syncZulu = false;
    expected.textInSim = false;
    expected.fullMetarText = false;
    expected.sigmetEnabled = false;
    expected.source = "metaronly";
    expected.routeStations = 12;
    expected.weatherTime = std::chrono::sys_days{std::chrono::year{2022} / 10 / 23} + std::chrono::hours{14} +
                           std::chrono::minutes{50};
    EXPECT_EQ(settingsFromControls(controls), expected);
    controls.routeStations = "45";
    EXPECT_EQ(settingsFromControls(controls).routeStations, kRouteStationsMax);
}

TEST(ControlSettings, NumberFieldsAndTheirFloors) {
    struct Case {
        std::string ControlValues::*field;
        const char* text;
        int32_t EngineSettings::*result;
        int32_t expected;
    };
    const Case cases[] = {
        {&ControlValues::intervalSec, "10", &EngineSettings::intervalSec, 30},
        {&ControlValues::intervalSec, "31", &EngineSettings::intervalSec, 31},
        {&ControlValues::intervalSec, "", &EngineSettings::intervalSec, 30},
        {&ControlValues::textSeconds, "0", &EngineSettings::textSeconds, 3},
        {&ControlValues::textSeconds, "4", &EngineSettings::textSeconds, 4},
        {&ControlValues::maxStations, "", &EngineSettings::maxStations, 0},
        {&ControlValues::maxStations, "0", &EngineSettings::maxStations, 0},
        {&ControlValues::radiusNm, "4294967295", &EngineSettings::radiusNm, 2147483647},
        {&ControlValues::cavokVisibilityM, "", &EngineSettings::cavokVisibilityM, 0},
    };
    for (const Case& c : cases) {
        ControlValues controls = untouchedWindow();
        controls.*c.field = c.text;
        EXPECT_EQ(settingsFromControls(controls).*c.result, c.expected) << "'" << c.text << "'";
    }
}

TEST(ControlSettings, SourceBySelectorIndex) {
    struct Case {
        int index;
        const char* expected;
    };
    for (const Case& c : {Case{-1, "openmeteo"}, Case{0, "openmeteo"}, Case{1, "noaa"}, Case{2, "metaronly"},
                          Case{3, "openmeteo"}}) {
        EXPECT_EQ(sourceIdAt(c.index), c.expected) << c.index;
    }
}

}  // namespace
}  // namespace wx
