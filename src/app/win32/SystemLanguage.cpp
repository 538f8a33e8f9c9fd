#include "app/win32/SystemLanguage.h"

#include <windows.h>

#include <string>

#include "platform/win32/WideText.h"

namespace wx {
namespace {

// Room for the variable's value; anything longer is no language name.
constexpr DWORD kValueChars = 8;

std::string languageOverride() {
    wchar_t value[kValueChars] = {};
    const DWORD length = GetEnvironmentVariableW(L"NUBIRO_LANG", value, kValueChars);
    return length > 0 && length < kValueChars ? fromWide(value) : std::string();
}

}  // namespace

Language systemLanguage(LanguageChoice choice) {
    return chooseLanguage(languageOverride(), choice, GetUserDefaultUILanguage());
}

}  // namespace wx
