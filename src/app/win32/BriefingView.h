#pragma once

#include <windows.h>

#include <optional>

#include "app/BriefingLayout.h"
#include "app/UiLanguage.h"
#include "briefing/Briefing.h"

namespace wx {

// The briefing panel: a child window of the main dialog that draws the
// last briefing (the plan's airports with their forecasts on a time axis,
// the arrival marked, the forecast at arrival in words, the SIGMETs across
// the route) through a memory bitmap, so that it repaints without flicker,
// at the DPI it is told, the size it is given and in the font the dialog
// gives it. Before a briefing it says that one needs a flight plan. The
// dialog owns the window; the view destroys it when it goes.
class BriefingView {
public:
    // Creates the panel, hidden, as a child of the dialog with that control
    // id.
    BriefingView(HWND dialog, int controlId, Language language, unsigned dpi);
    ~BriefingView();
    BriefingView(const BriefingView&) = delete;
    BriefingView& operator=(const BriefingView&) = delete;

    HWND window() const { return window_; }
    // A new briefing, or none (a start without a plan).
    void show(std::optional<Briefing> briefing);
    void setDpi(unsigned dpi);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void rebuild();
    int lineHeight() const;
    void paint(HDC dc) const;
    void paintBuffered(HDC dc) const;

    HWND window_ = nullptr;
    Language language_;
    unsigned dpi_;
    HFONT font_ = nullptr;
    std::optional<Briefing> briefing_;
    BriefingScene scene_;
};

}  // namespace wx
