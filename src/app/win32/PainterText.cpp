#include "app/win32/PainterText.h"

#include "platform/win32/WideText.h"

namespace wx {

COLORREF colourOf(Rgb rgb) { return RGB(rgb.r, rgb.g, rgb.b); }

int textWidthPx(HDC dc, const std::string& value) {
    const std::wstring wide = toWide(value);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

void drawPanelText(HDC dc, const std::string& value, Rgb colour, RECT& box, UINT format) {
    SetTextColor(dc, colourOf(colour));
    std::wstring wide = toWide(value);
    DrawTextW(dc, wide.data(), static_cast<int>(wide.size()), &box, format | DT_NOPREFIX);
}

}  // namespace wx
