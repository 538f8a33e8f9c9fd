#pragma once

#include <windows.h>

namespace wx {

// An owned GDI font, deleted with its holder.
class FontHandle {
public:
    FontHandle() = default;
    explicit FontHandle(HFONT font) : font_(font) {}
    ~FontHandle() { reset(); }
    FontHandle(FontHandle&& other) noexcept : font_(other.font_) { other.font_ = nullptr; }
    FontHandle& operator=(FontHandle&& other) noexcept;
    FontHandle(const FontHandle&) = delete;
    FontHandle& operator=(const FontHandle&) = delete;

    HFONT get() const { return font_; }

private:
    void reset();

    HFONT font_ = nullptr;
};

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
