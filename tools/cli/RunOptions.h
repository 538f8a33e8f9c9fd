#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "SimModel.h"
#include "engine/EngineSettings.h"
#include "flight/PlanChoice.h"

namespace wx::cli {

// The command line of `run`.
struct RunOptions {
    bool standIn = true;                 // the in-process simulator stand-in, else FSUIPC
    standin::SimSettings simSettings;    // the stand-in's start state
    std::string airportsPath;            // empty: the program's cached list
    EngineSettings settings;
    // The flight plan to take before the engine starts (from --settings and
    // the flight options); the engine's settings get the plan made from it.
    PlanChoice flight;
    // What --settings FILE found amiss in the file, as the window logs it.
    std::optional<std::string> settingsWarning;
    int cycles = 0;                      // 0: until stop or the end of input
    std::vector<std::pair<int, std::string>> atCycle;  // commands run when cycle K pauses
    std::string recordDir;               // the weather pack the requests are kept in; empty: none
    // Where the present starts instead of the computer's time. The
    // weather time to fly (settings.weatherTime) was checked against it.
    std::optional<std::chrono::system_clock::time_point> clockStart;
};

// Reads the words after `run`; `standInByDefault` is the build's default
// for --sim. Throws UsageError on any mistake.
RunOptions parseRunOptions(const std::vector<std::string>& args, bool standInByDefault);

// The names (without "--") of every option parseRunOptions takes.
std::vector<std::string> runOptionNames();

// What `nubiro-cli --help` shows for `run`.
const char* runUsage();

}  // namespace wx::cli
