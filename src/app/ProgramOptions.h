#pragma once

#include <optional>
#include <string>
#include <vector>

namespace wx {

// What Nubiro.exe is told on its command line: a plan file taken in place
// of the one kept in the settings, Start pressed once the window is up,
// the window started minimised.
struct ProgramOptions {
    std::optional<std::string> planFile;
    bool start = false;
    bool minimized = false;

    bool operator==(const ProgramOptions&) const = default;
};

// The options from the arguments after the program's name: "--plan FILE",
// "--start", "--minimized", each at most once, in any order. Nothing for
// anything else (an unknown option, a missing file name, one given twice).
std::optional<ProgramOptions> parseProgramOptions(const std::vector<std::string>& args);

}  // namespace wx
