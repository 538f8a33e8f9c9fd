#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "flight/FlightPlan.h"

namespace wx {

// Largest plan file read. Real plans are a few kilobytes; anything this
// large is not a plan and is refused before it is read.
inline constexpr size_t kPlanFileMaxBytes = 4 * 1024 * 1024;

// A plan from the text of a .PLN file of either kind: the XML file when its
// first character after white space is '<', the simulator's INI file
// otherwise. A UTF-8 byte order mark is skipped; CR LF and LF line ends
// read alike. Text that is empty, larger than kPlanFileMaxBytes, UTF-16 or
// holds a NUL byte (a binary file) is refused.
PlanReadResult readPlanText(std::string_view text);

// The same from a file (UTF-8 path); a file larger than kPlanFileMaxBytes
// is refused without being read.
PlanReadResult readPlanFile(const std::string& path);

}  // namespace wx
