#include "app/win32/BriefingView.h"

#include <utility>

#include "app/win32/BriefingPainter.h"
#include "app/win32/GdiObjects.h"

namespace wx {
namespace {

constexpr wchar_t kClassName[] = L"NubiroBriefing";

void registerClassOnce(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, kClassName, &existing) != 0) {
        return;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
}

}  // namespace

BriefingView::BriefingView(HWND dialog, int controlId, Language language, unsigned dpi)
    : language_(language), dpi_(dpi) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
    registerClassOnce(instance, windowProc);
    window_ = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_BORDER, 0, 0, 0, 0, dialog,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), instance, this);
    rebuild();
}

BriefingView::~BriefingView() {
    if (window_ != nullptr && IsWindow(window_) != 0) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
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
    if (message == WM_NCCREATE) {
        auto* view = static_cast<BriefingView*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
        view->window_ = window;
    }
    auto* view = reinterpret_cast<BriefingView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return view != nullptr ? view->handle(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
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
    const MemoryDc buffer(dc);
    const GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc, scene_.widthPx, scene_.heightPx));
    if (buffer.get() == nullptr || !bitmap) {
        paint(dc);
        return;
    }
    const Selection selected(buffer.get(), bitmap.get());
    paint(buffer.get());
    BitBlt(dc, 0, 0, scene_.widthPx, scene_.heightPx, buffer.get(), 0, 0, SRCCOPY);
}

}  // namespace wx
