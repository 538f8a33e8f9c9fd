#include "RunOptions.h"

#include <set>

#include "CliOptions.h"
#include "SettingsFields.h"
#include "StandInCommands.h"
#include "app/SavedSettings.h"

namespace wx::cli {
namespace {

const std::set<std::string> kStandInOptions{"lat", "lon", "magvar", "local", "utc", "version", "ack-delay-ms",
                                            "reply"};

bool isSettingsField(const std::string& name) {
    for (const std::string& field : settingsFieldNames()) {
        if (field == name) {
            return true;
        }
    }
    return false;
}

// The engine settings of a settings file the window saved: the window's
// defaults in place of anything missing or refused.
void readSettingsFileInto(RunOptions& options, const std::string& path) {
    const SettingsReading reading = readSettingsFile(path);
    if (!reading.found) {
        throw UsageError("--settings: no file " + path);
    }
    options.settings = reading.settings.engine;
    options.settingsWarning = settingsWarning(reading, Language::English);
}

}  // namespace

RunOptions parseRunOptions(const std::vector<std::string>& args, bool standInByDefault) {
    RunOptions options;
    options.standIn = standInByDefault;
    // The file first, so that the options given beside it win.
    for (size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--settings") {
            readSettingsFileInto(options, args[i + 1]);
        }
    }
    std::vector<std::string> standInWords;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word.rfind("--", 0) != 0) {
            throw UsageError("unexpected argument \"" + word + "\"");
        }
        const std::string name = word.substr(2);
        const size_t values = name == "at-cycle" ? 2 : 1;
        if (i + values >= args.size()) {
            throw UsageError("option " + word + (values == 2 ? " needs a cycle and a command" : " needs a value"));
        }
        const std::string& value = args[i + 1];
        if (name == "sim") {
            if (value != "standin" && value != "fsuipc") {
                throw UsageError("--sim needs standin or fsuipc, not \"" + value + "\"");
            }
            options.standIn = value == "standin";
        } else if (kStandInOptions.count(name) != 0) {
            standInWords.insert(standInWords.end(), {word, value});
        } else if (name == "settings") {
            // Read before the other options.
        } else if (name == "airports") {
            options.airportsPath = value;
        } else if (name == "cycles") {
            options.cycles = parseInteger(word, value);
            if (options.cycles < 0) {
                throw UsageError("--cycles needs 0 or more, not \"" + value + "\"");
            }
        } else if (name == "at-cycle") {
            const int cycle = parseInteger(word, value);
            if (cycle < 1) {
                throw UsageError("--at-cycle needs a cycle of 1 or more, not \"" + value + "\"");
            }
            options.atCycle.emplace_back(cycle, args[i + 2]);
        } else if (isSettingsField(name)) {
            setSettingsField(options.settings, name, value);
        } else {
            throw UsageError("unknown option " + word);
        }
        i += values;
    }
    const standin::CommandLine standIn = standin::parseCommandLine(standInWords);
    if (!standIn.error.empty()) {
        throw UsageError(standIn.error);
    }
    options.simSettings = standIn.settings;
    return options;
}

}  // namespace wx::cli
