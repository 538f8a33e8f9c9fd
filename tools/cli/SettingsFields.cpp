#include "SettingsFields.h"

#include <functional>

#include "CliOptions.h"
#include "engine/KeptReports.h"

namespace wx::cli {
namespace {

using Setter = std::function<void(EngineSettings&, const std::string& name, const std::string& value)>;

struct Field {
    const char* name;
    Setter set;
};

Setter text(std::string EngineSettings::*field) {
    return [field](EngineSettings& settings, const std::string&, const std::string& value) {
        settings.*field = value;
    };
}

Setter whole(int32_t EngineSettings::*field) {
    return [field](EngineSettings& settings, const std::string& name, const std::string& value) {
        settings.*field = parseInteger("--" + name, value);
    };
}

Setter flag(bool EngineSettings::*field) {
    return [field](EngineSettings& settings, const std::string& name, const std::string& value) {
        if (value != "0" && value != "1") {
            throw UsageError("--" + name + " needs 0 or 1, not \"" + value + "\"");
        }
        settings.*field = value == "1";
    };
}

// 0 (off) or the minutes the window allows.
Setter keepMinutes(int32_t EngineSettings::*field) {
    return [field](EngineSettings& settings, const std::string& name, const std::string& value) {
        const int32_t minutes = parseInteger("--" + name, value);
        if (minutes != 0 && (minutes < kKeepReportsMinMinutes || minutes > kKeepReportsMaxMinutes)) {
            throw UsageError("--" + name + " needs 0 (off) or " + std::to_string(kKeepReportsMinMinutes) + " to " +
                             std::to_string(kKeepReportsMaxMinutes) + " minutes, not \"" + value + "\"");
        }
        settings.*field = minutes;
    };
}

// A whole number within the bounds.
Setter bounded(int32_t EngineSettings::*field, int32_t lowest, int32_t highest) {
    return [field, lowest, highest](EngineSettings& settings, const std::string& name, const std::string& value) {
        const int32_t number = parseInteger("--" + name, value);
        if (number < lowest || number > highest) {
            throw UsageError("--" + name + " needs " + std::to_string(lowest) + " to " + std::to_string(highest) +
                             ", not \"" + value + "\"");
        }
        settings.*field = number;
    };
}

std::vector<std::string> splitIds(const std::string& list) {
    std::vector<std::string> ids;
    size_t start = 0;
    while (start <= list.size()) {
        const size_t end = std::min(list.find(',', start), list.size());
        if (end > start) {
            ids.push_back(list.substr(start, end - start));
        }
        start = end + 1;
    }
    return ids;
}

const std::vector<Field>& fields() {
    static const std::vector<Field> kFields{
        {"station-mode", text(&EngineSettings::stationMode)},
        {"manual-stations",
         [](EngineSettings& settings, const std::string&, const std::string& value) {
             settings.manualStations = splitIds(value);
         }},
        {"max-stations", whole(&EngineSettings::maxStations)},
        {"radius-nm", whole(&EngineSettings::radiusNm)},
        {"interval-sec", whole(&EngineSettings::intervalSec)},
        {"only-nearest", flag(&EngineSettings::onlyNearest)},
        {"cavok-haze", flag(&EngineSettings::cavokHaze)},
        {"cavok-visibility-m", whole(&EngineSettings::cavokVisibilityM)},
        {"synth-without-metar", flag(&EngineSettings::synthWithoutMetar)},
        {"global-layer", flag(&EngineSettings::globalLayer)},
        {"dense-field", flag(&EngineSettings::denseField)},
        {"sync-zulu", flag(&EngineSettings::syncZulu)},
        {"text-in-sim", flag(&EngineSettings::textInSim)},
        {"text-seconds", whole(&EngineSettings::textSeconds)},
        {"full-metar-text", flag(&EngineSettings::fullMetarText)},
        {"sigmet-enabled", flag(&EngineSettings::sigmetEnabled)},
        {"source", text(&EngineSettings::source)},
        {"smooth-changes", flag(&EngineSettings::smoothChanges)},
        {"keep-reports-min", keepMinutes(&EngineSettings::keepReportsMin)},
        {"route-stations", bounded(&EngineSettings::routeStations, 0, kRouteStationsMax)},
    };
    return kFields;
}

}  // namespace

std::vector<std::string> settingsFieldNames() {
    std::vector<std::string> names;
    for (const Field& field : fields()) {
        names.emplace_back(field.name);
    }
    return names;
}

void setSettingsField(EngineSettings& settings, const std::string& name, const std::string& value) {
    for (const Field& field : fields()) {
        if (name == field.name) {
            field.set(settings, name, value);
            return;
        }
    }
    throw UsageError("unknown settings field " + name);
}

}  // namespace wx::cli
