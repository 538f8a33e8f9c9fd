#pragma once

#include <windows.h>

#include "app/WindowLayout.h"

namespace wx {

// A child window's rectangle in its parent's client coordinates.
inline RECT childRect(HWND parent, HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Moves and sizes a child window to a rectangle of its parent's client
// area, repainting it.
inline void placeChild(HWND child, const PixelRect& rect) {
    MoveWindow(child, rect.left, rect.top, rect.width, rect.height, TRUE);
}

}  // namespace wx
