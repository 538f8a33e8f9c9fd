#pragma once

#include "app/UiLanguage.h"

namespace wx {

// The window's language: NUBIRO_LANG ("ru" or "en") when set, otherwise
// the one that follows the user's Windows interface language.
Language systemLanguage();

}  // namespace wx
