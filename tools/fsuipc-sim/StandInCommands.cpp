#include "StandInCommands.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <sstream>

namespace wx::standin {
namespace {

using nlohmann::ordered_json;

bool parseNumber(const std::string& text, double& value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(value);
}

bool parseWhole(const std::string& text, long long lowest, long long highest, long long& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size() && value >= lowest &&
           value <= highest;
}

// "HH:MM" as minutes of the day.
bool parseClock(const std::string& text, int32_t& minutes) {
    const size_t colon = text.find(':');
    long long hour = 0;
    long long minute = 0;
    if (colon == std::string::npos || !parseWhole(text.substr(0, colon), 0, 23, hour) ||
        !parseWhole(text.substr(colon + 1), 0, 59, minute)) {
        return false;
    }
    minutes = static_cast<int32_t>(hour * 60 + minute);
    return true;
}

bool validPosition(double latitudeDeg, double longitudeDeg) {
    return latitudeDeg >= -90.0 && latitudeDeg <= 90.0 && longitudeDeg >= -180.0 && longitudeDeg <= 180.0;
}

std::string applyOption(const std::string& name, const std::string& value, SimSettings& settings) {
    double number = 0.0;
    long long whole = 0;
    if (name == "--lat" || name == "--lon" || name == "--magvar") {
        if (!parseNumber(value, number)) {
            return name + " needs a number, not \"" + value + "\"";
        }
        double& field = name == "--lat" ? settings.latitudeDeg
                        : name == "--lon" ? settings.longitudeDeg
                                          : settings.magVarDeg;
        field = number;
        return {};
    }
    if (name == "--local" || name == "--utc") {
        if (!parseClock(value, name == "--local" ? settings.localMinutes : settings.utcMinutes)) {
            return name + " needs a time HH:MM, not \"" + value + "\"";
        }
        return {};
    }
    if (name == "--version") {
        if (!parseWhole(value, 0, 0xFFFF, whole)) {
            return "--version needs a number 0..65535, not \"" + value + "\"";
        }
        settings.simVersion = static_cast<uint16_t>(whole);
        return {};
    }
    if (name == "--ack-delay-ms") {
        if (!parseWhole(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), whole)) {
            return "--ack-delay-ms needs a whole number, not \"" + value + "\"";
        }
        settings.ackDelayMs = static_cast<int32_t>(whole);
        return {};
    }
    if (name == "--reply") {
        if (!parseWhole(value, 0, std::numeric_limits<uint32_t>::max(), whole)) {
            return "--reply needs a number 0..4294967295, not \"" + value + "\"";
        }
        settings.replyValue = static_cast<uint32_t>(whole);
        return {};
    }
    if (name == "--class") {
        if (value.empty()) {
            return "--class needs a window class name";
        }
        settings.windowClass = value;
        return {};
    }
    return "unknown option " + name;
}

ordered_json errorLine(const std::string& message) { return {{"event", "error"}, {"message", message}}; }

// "ambient wind DIR KT", "ambient qnh HPA", "ambient oat C", "ambient vis M"
// set one value of the weather at the aircraft in place of the modelled
// one; "ambient off" gives the modelled weather back.
ordered_json applyAmbient(SimModel& model, const std::vector<std::string>& words) {
    AmbientOverride values = model.ambientOverride();
    double first = 0.0;
    double second = 0.0;
    const bool one = words.size() == 3 && parseNumber(words[2], first);
    if (words.size() == 2 && words[1] == "off") {
        values = {};
    } else if (words.size() == 4 && words[1] == "wind" && parseNumber(words[2], first) &&
               parseNumber(words[3], second) && second >= 0 && second <= 65535) {
        values.windDirDeg = first;
        values.windSpeedKt = static_cast<int32_t>(second);
    } else if (one && words[1] == "qnh") {
        values.qnhHpa = first;
    } else if (one && words[1] == "oat") {
        values.temperatureC = first;
    } else if (one && words[1] == "vis" && first >= 0 && first <= 2e6) {
        values.visibilityM = static_cast<int32_t>(first);
    } else {
        return errorLine("ambient needs wind DIR KT, qnh HPA, oat C, vis M or off");
    }
    model.setAmbientOverride(values);
    const AmbientWeather now = ambientFromWords(model.ambient());
    return {{"event", "ambient"},
            {"windDirDeg", now.windDirDeg},
            {"windSpeedKt", now.windSpeedKt},
            {"qnhHpa", now.qnhHpa},
            {"temperatureC", now.temperatureC},
            {"visibilityM", now.visibilityM}};
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine parsed;
    for (size_t i = 0; i < args.size() && parsed.error.empty(); ++i) {
        if (args[i] == "--help" || args[i] == "-h") {
            parsed.help = true;
        } else if (args[i].rfind("--", 0) != 0) {
            parsed.error = "unexpected argument \"" + args[i] + "\"";
        } else if (i + 1 >= args.size()) {
            parsed.error = "option " + args[i] + " needs a value";
        } else if (args[i] == "--airports") {
            parsed.airportsPath = args[++i];
        } else {
            parsed.error = applyOption(args[i], args[i + 1], parsed.settings);
            ++i;
        }
    }
    if (parsed.error.empty() && !validPosition(parsed.settings.latitudeDeg, parsed.settings.longitudeDeg)) {
        parsed.error = "--lat must lie within -90..90 and --lon within -180..180";
    }
    return parsed;
}

const char* usageText() {
    return "usage: fsuipc-sim [OPTIONS]\n"
           "Stands in for the simulator and its FSUIPC module: a window of class FS98MAIN answers\n"
           "FSUIPC's inter-process protocol. Prints one JSON object per line for each event.\n"
           "\n"
           "options:\n"
           "  --lat DEG           aircraft latitude (default 0)\n"
           "  --lon DEG           aircraft longitude (default 0)\n"
           "  --magvar DEG        magnetic variation (default 0)\n"
           "  --local HH:MM       simulator local time (default 12:00)\n"
           "  --utc HH:MM         simulator UTC time (default 12:00)\n"
           "  --version N         simulator version word; NWI needs 7 (default 7)\n"
           "  --ack-delay-ms N    delay before NWI commands are acknowledged; negative: never (default 0)\n"
           "  --reply N           the reply to every batch; anything but 1 refuses it (default 1)\n"
           "  --class NAME        window class to register (default FS98MAIN)\n"
           "  --airports FILE     airport list (OurAirports layout) placing the stations, so that the\n"
           "                      weather at the aircraft is that of the nearest one\n"
           "  --help              this text\n"
           "\n"
           "standard input, one command a line:\n"
           "  move LAT LON [ALT_M] move the aircraft (to that altitude above sea level in metres,\n"
           "                      0 unless given)\n"
           "  gps KT SECONDS      set the ground speed and the GPS's time to its destination\n"
           "                      (0: none)\n"
           "  version N           change the simulator version word\n"
           "  ack off|on          stop or resume acknowledging NWI commands\n"
           "  reply N             reply N to every batch from now on\n"
           "  hang MS             the window takes no messages for MS milliseconds\n"
           "  ambient wind DIR KT | qnh HPA | oat C | vis M | off\n"
           "                      set the weather at the aircraft instead of the one modelled\n"
           "  quit                end (so does the end of input)\n"
           "\n"
           "events: ready, record, clear, init, activate, time, text, move, gps, version, ack, reply, hang, ambient, error,\n"
           "        quit\n";
}

bool isQuitLine(const std::string& line) {
    std::istringstream words(line);
    std::string word;
    std::string extra;
    return (words >> word) && word == "quit" && !(words >> extra);
}

ordered_json applyInputLine(SimModel& model, const std::string& line) {
    std::istringstream stream(line);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) {
        words.push_back(word);
    }
    if (words.empty()) {
        return errorLine("empty command");
    }
    double latitudeDeg = 0.0;
    double longitudeDeg = 0.0;
    double altitudeM = 0.0;
    long long version = 0;
    long long reply = 0;
    if (words[0] == "move" && (words.size() == 3 || words.size() == 4) && parseNumber(words[1], latitudeDeg) &&
        parseNumber(words[2], longitudeDeg) && validPosition(latitudeDeg, longitudeDeg) &&
        (words.size() == 3 || (parseNumber(words[3], altitudeM) && std::abs(altitudeM) <= 30000.0))) {
        model.setPosition(latitudeDeg, longitudeDeg);
        model.setAltitude(altitudeM);
        ordered_json event{{"event", "move"}, {"lat", latitudeDeg}, {"lon", longitudeDeg}};
        if (words.size() == 4) {
            event["altM"] = altitudeM;
        }
        return event;
    }
    double groundSpeedKt = 0.0;
    long long eteSec = 0;
    if (words[0] == "gps" && words.size() == 3 && parseNumber(words[1], groundSpeedKt) && groundSpeedKt >= 0.0 &&
        groundSpeedKt <= 5000.0 && parseWhole(words[2], 0, std::numeric_limits<uint32_t>::max(), eteSec)) {
        model.setGroundSpeed(groundSpeedKt);
        model.setGpsTimeToDestination(static_cast<uint32_t>(eteSec));
        return {{"event", "gps"}, {"groundSpeedKt", groundSpeedKt}, {"timeToDestinationSec", eteSec}};
    }
    if (words[0] == "version" && words.size() == 2 && parseWhole(words[1], 0, 0xFFFF, version)) {
        model.setSimVersion(static_cast<uint16_t>(version));
        return {{"event", "version"}, {"version", version}};
    }
    if (words[0] == "ack" && words.size() == 2 && (words[1] == "on" || words[1] == "off")) {
        model.setAckEnabled(words[1] == "on");
        return {{"event", "ack"}, {"on", words[1] == "on"}};
    }
    if (words[0] == "reply" && words.size() == 2 &&
        parseWhole(words[1], 0, std::numeric_limits<uint32_t>::max(), reply)) {
        model.setReplyValue(static_cast<uint32_t>(reply));
        return {{"event", "reply"}, {"value", reply}};
    }
    if (words[0] == "ambient") {
        return applyAmbient(model, words);
    }
    return errorLine("cannot do \"" + line +
                     "\"; commands: move LAT LON [ALT_M], gps KT SECONDS, version N, ack off|on, reply N, ambient ..., quit");
}

}  // namespace wx::standin
