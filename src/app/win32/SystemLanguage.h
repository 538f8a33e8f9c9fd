#pragma once

#include "app/UiLanguage.h"

namespace wx {

// The window's language for this run: NUBIRO_LANG ("ru" or "en") when it
// names one, else the pilot's choice, else the one that follows the
// user's Windows interface language. The variable is for this run only:
// nothing keeps it.
Language systemLanguage(LanguageChoice choice);

}  // namespace wx
