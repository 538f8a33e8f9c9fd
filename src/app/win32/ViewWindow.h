#pragma once

#include <windows.h>

#include <functional>

namespace wx {

// The panels the program draws itself (the weather map, the briefing):
// child windows of the dialog whose messages go to a C++ object.

// Registers the class on its first use and creates the panel, hidden and
// empty; `self` is handed to the window procedure with WM_NCCREATE.
HWND createViewWindow(HWND dialog, int controlId, const wchar_t* className, WNDPROC procedure, void* self);

// The object a panel's messages go to: kept with the window at WM_NCCREATE,
// nullptr before that and after destroyViewWindow.
template <class View>
View* viewOfWindow(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* view = static_cast<View*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
    }
    return reinterpret_cast<View*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Detaches the object, so that the messages of the window's destruction
// no longer reach it, and destroys the window if it is still there.
void destroyViewWindow(HWND window);

// Paints into a memory bitmap of the panel's size and copies it at once, so
// that the panel does not flicker; straight onto `dc` when no bitmap can be
// had.
void paintThroughBitmap(HDC dc, int widthPx, int heightPx, const std::function<void(HDC)>& paint);

}  // namespace wx
