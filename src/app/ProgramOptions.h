#pragma once

#include <optional>
#include <string>
#include <vector>

namespace wx {

// What Nubiro.exe is told on its command line: a plan file taken in place
// of the one kept in the settings, a weather time put in its field in
// place of the one kept (as typed: Start checks it), Start pressed once the
// window is up, the window started minimised.
struct ProgramOptions {
    std::optional<std::string> planFile;
    bool start = false;
    bool minimized = false;
    std::optional<std::string> weatherTime;

    bool operator==(const ProgramOptions&) const = default;
};

// The options from the arguments after the program's name: "--plan FILE",
// "--weather-time TIME", "--start", "--minimized", each at most once, in
// any order. Nothing for
// anything else (an unknown option, a missing file name, one given twice).
std::optional<ProgramOptions> parseProgramOptions(const std::vector<std::string>& args);

}  // namespace wx
