#pragma once

#include <windows.h>

#include <optional>

#include "app/SavedSettings.h"

namespace wx {

// The top-level window as its frame shows it: its icons, and its place
// and state kept between runs.

// Gives the window the program's icon, big and small, from the program's
// resources (shared: the system keeps them).
void setWindowIcons(HWND window, HINSTANCE instance, int iconId);

// Puts a hidden window where it was kept, its size scaled from the DPI it
// was kept at to dpi. A place on no screen (one taken away since) keeps
// the size only. The window stays hidden.
void restoreWindowPlace(HWND window, const WindowPlace& place, unsigned dpi);

// Where the window is now, at dpi: its rectangle while not maximised and
// whether it is (or would be, restored from minimised) maximised.
std::optional<WindowPlace> currentWindowPlace(HWND window, unsigned dpi);

// How to show a window first: maximised when it was so.
int firstShowCommand(const std::optional<WindowPlace>& place);

}  // namespace wx
