// Nubiro.exe: asks for per-monitor DPI awareness, installs the Win32
// implementations of the core's seams, opens the main window and runs the
// message loop until the window is closed.

#include <windows.h>

#include <string>
#include <utility>

#include "app/UiText.h"
#include "app/win32/Dpi.h"
#include "app/win32/MainWindow.h"
#include "app/win32/PackRecording.h"
#include "platform/PlatformDefaults.h"
#include "platform/win32/WideText.h"

namespace wx {
namespace {

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
    MainWindowSeams seams;
    seams.recording = recordFromEnvironment();
    MainWindow window(instance, std::move(seams));
    if (!window.create()) {
        const DWORD error = GetLastError();
        showError(uiText(window.language(), TextId::CreateDialogFailed, std::to_string(error)));
        showError(uiText(window.language(), TextId::CreateWindowFailed));
        return 1;
    }
    ShowWindow(window.window(), window.showCommand());
    UpdateWindow(window.window());
    return runMessageLoop(window.window());
}

}  // namespace
}  // namespace wx

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return wx::run(instance); }
