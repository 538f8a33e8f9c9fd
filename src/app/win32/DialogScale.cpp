#include "app/win32/DialogScale.h"

#include <utility>

#include "app/win32/Dpi.h"

namespace wx {

DialogScale::DialogScale(HWND dialog, HWND log)
    : dialog_(dialog), log_(log), dpi_(windowDpi(dialog)), dialogFontDpi_(dpi_), controls_(dialog, dpi_) {
    takeOverDpiScaling(dialog_);
    const auto dialogFont = reinterpret_cast<HFONT>(SendMessageW(dialog_, WM_GETFONT, 0, 0));
    GetObjectW(dialogFont, sizeof dialogFont_, &dialogFont_);
}

void DialogScale::applyFonts() {
    WindowFonts fonts = makeWindowFonts(dialogFont_, dialogFontDpi_, dpi_);
    for (HWND child = GetWindow(dialog_, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const HFONT font = child == log_ ? fonts.log.get() : fonts.controls.get();
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    fonts_ = std::move(fonts);
}

bool DialogScale::change(unsigned dpi) {
    if (dpi == 0 || dpi == dpi_) {
        return false;
    }
    dpi_ = dpi;
    applyFonts();
    controls_.scaleTo(dpi_);
    return true;
}

}  // namespace wx
