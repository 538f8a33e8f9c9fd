#pragma once

#include <optional>
#include <string>
#include <vector>

namespace wx {

// What Nubiro.exe is told on its command line: a plan file taken in place
// of the one kept in the settings, a weather time put in its field in
// place of the one kept (as typed: Start checks it), Start pressed once the
// window is up, the window started minimised, an arrival time put in its
// field.
struct ProgramOptions {
    std::optional<std::string> planFile;
    bool start = false;
    bool minimized = false;
    std::optional<std::string> arrival;
    std::optional<std::string> weatherTime;

    bool operator==(const ProgramOptions&) const = default;
};

// The options from the arguments after the program's name: "--plan FILE",
// "--weather-time TIME", "--start", "--minimized", "--eta TIME" (a time
// the arrival field understands, see readArrivalField), each at most once,
// in any order. Nothing for anything else (an unknown option, a missing
// file name or time, an arrival time not understood, one given twice).
std::optional<ProgramOptions> parseProgramOptions(const std::vector<std::string>& args);

}  // namespace wx
