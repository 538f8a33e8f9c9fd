#include "app/win32/ScaledControls.h"

#include <cwchar>

namespace wx {
namespace {

bool isComboBox(HWND window) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return _wcsicmp(name, L"ComboBox") == 0;
}

// A control's rectangle in its dialog's client pixels. A combo box's
// height is that of its dropped-down list, which is what its size sets.
RECT placeOf(HWND dialog, HWND control) {
    RECT rect{};
    if (isComboBox(control)) {
        SendMessageW(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&rect));
    } else {
        GetWindowRect(control, &rect);
    }
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

ScaledControls::ScaledControls(HWND dialog, unsigned dpi) : dialog_(dialog), dpi_(dpi) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        controls_.push_back({child, placeOf(dialog, child)});
    }
}

void ScaledControls::scaleTo(unsigned dpi) const {
    const auto scale = [&](LONG value) { return MulDiv(value, static_cast<int>(dpi), static_cast<int>(dpi_)); };
    for (const Control& control : controls_) {
        const int left = scale(control.rect.left);
        const int top = scale(control.rect.top);
        MoveWindow(control.window, left, top, scale(control.rect.right) - left, scale(control.rect.bottom) - top,
                   TRUE);
    }
}

}  // namespace wx
