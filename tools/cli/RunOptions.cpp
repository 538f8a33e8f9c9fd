#include "RunOptions.h"

#include <algorithm>
#include <map>
#include <set>

#include "CliOptions.h"
#include "FlightOptions.h"
#include "SettingsFields.h"
#include "StandInCommands.h"
#include "app/SavedSettings.h"
#include "engine/WeatherTime.h"
#include "weather/UtcTime.h"

namespace wx::cli {
namespace {

const std::set<std::string> kStandInOptions{"lat", "lon", "magvar", "local", "utc", "version", "ack-delay-ms",
                                            "reply"};
const std::set<std::string> kRunnerOptions{"sim", "airports", "settings", "cycles", "at-cycle", "record", "clock",
                                            "weather-time"};

bool isSettingsField(const std::string& name) {
    const std::vector<std::string> fields = settingsFieldNames();
    return std::find(fields.begin(), fields.end(), name) != fields.end();
}

// The weather time typed (or else the one of a settings file), checked
// against the present the run starts in: --clock's, or the computer's.
void chooseWeatherTimeInto(RunOptions& options, const std::optional<std::string>& typed) {
    if (!typed && !options.settings.weatherTime) {
        return;
    }
    const auto present = options.clockStart.value_or(std::chrono::system_clock::now());
    const std::string text = typed ? *typed : formatUtcTime(*options.settings.weatherTime);
    const WeatherTimeChoice choice = chooseWeatherTime(text, present);
    const std::string refusal = weatherTimeRefusal(choice, text, present);
    if (!refusal.empty()) {
        throw UsageError(refusal);
    }
    options.settings.weatherTime = choice.time;
}

// The engine settings of a settings file the window saved: the window's
// defaults in place of anything missing or refused.
void readSettingsFileInto(RunOptions& options, const std::string& path) {
    const SettingsReading reading = readSettingsFile(path);
    if (!reading.found) {
        throw UsageError("--settings: no file " + path);
    }
    options.settings = reading.settings.engine;
    options.flight = reading.settings.flight;
    options.settingsWarning = settingsWarning(reading, Language::English);
}

}  // namespace

std::vector<std::string> runOptionNames() {
    std::vector<std::string> names(kRunnerOptions.begin(), kRunnerOptions.end());
    names.insert(names.end(), kStandInOptions.begin(), kStandInOptions.end());
    names.insert(names.end(), flightOptionNames().begin(), flightOptionNames().end());
    const std::vector<std::string> fields = settingsFieldNames();
    names.insert(names.end(), fields.begin(), fields.end());
    return names;
}

const char* runUsage() {
    return "run [--sim standin|fsuipc] [--airports CSV] [--settings FILE] [--cycles N] [--at-cycle K COMMAND]...\n"
           "    [--record DIR] [--clock TIME] [--weather-time TIME] [--plan FILE | --from ICAO --to ICAO]\n"
           "    [--alternate ICAO] [STAND-IN] [SETTINGS]\n"
           "    runs the engine without a window and prints each event as one JSON object a line.\n"
           "    --settings FILE starts from the settings the window saved in FILE (its settings.json, its flight\n"
           "    plan fields included); the options given beside it win.\n"
           "    --plan FILE flies the flight plan in FILE (.PLN, either kind); --from and --to make a plan of one\n"
           "    leg between two airports of the list; --alternate names the alternate beside either. Every cycle\n"
           "    then writes the departure, destination and alternate and stations along the route ahead, and prints\n"
           "    the flight's briefing as a \"briefing\" event (as `brief` prints it); a plan\n"
           "    that cannot be read or made is one WARN line, and the run goes on without it.\n"
           "    --record DIR keeps every request to the services, with what came back, in the weather pack DIR;\n"
           "    --clock TIME runs the engine's clock (the model hour, report ages, SIGMET validity) from TIME,\n"
           "    UTC as 2026-10-02T20:20:00Z, instead of the computer's. --weather-time TIME flies the weather of\n"
           "    TIME, UTC as 2022-10-23T14:50Z (seconds optional; \"now\": the present), running on from the start:\n"
           "    the engine's clock shows it, and with --sync-zulu 1 the simulator's date and clock are set to it; a\n"
           "    time after the present (--clock's or the computer's) or before 2000-01-01 is refused with exit 2.\n"
           "    STAND-IN, the in-process simulator's start state: --lat DEG --lon DEG --magvar DEG --local HH:MM\n"
           "    --utc HH:MM --version N --ack-delay-ms N --reply N. SETTINGS:\n"
           "    --station-mode auto|manual --manual-stations ID,ID,... --max-stations N --radius-nm N --interval-sec N\n"
           "    --only-nearest 0|1 --cavok-haze 0|1 --cavok-visibility-m N --synth-without-metar 0|1\n"
           "    --global-layer 0|1 --dense-field 0|1 --sync-zulu 0|1 --text-in-sim 0|1 --text-seconds N\n"
           "    --full-metar-text 0|1 --sigmet-enabled 0|1 --source openmeteo|noaa|metaronly --smooth-changes 0|1\n"
           "    --keep-reports-min N (0 off, or 10 to 180: while the METAR service does not answer, each station\n"
           "    keeps its last report while it is younger than N minutes; kept model hours serve likewise)\n"
           "    --route-stations N (0 to 30: at most N stations along the route ahead of a plan; 0 none).\n"
           "    Commands on standard input, one a line (or with --at-cycle, run when cycle K pauses): refresh,\n"
           "    weather-text, stop, set FIELD VALUE, and with the stand-in move LAT LON [ALT_M], ack on|off, reply N,\n"
           "    kill, restart, hang MS, ambient wind DIR KT|qnh HPA|oat C|vis M|off, gps KT SECONDS (the ground\n"
           "    speed and the GPS's time to its destination, which the briefing's arrival time is taken from).\n"
           "    --cycles N stops after N cycles; without it the end of input or Ctrl-C stops";
}

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
    std::map<std::string, std::string> flightWords;
    std::optional<std::string> weatherTime;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word.rfind("--", 0) != 0) {
            throw UsageError("unexpected argument \"" + word + "\"");
        }
        const std::string name = word.substr(2);
        if (kRunnerOptions.count(name) == 0 && kStandInOptions.count(name) == 0 &&
            flightOptionNames().count(name) == 0 && !isSettingsField(name)) {
            throw UsageError("unknown option " + word);
        }
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
        } else if (flightOptionNames().count(name) != 0) {
            flightWords[name] = value;
        } else if (name == "settings") {
            // Read before the other options.
        } else if (name == "airports") {
            options.airportsPath = value;
        } else if (name == "record") {
            options.recordDir = value;
        } else if (name == "clock") {
            options.clockStart =
                std::chrono::time_point_cast<std::chrono::system_clock::duration>(parseUtcOption("clock", value));
        } else if (name == "weather-time") {
            weatherTime = value;
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
        } else {
            setSettingsField(options.settings, name, value);
        }
        i += values;
    }
    const standin::CommandLine standIn = standin::parseCommandLine(standInWords);
    if (!standIn.error.empty()) {
        throw UsageError(standIn.error);
    }
    options.simSettings = standIn.settings;
    options.flight = flightChoice(options.flight, flightWords);
    chooseWeatherTimeInto(options, weatherTime);
    return options;
}

}  // namespace wx::cli
