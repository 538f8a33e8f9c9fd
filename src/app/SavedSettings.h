#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/UiLanguage.h"
#include "engine/EngineSettings.h"
#include "flight/PlanChoice.h"

namespace wx {

// The settings record an untouched window builds: the engine's own
// defaults with the window's first values (the four stations of the
// station list, a CAVOK visibility of 9999 m).
EngineSettings windowDefaults();

// Where the window was: its rectangle while not maximised, in pixels at
// `dpi`, and whether it was maximised.
struct WindowPlace {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    unsigned dpi = 96;
    bool maximized = false;

    bool operator==(const WindowPlace&) const = default;
};

// What the window keeps between runs: every setting of the controls, the
// station list (as manualStations), the pilot's choice of language, the
// window's place, the view shown under the tabs and the flight (the plan file's
// path and the airports typed; the plan itself is read again from them at
// start, engine.plan is not kept).
// The view under the tabs, in the tabs' order.
enum class ShownView { Table, Map, Briefing };

struct SavedSettings {
    EngineSettings engine = windowDefaults();
    PlanChoice flight;
    LanguageChoice language = LanguageChoice::Automatic;
    std::optional<WindowPlace> window;
    ShownView view = ShownView::Table;

    bool operator==(const SavedSettings&) const = default;
};

// A settings file as read: the values it holds, each that is missing,
// refused or in a file that could not be read at all replaced by its
// default.
struct SettingsReading {
    SavedSettings settings;
    bool found = false;       // the file exists
    bool unreadable = false;  // it holds no settings object: every value is a default
    std::vector<std::string> refused;  // the names of values of another type or out of range

    bool operator==(const SettingsReading&) const = default;
};

// Reads the settings from a JSON object. Each value is checked against
// the range the window's controls give it; unknown names are ignored.
SettingsReading parseSettings(const std::string& text);
// A missing file is no fault: the defaults, found false.
SettingsReading readSettingsFile(const std::string& path);

// The one warning a reading deserves, in that language ("Settings file
// unreadable: defaults used", or the values refused); nothing when it was
// sound or there was no file.
std::optional<std::string> settingsWarning(const SettingsReading& reading, Language language);

// The settings as the JSON text of the file.
std::string settingsText(const SavedSettings& settings);

// Writes the file so that it is always whole: the text goes into a new
// file beside it, which then replaces it (`beforeReplace`, when given,
// runs in between). Makes the folder when it is missing. False when any
// step fails; the old file then stays as it was.
bool writeSettingsFile(const std::string& path, const SavedSettings& settings,
                       const std::function<void()>& beforeReplace = {});

// "settings.json" in the program's folder under the user's local
// application-data folder, beside the airport list.
std::string defaultSettingsPath();

}  // namespace wx
