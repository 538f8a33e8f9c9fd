#include "app/win32/ViewWindow.h"

#include "app/win32/GdiObjects.h"

namespace wx {

HWND createViewWindow(HWND dialog, int controlId, const wchar_t* className, WNDPROC procedure, void* self) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, className, &existing) == 0) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = className;
        RegisterClassExW(&windowClass);
    }
    return CreateWindowExW(0, className, L"", WS_CHILD | WS_BORDER, 0, 0, 0, 0, dialog,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), instance, self);
}

void destroyViewWindow(HWND window) {
    if (window != nullptr && IsWindow(window) != 0) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
}

void paintThroughBitmap(HDC dc, int widthPx, int heightPx, const std::function<void(HDC)>& paint) {
    const MemoryDc buffer(dc);
    const GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc, widthPx, heightPx));
    if (buffer.get() == nullptr || !bitmap) {
        paint(dc);
        return;
    }
    const Selection selected(buffer.get(), bitmap.get());
    paint(buffer.get());
    BitBlt(dc, 0, 0, widthPx, heightPx, buffer.get(), 0, 0, SRCCOPY);
}

}  // namespace wx
