// fsuipc-sim: the simulator stand-in as a Win32 program. A window of the
// chosen class answers FSUIPC's registered message by opening the area the
// atom names and handing the batch to the portable model; every event is
// printed as one JSON line. Standard input carries the stand-in's commands.

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "SimModel.h"
#include "airports/AirportDb.h"
#include "StandInCommands.h"
#include "platform/win32/IpcHandles.h"
#include "platform/win32/CommandLineWords.h"
#include "platform/win32/WideText.h"

namespace wx::standin {
namespace {

constexpr UINT kInputLine = WM_APP + 1;
constexpr UINT kInputEnded = WM_APP + 2;

struct StandIn {
    SimModel model;
    UINT ipcMessage = 0;
};

// The milliseconds of a "hang MS" line.
std::optional<DWORD> hangMilliseconds(const std::string& line) {
    std::istringstream words(line);
    std::string verb;
    long long ms = -1;
    std::string extra;
    if (!(words >> verb >> ms) || verb != "hang" || ms < 0 || ms > 600000 || (words >> extra)) {
        return std::nullopt;
    }
    return static_cast<DWORD>(ms);
}

void printLine(const nlohmann::ordered_json& object) {
    const std::string line = jsonLine(object) + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
}

// Carries out the batch in the area the atom names; 0 when the area cannot
// be reached, which the client takes as a refusal.
LRESULT serveBatch(SimModel& model, WPARAM atom) {
    wchar_t name[256];
    if (GlobalGetAtomNameW(static_cast<ATOM>(atom), name, 256) == 0) {
        return 0;
    }
    KernelHandle mapping(OpenFileMappingW(FILE_MAP_WRITE, FALSE, name));
    if (!mapping) {
        return 0;
    }
    MappedView view(MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, 0));
    MEMORY_BASIC_INFORMATION region{};
    if (!view || VirtualQuery(view.get(), &region, sizeof region) == 0) {
        return 0;
    }
    return model.carryOut(static_cast<uint8_t*>(view.get()), region.RegionSize, std::chrono::steady_clock::now());
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        return DefWindowProcW(window, message, wParam, lParam);
    }
    auto* standIn = reinterpret_cast<StandIn*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (standIn != nullptr && message == standIn->ipcMessage) {
        return serveBatch(standIn->model, wParam);
    }
    switch (message) {
    case kInputLine: {
        const std::unique_ptr<std::string> line(reinterpret_cast<std::string*>(lParam));
        if (isQuitLine(*line)) {
            DestroyWindow(window);
        } else if (const auto hang = hangMilliseconds(*line)) {
            // The window's thread stops taking messages, as a simulator
            // loading a flight does; Windows reports it hung after a while.
            printLine({{"event", "hang"}, {"ms", *hang}});
            Sleep(*hang);
        } else if (standIn != nullptr) {
            printLine(applyInputLine(standIn->model, *line));
        }
        return 0;
    }
    case kInputEnded:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void postLine(HWND window, std::string line) {
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    if (line.empty()) {
        return;
    }
    auto* payload = new std::string(std::move(line));
    if (PostMessageW(window, kInputLine, 0, reinterpret_cast<LPARAM>(payload)) == 0) {
        delete payload;
    }
}

// Reads standard input on its own thread and hands each line to the window
// thread, which alone touches the model. The end of input ends the stand-in,
// so it never outlives the process that started it with a pipe.
void readInput(HWND window) {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    std::string pending;
    char buffer[512];
    DWORD got = 0;
    while (ReadFile(input, buffer, sizeof buffer, &got, nullptr) != 0 && got != 0) {
        pending.append(buffer, got);
        for (size_t end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
            postLine(window, pending.substr(0, end));
            pending.erase(0, end + 1);
        }
    }
    postLine(window, pending);
    PostMessageW(window, kInputEnded, 0, 0);
}

int run() {
    _setmode(_fileno(stdout), _O_BINARY);
    const CommandLine parsed = parseCommandLine(commandLineWords());
    if (parsed.help) {
        std::fputs(usageText(), stdout);
        return 0;
    }
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "fsuipc-sim: %s\n%s", parsed.error.c_str(), usageText());
        return 2;
    }

    StandIn standIn{SimModel(parsed.settings), RegisterWindowMessageW(L"FsasmLib:IPC")};
    AirportDb airports(nullptr);
    if (!parsed.airportsPath.empty()) {
        if (!airports.loadFile(parsed.airportsPath)) {
            std::fprintf(stderr, "fsuipc-sim: cannot load an airport list from %s\n", parsed.airportsPath.c_str());
            return 2;
        }
        standIn.model.setStationPositions([&airports](const std::string& id) {
            const auto airport = airports.findAirport(id);
            return airport ? std::optional(std::make_pair(airport->lat, airport->lon)) : std::nullopt;
        });
    }
    standIn.model.setEventListener([](const SimEvent& event) { printLine(eventToJson(event)); });
    standIn.model.setHistoryKept(false);
    const std::wstring className = toWide(parsed.settings.windowClass);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className.c_str();
    if (standIn.ipcMessage == 0 || RegisterClassExW(&windowClass) == 0) {
        std::fprintf(stderr, "fsuipc-sim: cannot register the window class or the message\n");
        return 1;
    }
    const HWND window = CreateWindowExW(0, className.c_str(), L"fsuipc-sim", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                        CW_USEDEFAULT, 320, 200, nullptr, nullptr, windowClass.hInstance, &standIn);
    if (window == nullptr) {
        std::fprintf(stderr, "fsuipc-sim: cannot create the window\n");
        return 1;
    }
    printLine({{"event", "ready"},
               {"class", parsed.settings.windowClass},
               {"version", parsed.settings.simVersion},
               {"pid", GetCurrentProcessId()}});
    std::thread(readInput, window).detach();

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    printLine({{"event", "quit"}});
    return 0;
}

}  // namespace
}  // namespace wx::standin

int main() { return wx::standin::run(); }
