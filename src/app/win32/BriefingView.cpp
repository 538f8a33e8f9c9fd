#include "app/win32/BriefingView.h"

#include <utility>

#include "app/win32/BriefingPainter.h"
#include "app/win32/GdiObjects.h"
#include "app/win32/ViewWindow.h"

namespace wx {
namespace {

constexpr wchar_t kClassName[] = L"NubiroBriefing";

}  // namespace

BriefingView::BriefingView(HWND dialog, int controlId, Language language, unsigned dpi)
    : language_(language), dpi_(dpi) {
    window_ = createViewWindow(dialog, controlId, kClassName, windowProc, this);
    rebuild();
}

BriefingView::~BriefingView() {
    destroyViewWindow(window_);
}

void BriefingView::show(std::optional<Briefing> briefing) {
    briefing_ = std::move(briefing);
    rebuild();
}

void BriefingView::setDpi(unsigned dpi) {
    dpi_ = dpi;
    rebuild();
}

LRESULT CALLBACK BriefingView::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* view = viewOfWindow<BriefingView>(window, message, lParam);
    if (view == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    view->window_ = window;
    return view->handle(message, wParam, lParam);
}

LRESULT BriefingView::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        rebuild();
        return 0;
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        rebuild();
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
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void BriefingView::rebuild() {
    RECT client{};
    GetClientRect(window_, &client);
    scene_ = buildBriefingScene(briefing_, client.right, client.bottom, lineHeight(), dpi_, language_);
    InvalidateRect(window_, nullptr, FALSE);
}

// A line of text in the panel's font, with its leading.
int BriefingView::lineHeight() const {
    const ScreenDc screen;
    const Selection selected(screen.get(),
                             font_ != nullptr ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.get(), &metrics);
    return metrics.tmHeight + metrics.tmExternalLeading;
}

void BriefingView::paint(HDC dc) const { paintBriefingScene(dc, scene_, font_); }

// The whole picture is drawn into a memory bitmap and copied at once.
void BriefingView::paintBuffered(HDC dc) const {
    paintThroughBitmap(dc, scene_.widthPx, scene_.heightPx, [this](HDC target) { paint(target); });
}

}  // namespace wx
