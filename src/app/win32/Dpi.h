#pragma once

#include <windows.h>

namespace wx {

// Asks for per-monitor DPI awareness, version 2, where the system has it
// (Windows 10 1703 and later), so that windows get real pixels at every
// scale instead of stretched ones.
void requestPerMonitorDpiAwareness();

// The DPI a window is shown at: the per-window value where the system
// knows it (Windows 10 1607 and later), otherwise the system's DPI.
unsigned windowDpi(HWND window);

// Leaves a DPI change of the dialog to its own code: the dialog manager
// then neither resizes the dialog nor moves its controls nor sends them
// new fonts (Windows 10 1703 and later; older systems do none of it).
void takeOverDpiScaling(HWND dialog);

}  // namespace wx
