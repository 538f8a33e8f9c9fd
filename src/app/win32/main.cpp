// Nubiro.exe: reads its options (--plan FILE, --eta TIME, --start, --minimized; a
// wrong one shows the usage and ends with 2), asks for per-monitor DPI
// awareness, installs the Win32 implementations of the core's seams, opens
// the main window and runs the message loop until the window is closed.

#include <windows.h>

#include <string>
#include <utility>

#include <shellapi.h>

#include <vector>

#include "app/ProgramOptions.h"
#include "app/UiText.h"
#include "app/win32/SystemLanguage.h"
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

// The command line's arguments after the program's name, in UTF-8.
std::vector<std::string> commandLineArgs() {
    int count = 0;
    LPWSTR* const args = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> out;
    for (int i = 1; args != nullptr && i < count; ++i) {
        out.push_back(fromWide(args[i]));
    }
    LocalFree(args);
    return out;
}

int run(HINSTANCE instance) {
    const std::optional<ProgramOptions> options = parseProgramOptions(commandLineArgs());
    if (!options) {
        MessageBoxW(nullptr, toWide(uiText(systemLanguage(LanguageChoice::Automatic), TextId::ProgramUsage)).c_str(),
                    L"Nubiro", MB_OK | MB_ICONWARNING);
        return 2;
    }
    requestPerMonitorDpiAwareness();
    installPlatformDefaults();
    MainWindowSeams seams;
    seams.engineClock = std::make_shared<WeatherClock>(UtcClock{});
    seams.recording = recordFromEnvironment(seams.engineClock);
    seams.planFile = options->planFile;
    seams.arrival = options->arrival;
    seams.weatherTime = options->weatherTime;
    MainWindow window(instance, std::move(seams));
    if (!window.create()) {
        const DWORD error = GetLastError();
        showError(uiText(window.language(), TextId::CreateDialogFailed, std::to_string(error)));
        showError(uiText(window.language(), TextId::CreateWindowFailed));
        return 1;
    }
    ShowWindow(window.window(), options->minimized ? SW_SHOWMINNOACTIVE : window.showCommand());
    UpdateWindow(window.window());
    if (options->start) {
        PostMessageW(window.window(), WM_COMMAND, MAKEWPARAM(IDC_START, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window.window(), IDC_START)));
    }
    return runMessageLoop(window.window());
}

}  // namespace
}  // namespace wx

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return wx::run(instance); }
