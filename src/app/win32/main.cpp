// Nubiro.exe: asks for per-monitor DPI awareness, installs the Win32
// implementations of the core's seams, opens the main window and runs the
// message loop until the window is closed.

#include <windows.h>

#include <string>

#include "app/UiText.h"
#include "app/win32/MainWindow.h"
#include "platform/PlatformDefaults.h"
#include "platform/win32/WideText.h"

namespace wx {
namespace {

// Per-monitor awareness, version 2, where the system has it: the function
// is looked up at run time so that older systems still start.
void requestPerMonitorDpiAwareness() {
    using SetAwarenessContext = BOOL(WINAPI*)(HANDLE);
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) {
        return;
    }
    const auto set = reinterpret_cast<SetAwarenessContext>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
    if (set != nullptr) {
        set(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)));  // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
    }
}

void showError(const std::string& text) {
    MessageBoxW(nullptr, toWide(text).c_str(), L"Nubiro", MB_OK | MB_ICONERROR);
}

// Messages for every window of the thread; the dialog manager sees each one
// first, for keyboard navigation and Esc.
int runMessageLoop(HWND dialog) {
    MSG message{};
    BOOL fetched = FALSE;
    while ((fetched = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        if (IsDialogMessageW(dialog, &message) == 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return fetched == 0 ? static_cast<int>(message.wParam) : 1;
}

int run(HINSTANCE instance) {
    requestPerMonitorDpiAwareness();
    installPlatformDefaults();
    MainWindow window(instance);
    if (!window.create()) {
        const DWORD error = GetLastError();
        showError(uiText(window.language(), TextId::CreateDialogFailed, std::to_string(error)));
        showError(uiText(window.language(), TextId::CreateWindowFailed));
        return 1;
    }
    ShowWindow(window.window(), SW_SHOW);
    UpdateWindow(window.window());
    return runMessageLoop(window.window());
}

}  // namespace
}  // namespace wx

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return wx::run(instance); }
