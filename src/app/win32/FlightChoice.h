#pragma once

#include <optional>
#include <string>

#include "app/win32/OptionsPanel.h"
#include "app/win32/WindowCommands.h"
#include "flight/PlanChoice.h"

namespace wx {

// The flight shown at start: the kept one, or the plan file given on the
// command line beside the kept alternate. A plan file is read again and
// fills the departure and destination; one that cannot be read any more is
// said once and leaves no plan. An arrival time given on the command line
// goes into its field.
void showStartFlight(const PlanChoice& kept, const std::optional<std::string>& planFileGiven,
                     const std::optional<std::string>& arrivalGiven, OptionsPanel& options,
                     const WindowCommands& commands);

// A plan file picked in the file dialog takes the place of the flight
// shown when it can be read; the alternate stays.
void choosePlanFile(OptionsPanel& options, const WindowCommands& commands);

}  // namespace wx
