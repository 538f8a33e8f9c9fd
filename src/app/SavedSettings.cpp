#include "app/SavedSettings.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include <nlohmann/json.hpp>

#include "airports/AirportCache.h"
#include "app/ControlSettings.h"
#include "app/StationEntry.h"
#include "app/UiText.h"
#include "engine/KeptReports.h"
#include "engine/WeatherTime.h"
#include "flight/PlanText.h"
#include "sources/SourceRegistry.h"
#include "util/Utf8Path.h"

namespace wx {
namespace {

using nlohmann::json;
using nlohmann::ordered_json;

constexpr int32_t kLargest = std::numeric_limits<int32_t>::max();
constexpr int32_t kFarthestPlacePx = 100000;
constexpr unsigned kLowestDpi = 48;
constexpr unsigned kHighestDpi = 960;
constexpr std::uintmax_t kLargestFileBytes = 1 << 20;
constexpr const char* kFileName = "settings.json";
// A plan file's path as Windows allows it at most, in UTF-8 bytes.
constexpr size_t kLongestPathBytes = 32767;

// The whole-number settings and the values the window's fields allow; 0
// besides them where it means "off".
struct NumberSetting {
    const char* name;
    int32_t EngineSettings::*field;
    int32_t lowest;
    int32_t highest;
    bool zeroIsOff = false;
};
constexpr NumberSetting kNumberSettings[] = {
    {"maxStations", &EngineSettings::maxStations, 0, kLargest},
    {"radiusNm", &EngineSettings::radiusNm, 0, kLargest},
    {"intervalSec", &EngineSettings::intervalSec, kMinIntervalSec, kLargest},
    {"textSeconds", &EngineSettings::textSeconds, kMinTextSeconds, kLargest},
    {"cavokVisibilityM", &EngineSettings::cavokVisibilityM, 0, kLargest},
    {"keepReportsMin", &EngineSettings::keepReportsMin, kKeepReportsMinMinutes, kKeepReportsMaxMinutes, true},
    {"routeStations", &EngineSettings::routeStations, 0, kRouteStationsMax},
};

// The flight's text values: the plan file's path and the three airports.
struct FlightSetting {
    const char* name;
    std::string PlanChoice::*field;
    bool isAirport;
};
constexpr FlightSetting kFlightSettings[] = {
    {"planFile", &PlanChoice::planPath, false},
    {"from", &PlanChoice::departureId, true},
    {"to", &PlanChoice::destinationId, true},
    {"alternate", &PlanChoice::alternateId, true},
};

// The language chosen, by its name in the file; none for following
// Windows.
struct LanguageName {
    const char* name;
    LanguageChoice choice;
};
constexpr LanguageName kLanguageNames[] = {
    {"en", LanguageChoice::English},
    {"ru", LanguageChoice::Russian},
};

struct FlagSetting {
    const char* name;
    bool EngineSettings::*field;
};
constexpr FlagSetting kFlagSettings[] = {
    {"onlyNearest", &EngineSettings::onlyNearest},
    {"cavokHaze", &EngineSettings::cavokHaze},
    {"synthWithoutMetar", &EngineSettings::synthWithoutMetar},
    {"globalLayer", &EngineSettings::globalLayer},
    {"denseField", &EngineSettings::denseField},
    {"syncZulu", &EngineSettings::syncZulu},
    {"textInSim", &EngineSettings::textInSim},
    {"fullMetarText", &EngineSettings::fullMetarText},
    {"sigmetEnabled", &EngineSettings::sigmetEnabled},
    {"smoothChanges", &EngineSettings::smoothChanges},
};

// A whole number within the bounds, or nothing.
std::optional<int64_t> wholeNumber(const json& value, int64_t lowest, int64_t highest) {
    if (!value.is_number()) {
        return std::nullopt;
    }
    const double number = value.get<double>();
    if (number != std::floor(number) || number < static_cast<double>(lowest) || number > static_cast<double>(highest)) {
        return std::nullopt;
    }
    return static_cast<int64_t>(number);
}

struct ViewName {
    ShownView view;
    const char* name;
};
constexpr ViewName kViewNames[] = {
    {ShownView::Table, "table"}, {ShownView::Map, "map"}, {ShownView::Briefing, "briefing"}};

bool isOneOf(const json& value, const std::vector<std::string>& allowed) {
    return value.is_string() && std::find(allowed.begin(), allowed.end(), value.get<std::string>()) != allowed.end();
}

// A list of distinct station identifiers as the station entry makes them.
std::optional<std::vector<std::string>> stationList(const json& value) {
    if (!value.is_array()) {
        return std::nullopt;
    }
    std::vector<std::string> stations;
    for (const json& entry : value) {
        if (!entry.is_string() || stationIdFromEntry(entry.get<std::string>()) != entry.get<std::string>() ||
            std::find(stations.begin(), stations.end(), entry.get<std::string>()) != stations.end()) {
            return std::nullopt;
        }
        stations.push_back(entry.get<std::string>());
    }
    return stations;
}

// An airport field: empty, or an ident as plans give them (3 or 4 letters
// or digits), upper-cased.
std::optional<std::string> airportField(const json& value) {
    if (!value.is_string()) {
        return std::nullopt;
    }
    const std::string text = value.get<std::string>();
    if (!text.empty() && !isAirportIdent(text)) {
        return std::nullopt;
    }
    return upperAscii(text);
}

// A path: no control characters, no longer than Windows allows.
std::optional<std::string> pathField(const json& value) {
    if (!value.is_string()) {
        return std::nullopt;
    }
    const std::string text = value.get<std::string>();
    const bool control =
        std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    if (control || text.size() > kLongestPathBytes) {
        return std::nullopt;
    }
    return text;
}

std::optional<WindowPlace> windowPlace(const json& value) {
    if (!value.is_object()) {
        return std::nullopt;
    }
    const auto number = [&](const char* name, int64_t lowest, int64_t highest) {
        return value.contains(name) ? wholeNumber(value[name], lowest, highest) : std::nullopt;
    };
    const auto left = number("left", -kFarthestPlacePx, kFarthestPlacePx);
    const auto top = number("top", -kFarthestPlacePx, kFarthestPlacePx);
    const auto width = number("width", 1, kFarthestPlacePx);
    const auto height = number("height", 1, kFarthestPlacePx);
    const auto dpi = number("dpi", kLowestDpi, kHighestDpi);
    const auto maximized = value.find("maximized");
    if (!left || !top || !width || !height || !dpi || maximized == value.end() || !maximized->is_boolean()) {
        return std::nullopt;
    }
    return WindowPlace{static_cast<int>(*left),  static_cast<int>(*top), static_cast<int>(*width),
                       static_cast<int>(*height), static_cast<unsigned>(*dpi), maximized->get<bool>()};
}

// Reads every known value of the object into the reading, noting those
// refused.
class SettingsReader {
public:
    SettingsReader(const json& object, SettingsReading& reading) : object_(object), reading_(reading) {}

