#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace wx {

// The languages the window speaks.
enum class Language { Russian, English };

// The window's language: the override when it names one ("ru" or "en", in
// any letter case), otherwise Russian for a Russian, Ukrainian or
// Belarusian user-interface language (a Windows language id) and English
// for any other.
Language chooseLanguage(std::string_view override, uint16_t uiLanguageId);

// The language asked for, "ru" or "en": the environment's choice when it
// names one (in any letter case), else the one kept from an earlier run
// when it names one, else none ("").
std::string languageAskedFor(std::string_view environment, std::string_view kept);

}  // namespace wx
