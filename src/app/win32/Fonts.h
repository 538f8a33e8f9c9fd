#pragma once

#include <windows.h>

#include "app/win32/GdiObjects.h"

namespace wx {

using FontHandle = GdiObject<HFONT>;

// The window's two fonts at one DPI: the dialog's own font for the
// controls and the table, and a scalable monospace font for the log.
struct WindowFonts {
    FontHandle controls;
    FontHandle log;
};

// The dialog's font (as the template names it, at the DPI the dialog was
// made for) and the log's font, both made for dpi.
WindowFonts makeWindowFonts(const LOGFONTW& dialogFont, unsigned dialogFontDpi, unsigned dpi);

}  // namespace wx