    void readAll() {
        EngineSettings& engine = reading_.settings.engine;
        for (const NumberSetting& setting : kNumberSettings) {
            read(setting.name, [&](const json& value) {
                auto number = wholeNumber(value, setting.lowest, setting.highest);
                if (!number && setting.zeroIsOff && value.is_number() && value.get<double>() == 0.0) {
                    number = 0;
                }
                if (number) {
                    engine.*setting.field = static_cast<int32_t>(*number);
                }
                return number.has_value();
            });
        }
        for (const FlagSetting& setting : kFlagSettings) {
            read(setting.name, [&](const json& value) {
                if (value.is_boolean()) {
                    engine.*setting.field = value.get<bool>();
                }
                return value.is_boolean();
            });
        }
        readText("stationMode", {"auto", "manual"}, engine.stationMode);
        readText("source", listSourceIds(), engine.source);
        read("language", [&](const json& value) {
            for (const LanguageName& language : kLanguageNames) {
                if (value == language.name) {
                    reading_.settings.language = language.choice;
                    return true;
                }
            }
            return false;
        });
        read("manualStations", [&](const json& value) {
            const auto stations = stationList(value);
            if (stations) {
                engine.manualStations = *stations;
            }
            return stations.has_value();
        });
        for (const FlightSetting& setting : kFlightSettings) {
            read(setting.name, [&](const json& value) {
                const auto text = setting.isAirport ? airportField(value) : pathField(value);
                if (text) {
                    reading_.settings.flight.*setting.field = *text;
                }
                return text.has_value();
            });
        }
        read("window", [&](const json& value) {
            reading_.settings.window = windowPlace(value);
            return reading_.settings.window.has_value();
        });
        read("view", [&](const json& value) {
            for (const ViewName& view : kViewNames) {
                if (value == view.name) {
                    reading_.settings.view = view.view;
                    return true;
                }
            }
            return false;
        });
        read("weatherTime", [&](const json& value) {
            if (!value.is_string()) {
                return false;
            }
            const std::string text = value.get<std::string>();
            engine.weatherTime = readWeatherTime(text);
            return engine.weatherTime || text == "now";
        });
    }

private:
    // Gives a present value to `take`, which says whether it was taken.
    template <typename Take>
    void read(const char* name, Take take) {
        const auto value = object_.find(name);
        if (value != object_.end() && !take(*value)) {
            reading_.refused.emplace_back(name);
        }
    }

