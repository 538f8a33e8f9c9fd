#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/MapScene.h"
#include "app/UiLanguage.h"
#include "engine/CycleOverview.h"

namespace wx {

// The weather map: a child window of the main dialog that draws the last
// cycle's overview (stations with their categories, ids and wind barbs,
// SIGMET areas, range rings, the aircraft) through a memory bitmap, so
// that it repaints without flicker, at the DPI it is told and the size it
// is given. Resting the pointer on a station shows its report in a
// tooltip; the mouse wheel zooms in and out around the aircraft, a step
// halving or doubling the radius shown (from the station radius down to a
// sixteenth of it). The dialog owns the window; the view destroys it when
// it goes.
class WeatherMapView {
public:
    // The tooltip's tool, for whoever reads the tooltip back.
    static constexpr UINT_PTR kTooltipTool = 1;

    // Creates the panel, hidden, as a child of the dialog with that control
    // id.
    WeatherMapView(HWND dialog, int controlId, Language language, unsigned dpi);
    ~WeatherMapView();
    WeatherMapView(const WeatherMapView&) = delete;
    WeatherMapView& operator=(const WeatherMapView&) = delete;

    HWND window() const { return window_; }
    // A new cycle's picture.
    void show(const CycleOverview& overview);
    void setDpi(unsigned dpi);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void rebuild();
    void paint(HDC dc) const;
    void paintBuffered(HDC dc) const;
    void hover(POINT pointer);
    void hideTooltip();

    HWND window_ = nullptr;
    HWND tooltip_ = nullptr;
    Language language_;
    unsigned dpi_;
    HFONT font_ = nullptr;
    std::optional<CycleOverview> overview_;
    MapScene scene_;
    std::optional<size_t> hovered_;
    int zoomStep_ = 0;
    std::wstring tooltipText_;
};

}  // namespace wx
