#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "SimModel.h"

namespace wx::standin {

// The command line of fsuipc-sim: the initial state, or help, or a mistake.
struct CommandLine {
    SimSettings settings;
    std::string airportsPath;  // where station positions come from; empty: none
    bool help = false;
    std::string error;  // empty when the words were understood
};

CommandLine parseCommandLine(const std::vector<std::string>& args);

// The text --help prints.
const char* usageText();

// One line read from standard input, carried out on the model: `move LAT
// LON`, `version N`, `ack off|on`, `reply N`, `ambient ...`. The answer is
// the JSON line to print ("move", "version", "ack", "reply", "ambient", or
// "error" with a message);
// `quit` is the caller's to handle.
nlohmann::ordered_json applyInputLine(SimModel& model, const std::string& line);

// Whether the line asks the stand-in to end.
bool isQuitLine(const std::string& line);

}  // namespace wx::standin