    void readText(const char* name, const std::vector<std::string>& allowed, std::string& field) {
        read(name, [&](const json& value) {
            if (isOneOf(value, allowed)) {
                field = value.get<std::string>();
            }
            return isOneOf(value, allowed);
        });
    }

    const json& object_;
    SettingsReading& reading_;
};

}  // namespace

EngineSettings windowDefaults() {
    EngineSettings settings;
    settings.manualStations = {"EGLL", "EDDF", "LFPG", "EHAM"};
    settings.cavokVisibilityM = 9999;
    return settings;
}

SettingsReading parseSettings(const std::string& text) {
    SettingsReading reading;
    reading.found = true;
    const json object = json::parse(text, nullptr, false);
    if (!object.is_object()) {
        reading.unreadable = true;
        return reading;
    }
    SettingsReader(object, reading).readAll();
    return reading;
}

SettingsReading readSettingsFile(const std::string& path) {
    const std::filesystem::path file = utf8Path(path);
    std::error_code error;
    if (!std::filesystem::exists(file, error)) {
        return {};
    }
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    if (error || size > kLargestFileBytes || !in || !(text << in.rdbuf())) {
        SettingsReading reading;
        reading.found = true;
        reading.unreadable = true;
        return reading;
    }
    return parseSettings(text.str());
}

std::optional<std::string> settingsWarning(const SettingsReading& reading, Language language) {
    if (reading.unreadable) {
        return uiText(language, TextId::SettingsUnreadable);
    }
    if (reading.refused.empty()) {
        return std::nullopt;
    }
    std::string names;
    for (const std::string& name : reading.refused) {
        names += (names.empty() ? "" : ", ") + name;
    }
    return uiText(language, TextId::SettingsOutOfRange, names);
}

std::string settingsText(const SavedSettings& settings) {
    ordered_json object;
    object["stationMode"] = settings.engine.stationMode;
    object["manualStations"] = settings.engine.manualStations;
    for (const NumberSetting& setting : kNumberSettings) {
        object[setting.name] = settings.engine.*setting.field;
    }
    for (const FlagSetting& setting : kFlagSettings) {
        object[setting.name] = settings.engine.*setting.field;
    }
    object["source"] = settings.engine.source;
    object["weatherTime"] = settings.engine.weatherTime ? formatUtcTime(*settings.engine.weatherTime) : "now";
    for (const FlightSetting& setting : kFlightSettings) {
        object[setting.name] = settings.flight.*setting.field;
    }
    for (const LanguageName& language : kLanguageNames) {
        if (settings.language == language.choice) {
            object["language"] = language.name;
        }
    }
    if (settings.window) {
        const WindowPlace& place = *settings.window;
        object["window"] = {{"left", place.left},     {"top", place.top}, {"width", place.width},
                            {"height", place.height}, {"dpi", place.dpi}, {"maximized", place.maximized}};
    }
    for (const ViewName& view : kViewNames) {
        if (settings.view == view.view) {
            object["view"] = view.name;
        }
    }
    return object.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

bool writeSettingsFile(const std::string& path, const SavedSettings& settings,
                       const std::function<void()>& beforeReplace) {
    const std::filesystem::path file = utf8Path(path);
    std::filesystem::path fresh = file;
    fresh += ".new";
    std::error_code error;
    if (file.has_parent_path()) {
        std::filesystem::create_directories(file.parent_path(), error);
    }
    {
        std::ofstream out(fresh, std::ios::binary | std::ios::trunc);
        out << settingsText(settings);
        out.close();
        if (!out) {
            std::filesystem::remove(fresh, error);
            return false;
        }
    }
    if (beforeReplace) {
        beforeReplace();
    }
    std::filesystem::rename(fresh, file, error);
    if (error) {
        std::filesystem::remove(fresh, error);
        return false;
    }
    return true;
}

std::string defaultSettingsPath() { return utf8String(utf8Path(cacheDirectory()) / kFileName); }

}  // namespace wx
