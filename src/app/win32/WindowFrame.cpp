#include "app/win32/WindowFrame.h"

namespace wx {

void setWindowIcons(HWND window, HINSTANCE instance, int iconId) {
    const struct {
        WPARAM kind;
        int width;
        int height;
    } sizes[] = {{ICON_BIG, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)},
                 {ICON_SMALL, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)}};
    for (const auto& size : sizes) {
        const HANDLE icon =
            LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON, size.width, size.height, LR_SHARED);
        SendMessageW(window, WM_SETICON, size.kind, reinterpret_cast<LPARAM>(icon));
    }
}

void restoreWindowPlace(HWND window, const WindowPlace& place, unsigned dpi) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (GetWindowPlacement(window, &placement) == 0) {
        return;
    }
    const int width = MulDiv(place.width, static_cast<int>(dpi), static_cast<int>(place.dpi));
    const int height = MulDiv(place.height, static_cast<int>(dpi), static_cast<int>(place.dpi));
    RECT wanted{place.left, place.top, place.left + width, place.top + height};
    if (MonitorFromRect(&wanted, MONITOR_DEFAULTTONULL) == nullptr) {
        const POINT now{placement.rcNormalPosition.left, placement.rcNormalPosition.top};
        wanted = {now.x, now.y, now.x + width, now.y + height};
    }
    placement.rcNormalPosition = wanted;
    placement.showCmd = SW_HIDE;
    SetWindowPlacement(window, &placement);
}

std::optional<WindowPlace> currentWindowPlace(HWND window, unsigned dpi) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (GetWindowPlacement(window, &placement) == 0) {
        return std::nullopt;
    }
    const RECT& normal = placement.rcNormalPosition;
    const bool maximized = placement.showCmd == SW_SHOWMAXIMIZED ||
                           (placement.showCmd == SW_SHOWMINIMIZED && (placement.flags & WPF_RESTORETOMAXIMIZED) != 0);
    return WindowPlace{normal.left, normal.top, normal.right - normal.left, normal.bottom - normal.top, dpi, maximized};
}

int firstShowCommand(const std::optional<WindowPlace>& place) {
    return place && place->maximized ? SW_SHOWMAXIMIZED : SW_SHOW;
}

}  // namespace wx
