#include "app/win32/ViewTabs.h"

#include <utility>

#include "app/win32/ChildWindows.h"
#include "platform/win32/WideText.h"

namespace wx {

ViewTabs::ViewTabs(HWND tabs, Language language, std::vector<TabView> views) : tabs_(tabs), views_(std::move(views)) {
    for (size_t index = 0; index < views_.size(); ++index) {
        std::wstring text = toWide(uiText(language, views_[index].caption));
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageW(tabs_, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        if (index > 0) {
            SetWindowPos(views_[index].window, views_[index - 1].window, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
}

void ViewTabs::select(size_t index) {
    SendMessageW(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    for (size_t view = 0; view < views_.size(); ++view) {
        ShowWindow(views_[view].window, view == index ? SW_SHOW : SW_HIDE);
    }
}

size_t ViewTabs::selected() const {
    const auto index = static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0));
    return index < 0 ? 0 : static_cast<size_t>(index);
}

bool ViewTabs::onNotify(const NMHDR& header) {
    if (header.hwndFrom != tabs_ || header.code != TCN_SELCHANGE) {
        return false;
    }
    select(selected());
    return true;
}

int ViewTabs::tabsHeight() const {
    RECT tab{};
    SendMessageW(tabs_, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
    return tab.bottom;
}

void ViewTabs::place(const PixelRect& tabs, const PixelRect& view) const {
    placeChild(tabs_, tabs);
    for (const TabView& each : views_) {
        placeChild(each.window, view);
    }
}

}  // namespace wx
