#pragma once

#include <string>

#include "app/UiLanguage.h"

namespace wx {

// The language asked for: NUBIRO_LANG ("ru" or "en") when it names one,
// else the one kept from an earlier run; "" for none.
std::string languageAskedFor(const std::string& kept);

// The window's language: the one asked for, otherwise the one that follows
// the user's Windows interface language.
Language systemLanguage(const std::string& askedFor);

}  // namespace wx
