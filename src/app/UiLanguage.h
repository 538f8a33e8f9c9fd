#pragma once

#include <cstdint>
#include <string_view>

namespace wx {

// The languages the window speaks.
enum class Language { Russian, English };

// The pilot's choice of the window's language, kept in the settings file:
// the one Windows speaks, or one of the window's own. In the order the
// window's language selector lists them.
enum class LanguageChoice { Automatic, English, Russian };

// The window's language for this run: the override when it names one
// ("ru" or "en", in any letter case), else the pilot's choice, else
// Russian for a Russian, Ukrainian or Belarusian user-interface language
// (a Windows language id) and English for any other.
Language chooseLanguage(std::string_view override, LanguageChoice choice, uint16_t uiLanguageId);

}  // namespace wx
