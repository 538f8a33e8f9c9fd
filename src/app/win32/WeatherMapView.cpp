#include "app/win32/WeatherMapView.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "app/WindowLayout.h"
#include "app/win32/ViewWindow.h"
#include "app/win32/MapPainter.h"
#include "platform/win32/WideText.h"

namespace wx {
namespace {

constexpr wchar_t kClassName[] = L"NubiroWeatherMap";
// Long reports wrap at this width (at 96 DPI).
constexpr int kTooltipWidthPx = 420;

}  // namespace

WeatherMapView::WeatherMapView(HWND dialog, int controlId, Language language, unsigned dpi)
    : language_(language), dpi_(dpi) {
    window_ = createViewWindow(dialog, controlId, kClassName, windowProc, this);
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                               reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE)), nullptr);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = window_;
    tool.uId = kTooltipTool;
    tool.lpszText = tooltipText_.data();
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    setDpi(dpi);
}

WeatherMapView::~WeatherMapView() {
    if (tooltip_ != nullptr && IsWindow(tooltip_) != 0) {
        DestroyWindow(tooltip_);
    }
    destroyViewWindow(window_);
}

void WeatherMapView::show(const CycleOverview& overview) {
    overview_ = overview;
    rebuild();
}

void WeatherMapView::setDpi(unsigned dpi) {
    dpi_ = dpi;
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, scaleToDpi(kTooltipWidthPx, dpi_));
    rebuild();
}

LRESULT CALLBACK WeatherMapView::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* view = viewOfWindow<WeatherMapView>(window, message, lParam);
    if (view == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    view->window_ = window;
    return view->handle(message, wParam, lParam);
}

LRESULT WeatherMapView::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        rebuild();
        return 0;
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam) != 0) {
            InvalidateRect(window_, nullptr, FALSE);
        }
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT painting{};
        const HDC dc = BeginPaint(window_, &painting);
        paintBuffered(dc);
        EndPaint(window_, &painting);
        return 0;
    }
    case WM_PRINTCLIENT:
        paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_MOUSEMOVE:
        hover({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(window_);
        return 0;
    case WM_MOUSEWHEEL: {
        const int step = std::clamp(zoomStep_ + (GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? 1 : -1), 0, kMapZoomSteps);
        if (step != zoomStep_) {
            zoomStep_ = step;
            rebuild();
        }
        return 0;
    }
    case WM_MOUSELEAVE:
        hideTooltip();
        return 0;
    case WM_SHOWWINDOW:
        if (wParam == FALSE) {
            hideTooltip();
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void WeatherMapView::rebuild() {
    RECT client{};
    GetClientRect(window_, &client);
    scene_ = buildMapScene(overview_, client.right, client.bottom, dpi_, language_, zoomStep_);
    hideTooltip();
    InvalidateRect(window_, nullptr, FALSE);
}

void WeatherMapView::paint(HDC dc) const { paintMapScene(dc, scene_, font_); }

// The whole picture is drawn into a memory bitmap and copied at once.
void WeatherMapView::paintBuffered(HDC dc) const {
    paintThroughBitmap(dc, scene_.widthPx, scene_.heightPx, [this](HDC target) { paint(target); });
}

// The tooltip follows the station under the pointer; it goes when the
// pointer leaves the station or the panel.
void WeatherMapView::hover(POINT pointer) {
    TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, window_, 0};
    TrackMouseEvent(&leave);
    const std::optional<size_t> station = stationAt(scene_, {static_cast<double>(pointer.x), static_cast<double>(pointer.y)});
    if (station == hovered_) {
        return;
    }
    hideTooltip();
    if (!station) {
        return;
    }
    hovered_ = station;
    const SceneStation& shown = scene_.stations[*station];
    tooltipText_ = toWide(shown.tooltip);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window_;
    tool.uId = kTooltipTool;
    tool.lpszText = tooltipText_.data();
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    POINT below{static_cast<LONG>(shown.at.x + scene_.dotRadiusPx), static_cast<LONG>(shown.at.y + 2 * scene_.dotRadiusPx)};
    ClientToScreen(window_, &below);
    SendMessageW(tooltip_, TTM_TRACKPOSITION, 0, MAKELPARAM(below.x, below.y));
    SendMessageW(tooltip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

void WeatherMapView::hideTooltip() {
    if (!hovered_) {
        return;
    }
    hovered_.reset();
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window_;
    tool.uId = kTooltipTool;
    SendMessageW(tooltip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace wx
