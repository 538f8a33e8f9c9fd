#pragma once

#include <windows.h>

#include "app/win32/Fonts.h"
#include "app/win32/ScaledControls.h"

namespace wx {

// The dialog at the DPI of the screen it is on: the fonts made for that
// DPI (the log's monospace one for the log control, the dialog's own for
// every other control) and every control at its template place scaled to
// it. The dialog's own code handles DPI changes, not the dialog manager.
class DialogScale {
public:
    DialogScale() = default;
    // The dialog at the DPI it was made for, with every child it has now.
    DialogScale(HWND dialog, HWND log);

    unsigned dpi() const { return dpi_; }
    // Gives every control the fonts for the current DPI; the previous ones
    // are deleted only after no control uses them any more.
    void applyFonts();
    // New fonts and every control scaled to that DPI; false, and nothing
    // done, when it is none or the current one.
    bool change(unsigned dpi);

private:
    HWND dialog_ = nullptr;
    HWND log_ = nullptr;
    unsigned dpi_ = 0;
    LOGFONTW dialogFont_{};
    unsigned dialogFontDpi_ = 0;
    WindowFonts fonts_;
    ScaledControls controls_;
};

}  // namespace wx
