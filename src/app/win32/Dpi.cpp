#include "app/win32/Dpi.h"

#include "app/WindowLayout.h"

namespace wx {
namespace {

// A user32 function that older systems lack, looked up by name.
template <typename Function>
Function user32Function(const char* name) {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 == nullptr ? nullptr
                             : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

unsigned systemDpi() {
    const HDC screen = GetDC(nullptr);
    if (screen == nullptr) {
        return kBaseDpi;
    }
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<unsigned>(dpi) : kBaseDpi;
}

}  // namespace

void requestPerMonitorDpiAwareness() {
    using SetAwarenessContextFn = BOOL(WINAPI*)(HANDLE);
    if (const auto set = user32Function<SetAwarenessContextFn>("SetProcessDpiAwarenessContext")) {
        set(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)));  // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
    }
}

unsigned windowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    if (const auto get = user32Function<GetDpiForWindowFn>("GetDpiForWindow")) {
        if (const UINT dpi = get(window); dpi > 0) {
            return dpi;
        }
    }
    return systemDpi();
}

void takeOverDpiScaling(HWND dialog) {
    using SetDialogBehaviourFn = BOOL(WINAPI*)(HWND, int, int);
    using SetControlBehaviourFn = BOOL(WINAPI*)(HWND, int, int);
    constexpr int kDialogDisableAll = 0x0001;                // DDC_DISABLE_ALL
    constexpr int kControlDisableFontAndLayout = 0x0003;     // DCDC_DISABLE_FONT_UPDATE | DCDC_DISABLE_RELAYOUT
    if (const auto set = user32Function<SetDialogBehaviourFn>("SetDialogDpiChangeBehavior")) {
        set(dialog, kDialogDisableAll, kDialogDisableAll);
    }
    if (const auto set = user32Function<SetControlBehaviourFn>("SetDialogControlDpiChangeBehavior")) {
        for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
            set(child, kControlDisableFontAndLayout, kControlDisableFontAndLayout);
        }
    }
}

}  // namespace wx
