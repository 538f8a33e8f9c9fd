#pragma once

#include <windows.h>

#include <string>

#include "app/WeatherColours.h"

namespace wx {

// What the program's own panels (the weather map, the briefing) share to
// draw with GDI.

COLORREF colourOf(Rgb rgb);

// The width of UTF-8 text in the device context's font.
int textWidthPx(HDC dc, const std::string& value);

// Draws UTF-8 text in `colour` within `box` as DrawText's `format` says; an
// ampersand is drawn as it is. DT_CALCRECT makes it measure into `box`.
void drawPanelText(HDC dc, const std::string& value, Rgb colour, RECT& box, UINT format);

}  // namespace wx
