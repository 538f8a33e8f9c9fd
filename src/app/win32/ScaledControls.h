#pragma once

#include <windows.h>

#include <vector>

namespace wx {

// The dialog's controls where the template put them, at the DPI the dialog
// was made for, so that a DPI change can move each to its place at the new
// DPI. Each place is computed from the first, so that changes back and
// forth gather no rounding errors.
class ScaledControls {
public:
    ScaledControls() = default;
    ScaledControls(HWND dialog, unsigned dpi);

    // Moves and sizes every control for dpi.
    void scaleTo(unsigned dpi) const;

private:
    struct Control {
        HWND window;
        RECT rect;  // in the dialog's client pixels; a combo box with its list
    };

    HWND dialog_ = nullptr;
    unsigned dpi_ = 0;
    std::vector<Control> controls_;
};

}  // namespace wx
