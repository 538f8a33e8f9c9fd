#include "app/win32/MainWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "app/ControlSettings.h"
#include "app/LogLine.h"
#include "app/StationCells.h"
#include "app/win32/ControlIds.h"
#include "platform/win32/WideText.h"
#include "sources/SourceRegistry.h"

namespace wx {
namespace {

// The smallest size the window can be dragged to, in pixels.
constexpr LONG kMinTrackWidthPx = 700;
constexpr LONG kMinTrackHeightPx = 500;
// Layout margins and the log view's fixed height, in pixels.
constexpr int kMarginPx = 8;
constexpr int kLogHeightPx = 90;
// At program end the engine gets this many polls, this far apart, to stop.
constexpr int kStopPolls = 50;
constexpr auto kStopPollInterval = std::chrono::milliseconds(100);

constexpr int kCheckedAtStart[] = {IDC_SYNTH_WITHOUT_METAR, IDC_GLOBAL_LAYER, IDC_DENSE_FIELD, IDC_SYNC_ZULU,
                                   IDC_SIGMET,             IDC_CAVOK_HAZE,   IDC_TEXT_IN_SIM, IDC_FULL_METAR};

struct FieldText {
    int id;
    const char* text;
};
constexpr FieldText kFieldsAtStart[] = {
    {IDC_MAX_STATIONS, "15"}, {IDC_RADIUS, "200"}, {IDC_INTERVAL, "600"},
    {IDC_TEXT_SECONDS, "15"}, {IDC_CAVOK_VISIBILITY, "9999"},
};

LocalTime localTimeNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wHour, now.wMinute, now.wSecond};
}

// A child window's rectangle in its parent's client coordinates.
RECT childRect(HWND parent, HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, MainWindowSeams seams) : instance_(instance), seams_(std::move(seams)) {}

MainWindow::~MainWindow() {
    stopEngine();
    if (dialog_ != nullptr && IsWindow(dialog_) != 0) {
        discardQueuedPayloads();
        DestroyWindow(dialog_);
    }
}

bool MainWindow::create() {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    return CreateDialogParamW(instance_, MAKEINTRESOURCEW(IDD_MAIN), nullptr, dialogProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

INT_PTR CALLBACK MainWindow::dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* window = reinterpret_cast<MainWindow*>(lParam);
        SetWindowLongPtrW(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
        window->dialog_ = dialog;
        window->initialise();
        return TRUE;
    }
    auto* window = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
    if (window == nullptr) {
        return FALSE;
    }
    return window->handleMessage(message, wParam, lParam);
}

INT_PTR MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        layoutControls();
        return TRUE;
    case WM_GETMINMAXINFO: {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = {kMinTrackWidthPx, kMinTrackHeightPx};
        return TRUE;
    }
    case WM_COMMAND:
        onCommand(wParam);
        return TRUE;
    case WM_CLOSE:
        DestroyWindow(dialog_);
        return TRUE;
    case WM_DESTROY:
        PostQuitMessage(0);
        return TRUE;
    case kLogLineMessage:
        if (const auto payload = takePayload<LogLinePayload>(lParam)) {
            appendLog(payload->message, payload->level);
        }
        return TRUE;
    case kStationWeatherMessage:
        if (const auto payload = takePayload<StationWeatherPayload>(lParam)) {
            showStationWeather(*payload);
        }
        return TRUE;
    case kEngineStoppedMessage:
        engineStopped();
        return TRUE;
    case kStationsChosenMessage:
        if (const auto payload = takePayload<StationListPayload>(lParam)) {
            stations_ = payload->stationIds;
            refreshStationList();
        }
        return TRUE;
    default:
        return FALSE;
    }
}

void MainWindow::initialise() {
    log_ = LogView(control(IDC_LOG));
    setIcons();
    setInitialStates();
    table_ = StationTable(control(IDC_STATION_TABLE));
    refreshStationList();
    layoutControls();
    loadAirports();
}

// Shared icons from the program's resources: the system keeps them, so
// nothing is destroyed later.
void MainWindow::setIcons() {
    const struct {
        WPARAM kind;
        int width;
        int height;
    } sizes[] = {{ICON_BIG, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)},
                 {ICON_SMALL, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)}};
    for (const auto& size : sizes) {
        const HANDLE icon =
            LoadImageW(instance_, MAKEINTRESOURCEW(IDI_NUBIRO), IMAGE_ICON, size.width, size.height, LR_SHARED);
        SendMessageW(dialog_, WM_SETICON, size.kind, reinterpret_cast<LPARAM>(icon));
    }
}

void MainWindow::setInitialStates() {
    setRunningButtons(false);
    CheckRadioButton(dialog_, IDC_AUTO_STATIONS, IDC_MANUAL_STATIONS, IDC_AUTO_STATIONS);
    for (const int id : kCheckedAtStart) {
        CheckDlgButton(dialog_, id, BST_CHECKED);
    }
    for (const FieldText& field : kFieldsAtStart) {
        SetDlgItemTextW(dialog_, field.id, toWide(field.text).c_str());
    }
    const HWND sources = control(IDC_SOURCE);
    for (const SourceInfo& source : listSources()) {
        SendMessageW(sources, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(source.displayName).c_str()));
    }
    SendMessageW(sources, CB_SETCURSEL, 0, 0);
}

