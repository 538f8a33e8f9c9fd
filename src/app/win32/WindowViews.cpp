// The tabs over the station table and the weather map, and the
// notifications of the dialog's common controls.

#include <windows.h>

#include <commctrl.h>

#include "app/win32/ControlIds.h"
#include "app/win32/MainWindow.h"
#include "platform/win32/WideText.h"

namespace wx {

void MainWindow::setupViews() {
    const HWND tabs = control(IDC_VIEW_TABS);
    int index = 0;
    for (const TextId caption : {TextId::ViewTable, TextId::ViewMap}) {
        std::wstring text = toWide(uiText(language_, caption));
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(index++), reinterpret_cast<LPARAM>(&item));
    }
    // The map follows the table in the tab order.
    SetWindowPos(map_->window(), control(IDC_STATION_TABLE), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MainWindow::showView(bool map) {
    mapShown_ = map;
    SendMessageW(control(IDC_VIEW_TABS), TCM_SETCURSEL, map ? 1 : 0, 0);
    ShowWindow(control(IDC_STATION_TABLE), map ? SW_HIDE : SW_SHOW);
    ShowWindow(map_->window(), map ? SW_SHOW : SW_HIDE);
}

LRESULT MainWindow::onNotify(const NMHDR& header) {
    if (header.idFrom == IDC_VIEW_TABS && header.code == TCN_SELCHANGE) {
        showView(SendMessageW(control(IDC_VIEW_TABS), TCM_GETCURSEL, 0, 0) == 1);
    } else if (header.idFrom == IDC_STATION_TABLE && header.code == NM_CUSTOMDRAW) {
        return table_.customDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(&header)));
    }
    return 0;
}

}  // namespace wx
