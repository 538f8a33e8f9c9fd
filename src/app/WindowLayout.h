#pragma once

namespace wx {

// The layout's pixel values are given for 96 DPI, the scale Windows calls
// 100 %, and scaled to the window's DPI.
inline constexpr unsigned kBaseDpi = 96;

// A length at 96 DPI scaled to dpi, rounded to the nearest pixel.
int scaleToDpi(int pixelsAt96, unsigned dpi);

struct PixelSize {
    int width = 0;
    int height = 0;
};

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const PixelRect& other) const {
        return left == other.left && top == other.top && width == other.width && height == other.height;
    }
};

// The smallest outer size the window can be dragged to.
PixelSize minimumWindowSize(unsigned dpi);

// Where the controls that follow the window's size go, in client pixels.
struct ControlPlacement {
    PixelRect log;
    PixelRect status;
    PixelRect tabs;
    PixelRect view;  // the station table or the map, whichever is shown
};

// The log view keeps its left and top edges, reaches to the right margin
// and has a fixed height; the status line, of its own height, lies below it
// just as wide; the tabs over the table and the map keep their top edge
// unless the status line reaches down to them, then they move down below
// that; the table or the map lies right below the tabs and fills the rest
// of the client area within the margins. No size is negative.
ControlPlacement placeControls(PixelSize client, int logLeft, int logTop, int statusHeight, int tabsTop,
                               int tabsHeight, unsigned dpi);

}  // namespace wx
