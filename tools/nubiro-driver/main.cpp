// nubiro-driver: drives a running Nubiro window from outside, for the demo
// and the package check: clicks its buttons, waits for log lines, prints
// the log and the station table, saves a screenshot, closes it.
//   nubiro-driver COMMAND [ARGS...]   (nubiro-driver --help lists them)

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "DialogDriver.h"
#include "Screenshot.h"
#include "app/win32/ControlIds.h"
#include "app/win32/Dpi.h"
#include "platform/win32/CommandLineWords.h"

namespace wx::driver {
namespace {

constexpr auto kFindTimeout = std::chrono::seconds(120);

const char* const kUsage =
    "usage: nubiro-driver COMMAND [ARGS...]\n"
    "  wait-window               wait until the Nubiro window is shown\n"
    "  click BUTTON              click start, stop, refresh, weather-text or about\n"
    "  show table|map|briefing   show the station table, the weather map or the briefing, as its tab does\n"
    "  zoom-map STEPS            zoom the map in (or out, when negative) by turning the mouse wheel\n"
    "  wait-log TEXT SECONDS     wait for a log line holding TEXT and print it\n"
    "  log                       print the log\n"
    "  table                     print the station table, one row a line, cells tab-separated\n"
    "  screenshot FILE.png       bring the window to the front and save a picture of it\n"
    "  close                     close the window, as its close box does\n";

// The view tabs in the window's order.
const std::map<std::string, int> kViews = {{"table", 0}, {"map", 1}, {"briefing", 2}};

const std::map<std::string, int> kButtons = {
    {"start", IDC_START}, {"stop", IDC_STOP}, {"refresh", IDC_REFRESH}, {"weather-text", IDC_WEATHER_TEXT},
    {"about", IDC_ABOUT},
};

void printLine(const std::string& line) {
    const std::string text = line + "\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

int fail(const std::string& message) {
    std::fprintf(stderr, "nubiro-driver: %s\n", message.c_str());
    return 1;
}

std::string joined(const std::vector<std::string>& cells, const char* separator) {
    std::string line;
    for (size_t i = 0; i < cells.size(); ++i) {
        line += (i > 0 ? separator : "") + cells[i];
    }
    return line;
}

int runCommand(const DialogDriver& window, const std::vector<std::string>& args) {
    const std::string& command = args[0];
    if (command == "wait-window" && args.size() == 1) {
        return 0;
    }
    if (command == "click" && args.size() == 2 && kButtons.count(args[1]) != 0) {
        return window.click(kButtons.at(args[1])) ? 0 : fail("the button " + args[1] + " is disabled");
    }
    if (command == "show" && args.size() == 2 && kViews.count(args[1]) == 1) {
        return window.selectTab(IDC_VIEW_TABS, kViews.at(args[1])) ? 0 : fail("no tab for the " + args[1]);
    }
    if (command == "zoom-map" && args.size() == 2) {
        window.wheel(IDC_WEATHER_MAP, std::stoi(args[1]));
        return 0;
    }
    if (command == "wait-log" && args.size() == 3) {
        const std::string& wanted = args[1];
        const auto line = window.waitForLine(
            IDC_LOG, [&](const std::string& text) { return text.find(wanted) != std::string::npos; },
            std::chrono::seconds(std::stoi(args[2])));
        if (!line) {
            return fail("no log line with '" + wanted + "' within " + args[2] + " s");
        }
        printLine(*line);
        return 0;
    }
    if (command == "log" && args.size() == 1) {
        for (const std::string& line : window.lines(IDC_LOG)) {
            printLine(line);
        }
        return 0;
    }
    if (command == "table" && args.size() == 1) {
        printLine(joined(window.listViewHeaders(IDC_STATION_TABLE), "\t"));
        for (const auto& row : window.listViewRows(IDC_STATION_TABLE)) {
            printLine(joined(row, "\t"));
        }
        return 0;
    }
    if (command == "screenshot" && args.size() == 2) {
        SetForegroundWindow(window.window());
        SetWindowPos(window.window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        RedrawWindow(window.window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        return saveWindowPng(window.window(), args[1]) ? 0 : fail("cannot save " + args[1]);
    }
    if (command == "close" && args.size() == 1) {
        window.close();
        return 0;
    }
    std::fputs(kUsage, stderr);
    return 2;
}

int run() {
    requestPerMonitorDpiAwareness();
    _setmode(_fileno(stdout), _O_BINARY);
    const std::vector<std::string> args = commandLineWords();
    if (args.empty() || args[0] == "--help") {
        std::fputs(kUsage, args.empty() ? stderr : stdout);
        return args.empty() ? 2 : 0;
    }
    const auto window = DialogDriver::find(0, "Nubiro", IDC_START, kFindTimeout);
    if (!window) {
        return fail("no Nubiro window");
    }
    return runCommand(*window, args);
}

}  // namespace
}  // namespace wx::driver

int main() { return wx::driver::run(); }
