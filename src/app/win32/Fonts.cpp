#include "app/win32/Fonts.h"

#include <cwchar>

namespace wx {
namespace {

constexpr int kLogFontPoints = 9;
constexpr int kPointsPerInch = 72;

int CALLBACK noteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool fontInstalled(const wchar_t* face) {
    const HDC screen = GetDC(nullptr);
    if (screen == nullptr) {
        return false;
    }
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExW(screen, &wanted, noteFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

// Consolas where it is installed, otherwise Courier New; asked for as a
// fixed-pitch modern font, so that a system with neither still gets a
// monospace one.
FontHandle makeLogFont(unsigned dpi) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(kLogFontPoints, static_cast<int>(dpi), kPointsPerInch);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    wcsncpy(font.lfFaceName, fontInstalled(L"Consolas") ? L"Consolas" : L"Courier New", LF_FACESIZE - 1);
    return FontHandle(CreateFontIndirectW(&font));
}

}  // namespace

WindowFonts makeWindowFonts(const LOGFONTW& dialogFont, unsigned dialogFontDpi, unsigned dpi) {
    LOGFONTW controls = dialogFont;
    controls.lfHeight = MulDiv(dialogFont.lfHeight, static_cast<int>(dpi), static_cast<int>(dialogFontDpi));
    return {FontHandle(CreateFontIndirectW(&controls)), makeLogFont(dpi)};
}

}  // namespace wx
