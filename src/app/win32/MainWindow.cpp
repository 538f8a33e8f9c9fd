#include "app/win32/MainWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <thread>
#include <variant>

#include "app/ControlSettings.h"
#include "app/LogLine.h"
#include "app/ReadBackStatus.h"
#include "app/StationCells.h"
#include "app/WindowLayout.h"
#include "app/win32/ControlIds.h"
#include "app/win32/Dpi.h"
#include "app/win32/SystemLanguage.h"
#include "platform/win32/WideText.h"
#include "sources/SourceRegistry.h"

namespace wx {
namespace {

// Closing waits this long for the engine and a weather-text job to end.
constexpr auto kCloseWait = std::chrono::milliseconds(1500);
constexpr auto kWorkerPoll = std::chrono::milliseconds(20);
constexpr UINT_PTR kCloseTimer = 1;

struct Caption {
    int id;
    TextId text;
};
constexpr Caption kCaptions[] = {
    {IDC_START, TextId::Start},
    {IDC_STOP, TextId::Stop},
    {IDC_REFRESH, TextId::Refresh},
    {IDC_WEATHER_TEXT, TextId::WeatherText},
    {IDC_ABOUT, TextId::About},
    {IDC_SOURCE_LABEL, TextId::SourceLabel},
    {IDC_AUTO_STATIONS, TextId::AutoStations},
    {IDC_MANUAL_STATIONS, TextId::ManualStations},
    {IDC_MAX_STATIONS_LABEL, TextId::MaxStationsLabel},
    {IDC_RADIUS_LABEL, TextId::RadiusLabel},
    {IDC_INTERVAL_LABEL, TextId::IntervalLabel},
    {IDC_SYNTH_WITHOUT_METAR, TextId::SynthWithoutMetar},
    {IDC_GLOBAL_LAYER, TextId::GlobalLayer},
    {IDC_DENSE_FIELD, TextId::DenseField},
    {IDC_ONLY_NEAREST, TextId::OnlyNearest},
    {IDC_SMOOTH_CHANGES, TextId::SmoothChanges},
    {IDC_KEEP_REPORTS, TextId::KeepReports},
    {IDC_SYNC_ZULU, TextId::SyncZulu},
    {IDC_SIGMET, TextId::Sigmet},
    {IDC_CAVOK_HAZE, TextId::CavokHaze},
    {IDC_TEXT_IN_SIM, TextId::TextInSim},
    {IDC_FULL_METAR, TextId::FullMetar},
    {IDC_TEXT_SECONDS_LABEL, TextId::TextSecondsLabel},
    {IDC_CAVOK_VISIBILITY_LABEL, TextId::CavokVisibilityLabel},
    {IDC_STATIONS_LABEL, TextId::StationsLabel},
    {IDC_ADD_STATION, TextId::AddStation},
    {IDC_REMOVE_STATION, TextId::RemoveStation},
    {IDC_LOG_LABEL, TextId::LogLabel},
    {IDC_READBACK, TextId::ReadBackNone},
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

void place(HWND window, const PixelRect& rect) {
    MoveWindow(window, rect.left, rect.top, rect.width, rect.height, TRUE);
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, MainWindowSeams seams)
    : instance_(instance),
      seams_(std::move(seams)),
      settingsPath_(seams_.settingsFile.empty() ? defaultSettingsPath() : seams_.settingsFile),
      startSettings_(readSettingsFile(settingsPath_)),
      languageAskedFor_(languageAskedFor(startSettings_.settings.language)),
      language_(systemLanguage(languageAskedFor_)) {}

MainWindow::~MainWindow() {
    if (engine_) {
        engine_->requestStop();
    }
    if (!waitForWorkers(kCloseWait)) {
        endProcessNow();
    }
    engine_.reset();
    textJob_.collect();
    if (dialog_ != nullptr && IsWindow(dialog_) != 0) {
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
        const PixelSize minimum = minimumWindowSize(dpi_);
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {minimum.width, minimum.height};
        return TRUE;
    }
    case WM_DPICHANGED:
        dpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        onCommand(wParam);
        return TRUE;
    case WM_NOTIFY:
        SetWindowLongPtrW(dialog_, DWLP_MSGRESULT, onNotify(*reinterpret_cast<const NMHDR*>(lParam)));
        return TRUE;
    case WM_CLOSE:
        close();
        return TRUE;
    case WM_TIMER:
        if (wParam == kCloseTimer) {
            endProcessNow();
        }
        return TRUE;
    case WM_DESTROY:
        PostQuitMessage(0);
        return TRUE;
    case kEventsWaitingMessage:
        takeEvents();
        return TRUE;
    default:
        return FALSE;
    }
}

void MainWindow::initialise() {
    bridge_ = EngineBridge(dialog_);
    dpi_ = windowDpi(dialog_);
    map_ = std::make_unique<WeatherMapView>(dialog_, IDC_WEATHER_MAP, language_, dpi_);
    takeOverDpiScaling(dialog_);
    const auto dialogFont = reinterpret_cast<HFONT>(SendMessageW(dialog_, WM_GETFONT, 0, 0));
    GetObjectW(dialogFont, sizeof dialogFont_, &dialogFont_);
    dialogFontDpi_ = dpi_;
    scaledControls_ = ScaledControls(dialog_, dpi_);
    log_ = LogView(control(IDC_LOG));
    table_ = StationTable(control(IDC_STATION_TABLE), language_);
    setIcons();
    setTexts();
    setupViews();
    updateButtons();
    showSettings(startSettings_.settings.engine);
    applyFonts();
    restorePlace();
    showView(startSettings_.settings.mapShown);
    layoutControls();
    table_.fitColumns(dpi_);
    if (seams_.recording) {
        appendLog(uiText(language_, seams_.recording->recording ? TextId::RecordingPack : TextId::PackNotRecorded,
                         seams_.recording->dir),
                  seams_.recording->recording ? "INFO" : "ERROR");
    }
    if (const auto warning = settingsWarning(startSettings_, language_)) {
        appendLog(*warning, "WARN");
    }
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

void MainWindow::setTexts() {
    for (const Caption& caption : kCaptions) {
        SetDlgItemTextW(dialog_, caption.id, toWide(text(caption.text)).c_str());
    }
    const HWND sources = control(IDC_SOURCE);
    for (const SourceInfo& source : listSources()) {
        SendMessageW(sources, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(toWide(sourceDisplayName(language_, source)).c_str()));
    }
}

// Every control gets the fonts made for the current DPI; the previous ones
// are deleted only after no control uses them any more.
void MainWindow::applyFonts() {
    WindowFonts fonts = makeWindowFonts(dialogFont_, dialogFontDpi_, dpi_);
    for (HWND child = GetWindow(dialog_, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const HFONT font = child == control(IDC_LOG) ? fonts.log.get() : fonts.controls.get();
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    fonts_ = std::move(fonts);
}

// The window moved to a screen of another DPI (or that screen's scale
// changed): new fonts, every control scaled from its template place, the
// window in the rectangle the system suggests, and the layout again.
void MainWindow::dpiChanged(unsigned dpi, const RECT& suggested) {
    if (dpi == 0 || dpi == dpi_) {
        return;
    }
    dpi_ = dpi;
    applyFonts();
    scaledControls_.scaleTo(dpi_);
    SetWindowPos(dialog_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    layoutControls();
    table_.fitColumns(dpi_);
    map_->setDpi(dpi_);
    InvalidateRect(dialog_, nullptr, TRUE);
}

void MainWindow::loadAirports() {
    appendLog(text(TextId::LoadingAirports), "INFO");
    airports_ = std::make_unique<AirportDb>(bridge_.logAdapter(), seams_.airportCache);
    if (airports_->load()) {
        appendLog(uiText(language_, TextId::AirportsReady, std::to_string(airports_->size())), "OK");
    } else {
        appendLog(text(TextId::AirportsMissing), "WARN");
    }
}

HWND MainWindow::control(int id) const { return GetDlgItem(dialog_, id); }

bool MainWindow::isChecked(int id) const { return IsDlgButtonChecked(dialog_, id) == BST_CHECKED; }

std::string MainWindow::controlText(int id) const {
    const HWND field = control(id);
    std::wstring typed(static_cast<size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    typed.resize(static_cast<size_t>(GetWindowTextW(field, typed.data(), static_cast<int>(typed.size()))));
    return fromWide(typed);
}

std::string MainWindow::text(TextId id) const { return uiText(language_, id); }

void MainWindow::layoutControls() {
    if (dialog_ == nullptr || dpi_ == 0) {
        return;
    }
    RECT client{};
    GetClientRect(dialog_, &client);
    const RECT logRect = childRect(dialog_, control(IDC_LOG));
    const RECT statusRect = childRect(dialog_, control(IDC_READBACK));
    const RECT tabsRect = childRect(dialog_, control(IDC_VIEW_TABS));
    RECT tab{};
    SendMessageW(control(IDC_VIEW_TABS), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
    const ControlPlacement placement =
        placeControls({client.right, client.bottom}, logRect.left, logRect.top, statusRect.bottom - statusRect.top,
                      tabsRect.top, tab.bottom, dpi_);
    place(control(IDC_LOG), placement.log);
    place(control(IDC_READBACK), placement.status);
    place(control(IDC_VIEW_TABS), placement.tabs);
    place(control(IDC_STATION_TABLE), placement.view);
    place(map_->window(), placement.view);
    table_.stretchLastColumn();
}

EngineSettings MainWindow::collectSettings() const { return settingsFromControls(controlValues()); }

std::string MainWindow::selectedSourceId() const {
    return sourceIdAt(static_cast<int>(SendMessageW(control(IDC_SOURCE), CB_GETCURSEL, 0, 0)));
}

void MainWindow::appendLog(const std::string& message, const std::string& level) {
    log_.append(formatLogLine(localTimeNow(), level, message));
}

// Everything reported since the last wake-up, in order. Once closing, the
// window goes as soon as nothing runs any more.
void MainWindow::takeEvents() {
    for (const WindowEvent& event : bridge_.takeEvents()) {
        std::visit([this](const auto& reported) { handle(reported); }, event);
    }
    if (closing_ && workersFinished()) {
        DestroyWindow(dialog_);
    }
}

void MainWindow::handle(const LogLineEvent& event) { appendLog(event.message, event.level); }

void MainWindow::handle(const StationWeatherEvent& event) {
    {
        std::lock_guard lock(weatherMutex_);
        lastWeather_ = event.weather;
    }
    weatherSinceStart_ = true;
    if (!table_) {
        return;
    }
    table_.show(event.stationId, stationCells(event.weather, event.distanceNm, std::chrono::system_clock::now()));
    if (!event.weather.rawMetar.empty()) {
        appendLog("[" + event.stationId + "] METAR: " + event.weather.rawMetar, "METAR");
    }
}

void MainWindow::handle(const StationsChosenEvent& event) {
    stations_ = event.stationIds;
    refreshStationList();
}

void MainWindow::handle(const ReadBackEvent& event) {
    SetDlgItemTextW(dialog_, IDC_READBACK, toWide(readBackStatus(language_, event.readBack)).c_str());
}

void MainWindow::handle(const CycleOverviewEvent& event) { map_->show(event.overview); }

void MainWindow::handle(const EngineStoppedEvent&) {
    engineState_ = EngineState::Idle;
    updateButtons();
    appendLog(text(TextId::EngineStopped), "INFO");
}

void MainWindow::handle(const WeatherTextShownEvent& event) {
    textJob_.collect();
    updateButtons();
    if (event.shown) {
        appendLog(text(TextId::WeatherTextSent), "OK");
    } else {
        appendLog(text(TextId::FsuipcUnavailable), "ERROR");
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

// Start needs an idle engine and no weather-text job holding the
// simulator's link; Stop and Refresh a running engine; the weather text
// neither a stopping engine nor a job of its own still running.
void MainWindow::updateButtons() {
    const bool running = engineState_ == EngineState::Running;
    const struct {
        int id;
        bool enabled;
    } states[] = {
        {IDC_START, engineState_ == EngineState::Idle && !textJob_.busy()},
        {IDC_STOP, running},
        {IDC_REFRESH, running},
        {IDC_WEATHER_TEXT, engineState_ != EngineState::Stopping && !textJob_.busy()},
    };
    for (const auto& state : states) {
        EnableWindow(control(state.id), state.enabled ? TRUE : FALSE);
    }
}

bool MainWindow::engineRunning() const {
    return engineState_ == EngineState::Running && engine_ && engine_->isRunning();
}

// Closing never waits for the engine or a weather-text job without limit:
// the window stays until both have ended or the wait is over, and in the
// latter case the process ends with it.
void MainWindow::close() {
    if (closing_) {
        return;
    }
    closing_ = true;
    saveSettings();
    if (engine_) {
        engine_->requestStop();
    }
    if (workersFinished()) {
        DestroyWindow(dialog_);
        return;
    }
    SetTimer(dialog_, kCloseTimer, static_cast<UINT>(kCloseWait.count()), nullptr);
}

bool MainWindow::workersFinished() const { return (!engine_ || !engine_->isRunning()) && textJob_.finished(); }

bool MainWindow::waitForWorkers(std::chrono::milliseconds limit) const {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!workersFinished()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(kWorkerPoll);
    }
    return true;
}

// A worker that did not end in time may be blocked in a request or in a
// simulator that does not answer. Joining it could take without limit and
// letting it run on could write into the simulator after the window went,
// so every thread of the process ends here and now, the window with them.
void MainWindow::endProcessNow() { TerminateProcess(GetCurrentProcess(), 0); }

}  // namespace wx
