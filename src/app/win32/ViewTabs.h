#pragma once

#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "app/UiLanguage.h"
#include "app/UiText.h"
#include "app/WindowLayout.h"

namespace wx {

// One view the tabs choose between: its tab's caption and its window.
struct TabView {
    TextId caption;
    HWND window;
};

// The tabs over the window's views (the station table, the map): a tab
// control (owned by the dialog) with a tab for each view, in the order
// given, of which one view is shown at a time, right below the tabs. Each
// view follows the one before it in the tab order.
class ViewTabs {
public:
    ViewTabs() = default;
    ViewTabs(HWND tabs, Language language, std::vector<TabView> views);

    // Shows the view at that place and hides the others.
    void select(size_t index);
    size_t selected() const;
    // Shows the view of the tab the pilot picked; false for a notification
    // that is not the tabs' own.
    bool onNotify(const NMHDR& header);

    HWND window() const { return tabs_; }
    // The height of the row of tabs.
    int tabsHeight() const;
    // The tabs in that rectangle and every view in the one below them.
    void place(const PixelRect& tabs, const PixelRect& view) const;

private:
    HWND tabs_ = nullptr;
    std::vector<TabView> views_;
};

}  // namespace wx
