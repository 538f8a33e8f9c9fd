#include "app/WindowLayout.h"

#include <algorithm>

namespace wx {
namespace {

// At 96 DPI: the margin around the resizable controls, the room between
// the log, the status line and the table, the log view's height and the
// window's smallest size.
constexpr int kMarginPx = 8;
constexpr int kGapPx = 4;
constexpr int kLogHeightPx = 90;
constexpr int kMinWidthPx = 700;
constexpr int kMinHeightPx = 500;

}  // namespace

int scaleToDpi(int pixelsAt96, unsigned dpi) {
    const long long scaled = static_cast<long long>(pixelsAt96) * dpi;
    const long long half = kBaseDpi / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kBaseDpi : (scaled - half) / kBaseDpi);
}

PixelSize minimumWindowSize(unsigned dpi) { return {scaleToDpi(kMinWidthPx, dpi), scaleToDpi(kMinHeightPx, dpi)}; }

ControlPlacement placeControls(PixelSize client, int logLeft, int logTop, int statusHeight, int tabsTop,
                               int tabsHeight, unsigned dpi) {
    const int margin = scaleToDpi(kMarginPx, dpi);
    const int gap = scaleToDpi(kGapPx, dpi);
    ControlPlacement placement;
    placement.log = {logLeft, logTop, std::max(0, client.width - logLeft - margin), scaleToDpi(kLogHeightPx, dpi)};
    placement.status = {logLeft, logTop + placement.log.height + gap, placement.log.width, statusHeight};
    const int top = std::max(tabsTop, placement.status.top + statusHeight + gap);
    const int width = std::max(0, client.width - 2 * margin);
    placement.tabs = {margin, top, width, tabsHeight};
    placement.view = {margin, top + tabsHeight, width, std::max(0, client.height - top - tabsHeight - margin)};
    return placement;
}

}  // namespace wx
