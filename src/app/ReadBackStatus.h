#pragma once

#include <string>

#include "app/UiLanguage.h"
#include "engine/ReadBack.h"

namespace wx {

// The status line's text for a read-back: what the simulator has at the
// aircraft and a verdict. "matches" when every value agrees within what
// the simulator's offsets hold; "differs: " with the simulator's and the
// sent value of each field beyond the pilot's tolerance; "nearly matches"
// for differences within it.
std::string readBackStatus(Language language, const ReadBack& readBack);

}  // namespace wx
