#pragma once

#include <string>
#include <vector>

#include "engine/EngineSettings.h"

namespace wx::cli {

// The engine settings' fields under their option names: the field name in
// lower case with dashes ("station-mode", "max-stations", ...), in the
// record's order.
std::vector<std::string> settingsFieldNames();

// Sets one field from text of its type: a whole number, 0 or 1 for a flag,
// comma-separated ids for the station list. Throws UsageError for an
// unknown name or a value of the wrong type.
void setSettingsField(EngineSettings& settings, const std::string& name, const std::string& value);

}  // namespace wx::cli
