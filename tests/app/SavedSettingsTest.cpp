#include <gtest/gtest.h>

#include <filesystem>

#include "app/SavedSettings.h"
#include "support/ScratchDir.h"

namespace wx {
namespace {

SavedSettings changed() {
    SavedSettings settings;
    settings.engine.stationMode = "manual";
    settings.engine.manualStations = {"KJFK", "EGLL"};
    settings.engine.intervalSec = 30;
    settings.engine.radiusNm = 0;
    settings.engine.sigmetEnabled = false;
    settings.engine.smoothChanges = true;
    settings.engine.keepReportsMin = 90;
    settings.engine.source = "noaa";
    settings.engine.routeStations = 0;
    settings.engine.weatherTime = std::chrono::sys_days{std::chrono::year{2022} / 10 / 23} + std::chrono::hours{14};
    settings.flight = {"C:\\Users\\Пилот\\EGSH to EGBB.pln", "EGSH", "EGBB", "EGNX"};
    settings.language = LanguageChoice::Russian;
    settings.window = WindowPlace{-20, 40, 1100, 760, 144, true};
    settings.view = ShownView::Briefing;
    return settings;
}

TEST(SavedSettings, WhatIsWrittenReadsBackTheSame) {
    EXPECT_EQ(parseSettings(settingsText(changed())).settings, changed());
    EXPECT_EQ(parseSettings(settingsText(SavedSettings{})).settings, SavedSettings{});
    EXPECT_EQ(parseSettings("{}"), (SettingsReading{SavedSettings{}, true, false, {}}));
}

// The pilot's choice of language, by its name in the file (none for
// following Windows), written and read back. A file of an earlier version
// holds the language NUBIRO_LANG asked for under the same names: it reads
// as the pilot's choice.
TEST(SavedSettings, TheLanguageChosenIsKeptByItsName) {
    struct Case {
        const char* file;
        LanguageChoice choice;
        bool refused;
    };
    const Case cases[] = {
        {R"({})", LanguageChoice::Automatic, false},
        {R"({"language": "en"})", LanguageChoice::English, false},
        {R"({"language": "ru", "view": "table"})", LanguageChoice::Russian, false},
        {R"({"language": "de"})", LanguageChoice::Automatic, true},
        {R"({"language": "auto"})", LanguageChoice::Automatic, true},
    };
    for (const Case& c : cases) {
        const SettingsReading reading = parseSettings(c.file);
        EXPECT_EQ(reading.settings.language, c.choice) << c.file;
        EXPECT_EQ(reading.refused.size(), c.refused ? 1u : 0u) << c.file;
        SavedSettings written;
        written.language = c.choice;
        EXPECT_EQ(parseSettings(settingsText(written)).settings, written) << c.file;
    }
}

// Each value of another type or beyond what the window's controls allow
// gets its default and is named once; the others are kept.
TEST(SavedSettings, RefusedValuesTakeTheirDefaults) {
    const SettingsReading reading = parseSettings(R"({
        "intervalSec": 29, "textSeconds": 3, "maxStations": -1, "radiusNm": "200", "cavokVisibilityM": 2147483648,
        "keepReportsMin": 9, "syncZulu": 1, "fullMetarText": false, "source": "nope", "stationMode": "manual",
        "manualStations": ["EGLL", "egll"], "language": "de", "window": {"left": 0, "top": 0}, "view": "map",
        "routeStations": 31, "planFile": "a\nb.pln", "from": "egsh", "to": "EG-B", "alternate": "EGLLX",
        "weatherTime": "yesterday",
        "unknown": {"ignored": true}})");
    SavedSettings expected;
    expected.engine.textSeconds = 3;
    expected.engine.fullMetarText = false;
    expected.engine.stationMode = "manual";
    expected.view = ShownView::Map;
    expected.flight.departureId = "EGSH";
    EXPECT_EQ(reading.settings, expected);
    EXPECT_FALSE(reading.unreadable);
    EXPECT_EQ(reading.refused, (std::vector<std::string>{"maxStations", "radiusNm", "intervalSec", "cavokVisibilityM",
                                                          "keepReportsMin", "routeStations", "syncZulu", "source",
                                                          "language", "manualStations", "planFile", "to", "alternate",
                                                          "window", "weatherTime"}));
    EXPECT_EQ(settingsWarning(reading, Language::English),
              "Settings file: values out of range (maxStations, radiusNm, intervalSec, cavokVisibilityM, "
              "keepReportsMin, routeStations, syncZulu, source, language, manualStations, planFile, to, alternate, "
              "window, weatherTime), defaults used");
}

TEST(SavedSettings, AFileThatIsNoSettingsObjectGivesEveryDefault) {
    for (const char* text : {"", "not json", "[1, 2]", "{\"intervalSec\": 60", "\"settings\""}) {
        const SettingsReading reading = parseSettings(text);
        EXPECT_TRUE(reading.unreadable) << text;
        EXPECT_EQ(reading.settings, SavedSettings{}) << text;
        EXPECT_EQ(settingsWarning(reading, Language::English), "Settings file unreadable: defaults used") << text;
    }
    test::ScratchDir folder;
    const SettingsReading missing = readSettingsFile(folder.path("settings.json"));
    EXPECT_FALSE(missing.found);
    EXPECT_EQ(settingsWarning(missing, Language::Russian), std::nullopt);
}

// The file is replaced only once the new text is whole beside it; a new
// file a crash left behind is written over by the next save.
TEST(SavedSettings, WritingReplacesTheFileOnlyWhenTheNewOneIsWhole) {
    test::ScratchDir folder;
    const std::string path = folder.path("nubiro/settings.json");
    ASSERT_TRUE(writeSettingsFile(path, SavedSettings{}));
    folder.write("nubiro/settings.json.new", "{\"intervalSec\": 9");
    EXPECT_EQ(readSettingsFile(path).settings, SavedSettings{});
    bool checked = false;
    ASSERT_TRUE(writeSettingsFile(path, changed(), [&] {
        EXPECT_EQ(readSettingsFile(path).settings, SavedSettings{});
        EXPECT_EQ(test::readFile(path + ".new"), settingsText(changed()));
        checked = true;
    }));
    EXPECT_TRUE(checked);
    EXPECT_EQ(readSettingsFile(path).settings, changed());
    EXPECT_FALSE(std::filesystem::exists(utf8Path(path + ".new")));
}

}  // namespace
}  // namespace wx
