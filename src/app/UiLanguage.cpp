#include "app/UiLanguage.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace wx {
namespace {

// Primary language ids (the low ten bits of a Windows language id).
constexpr uint16_t kPrimaryLanguageMask = 0x3FF;
constexpr uint16_t kRussian = 0x19;
constexpr uint16_t kUkrainian = 0x22;
constexpr uint16_t kBelarusian = 0x23;

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

}  // namespace

Language chooseLanguage(std::string_view override, LanguageChoice choice, uint16_t uiLanguageId) {
    const std::string wanted = lowerCase(override);
    if (wanted == "ru") {
        return Language::Russian;
    }
    if (wanted == "en") {
        return Language::English;
    }
    switch (choice) {
    case LanguageChoice::Russian:
        return Language::Russian;
    case LanguageChoice::English:
        return Language::English;
    case LanguageChoice::Automatic:
        break;
    }
    switch (uiLanguageId & kPrimaryLanguageMask) {
    case kRussian:
    case kUkrainian:
    case kBelarusian:
        return Language::Russian;
    default:
        return Language::English;
    }
}

}  // namespace wx