void MainWindow::loadAirports() {
    appendLog("Загрузка базы аэропортов...", "INFO");
    airports_ = std::make_unique<AirportDb>(makeLogAdapter(dialog_), seams_.airportCache);
    if (airports_->load()) {
        appendLog("База аэропортов готова: " + std::to_string(airports_->size()) + " станций.", "OK");
    } else {
        appendLog("База аэропортов не загружена или пуста.", "WARN");
    }
}

HWND MainWindow::control(int id) const { return GetDlgItem(dialog_, id); }

bool MainWindow::isChecked(int id) const { return IsDlgButtonChecked(dialog_, id) == BST_CHECKED; }

std::string MainWindow::controlText(int id) const {
    const HWND field = control(id);
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
    return fromWide(text);
}

void MainWindow::layoutControls() {
    if (dialog_ == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(dialog_, &client);
    const HWND log = control(IDC_LOG);
    const RECT logRect = childRect(dialog_, log);
    MoveWindow(log, logRect.left, logRect.top, std::max(0, static_cast<int>(client.right - logRect.left) - kMarginPx),
               kLogHeightPx, TRUE);
    const HWND table = control(IDC_STATION_TABLE);
    const RECT tableRect = childRect(dialog_, table);
    MoveWindow(table, kMarginPx, tableRect.top, std::max(0, static_cast<int>(client.right) - 2 * kMarginPx),
               std::max(0, static_cast<int>(client.bottom - tableRect.top) - kMarginPx), TRUE);
}

EngineSettings MainWindow::collectSettings() const {
    ControlValues controls;
    controls.manualChecked = isChecked(IDC_MANUAL_STATIONS);
    controls.stations = stations_;
    controls.maxStations = controlText(IDC_MAX_STATIONS);
    controls.radiusNm = controlText(IDC_RADIUS);
    controls.intervalSec = controlText(IDC_INTERVAL);
    controls.textSeconds = controlText(IDC_TEXT_SECONDS);
    controls.cavokVisibilityM = controlText(IDC_CAVOK_VISIBILITY);
    controls.synthWithoutMetar = isChecked(IDC_SYNTH_WITHOUT_METAR);
    controls.globalLayer = isChecked(IDC_GLOBAL_LAYER);
    controls.denseField = isChecked(IDC_DENSE_FIELD);
    controls.onlyNearest = isChecked(IDC_ONLY_NEAREST);
    controls.syncZulu = isChecked(IDC_SYNC_ZULU);
    controls.sigmetEnabled = isChecked(IDC_SIGMET);
    controls.cavokHaze = isChecked(IDC_CAVOK_HAZE);
    controls.textInSim = isChecked(IDC_TEXT_IN_SIM);
    controls.fullMetarText = isChecked(IDC_FULL_METAR);
    controls.sourceIndex = static_cast<int>(SendMessageW(control(IDC_SOURCE), CB_GETCURSEL, 0, 0));
    return settingsFromControls(controls);
}

std::string MainWindow::selectedSourceId() const {
    return sourceIdAt(static_cast<int>(SendMessageW(control(IDC_SOURCE), CB_GETCURSEL, 0, 0)));
}

void MainWindow::appendLog(const std::string& message, const std::string& level) {
    log_.append(formatLogLine(localTimeNow(), level, message));
}

void MainWindow::showStationWeather(const StationWeatherPayload& payload) {
    {
        std::lock_guard lock(weatherMutex_);
        lastWeather_ = payload.weather;
    }
    if (!table_) {
        return;
    }
    table_.show(payload.stationId, stationCells(payload.weather, payload.distanceNm));
    if (!payload.weather.rawMetar.empty()) {
        appendLog("[" + payload.stationId + "] METAR: " + payload.weather.rawMetar, "METAR");
    }
}

void MainWindow::refreshStationList() {
    const HWND list = control(IDC_STATIONS);
    if (list == nullptr) {
        return;
    }
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& station : stations_) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(station).c_str()));
    }
}

void MainWindow::engineStopped() {
    setRunningButtons(false);
    appendLog("Движок остановлен.", "INFO");
}

void MainWindow::setRunningButtons(bool running) {
    EnableWindow(control(IDC_START), running ? FALSE : TRUE);
    EnableWindow(control(IDC_STOP), running ? TRUE : FALSE);
    EnableWindow(control(IDC_REFRESH), running ? TRUE : FALSE);
}

void MainWindow::stopEngine() {
    if (!engine_) {
        return;
    }
    engine_->requestStop();
    for (int poll = 0; poll < kStopPolls && engine_->isRunning(); ++poll) {
        std::this_thread::sleep_for(kStopPollInterval);
    }
    engine_.reset();
}

void MainWindow::discardQueuedPayloads() {
    MSG message;
    while (PeekMessageW(&message, dialog_, kLogLineMessage, kStationsChosenMessage, PM_REMOVE) != 0) {
        switch (message.message) {
        case kLogLineMessage:
            takePayload<LogLinePayload>(message.lParam);
            break;
        case kStationWeatherMessage:
            takePayload<StationWeatherPayload>(message.lParam);
            break;
        case kStationsChosenMessage:
            takePayload<StationListPayload>(message.lParam);
            break;
        default:
            break;
        }
    }
}

}  // namespace wx
