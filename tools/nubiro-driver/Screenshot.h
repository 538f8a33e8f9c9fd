#pragma once

#include <windows.h>

#include <string>

namespace wx::driver {

// Saves what the screen shows of a window, frame included, as a PNG file;
// false when it cannot be captured or written. The window should be on top.
bool saveWindowPng(HWND window, const std::string& path);

}  // namespace wx::driver
