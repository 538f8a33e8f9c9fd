#include "app/win32/MainWindow.h"

#include <commctrl.h>

#include <chrono>
#include <variant>

#include "app/ReadBackStatus.h"
#include "app/StationCells.h"
#include "app/WindowLayout.h"
#include "app/win32/Dpi.h"
#include "app/win32/SystemLanguage.h"
#include "app/win32/ChildWindows.h"
#include "app/win32/FlightChoice.h"
#include "app/win32/WindowFrame.h"
#include "platform/win32/WideText.h"

namespace wx {
namespace {

// Closing waits this long for the engine and a weather-text job to end.
constexpr auto kCloseWait = std::chrono::milliseconds(1500);
constexpr UINT_PTR kCloseTimer = 1;

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, MainWindowSeams seams)
    : instance_(instance),
      seams_(std::move(seams)),
      settingsPath_(seams_.settingsFile.empty() ? defaultSettingsPath() : seams_.settingsFile),
      startSettings_(readSettingsFile(settingsPath_)),
      language_(systemLanguage(startSettings_.settings.language)) {}

MainWindow::~MainWindow() {
    if (commands_) {
        commands_->requestStop();
        if (!commands_->waitUntilFinished(kCloseWait)) {
            endProcessNow();
        }
    }
    commands_.reset();
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
        const PixelSize minimum = minimumWindowSize(scale_.dpi());
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
    map_ = std::make_unique<WeatherMapView>(dialog_, IDC_WEATHER_MAP, language_, windowDpi(dialog_));
    briefing_ = std::make_unique<BriefingView>(dialog_, IDC_BRIEFING, language_, windowDpi(dialog_));
    scale_ = DialogScale(dialog_, control(IDC_LOG));
    log_ = LogView(control(IDC_LOG));
    table_ = StationTable(control(IDC_STATION_TABLE), language_);
    setWindowIcons(dialog_, instance_, IDI_NUBIRO);
    setCaptions(dialog_, language_, kLogCaptions);
    options_ = OptionsPanel(dialog_, language_);
    commands_ = std::make_unique<WindowCommands>(CommandsContext{
        dialog_, language_, bridge_, &options_,
        [this](const std::string& message, const std::string& level) { appendLog(message, level); },
        [this] { saveSettings(); briefing_->show(std::nullopt); }, seams_.engineClock});
    // The views in the order of ShownView.
    tabs_ = ViewTabs(control(IDC_VIEW_TABS), language_,
                     {{TextId::ViewTable, control(IDC_STATION_TABLE)}, {TextId::ViewMap, map_->window()},
                      {TextId::ViewBriefing, briefing_->window()}});
    options_.show(startSettings_.settings.engine, startSettings_.settings.language, seams_.weatherTime);
    scale_.applyFonts();
    if (startSettings_.settings.window) {
        restoreWindowPlace(dialog_, *startSettings_.settings.window, scale_.dpi());
    }
    tabs_.select(static_cast<size_t>(startSettings_.settings.view));
    layoutControls();
    table_.fitColumns(scale_.dpi());
    if (seams_.recording) {
        appendLog(uiText(language_, seams_.recording->recording ? TextId::RecordingPack : TextId::PackNotRecorded,
                         seams_.recording->dir),
                  seams_.recording->recording ? "INFO" : "ERROR");
    }
    if (const auto warning = settingsWarning(startSettings_, language_)) {
        appendLog(*warning, "WARN");
    }
    loadAirports();
    showStartFlight(startSettings_.settings.flight, seams_.planFile, seams_.arrival, options_, *commands_);
}

int MainWindow::showCommand() const { return firstShowCommand(startSettings_.settings.window); }

// Everything the controls hold (the language chosen among them, never
// NUBIRO_LANG's), the window's place and the view shown. A file that
// cannot be written is said in the log; the one there stays as it was.
void MainWindow::saveSettings() {
    SavedSettings settings;
    settings.engine = options_.settings();
    settings.flight = options_.flight();
    settings.language = options_.languageChoice();
    settings.view = static_cast<ShownView>(tabs_.selected());
    settings.window = currentWindowPlace(dialog_, scale_.dpi());
    if (!writeSettingsFile(settingsPath_, settings)) {
        appendLog(uiText(language_, TextId::SettingsNotSaved, settingsPath_), "WARN");
    }
}

void MainWindow::onCommand(WPARAM wParam) {
    if (closing_) {
        return;
    }
    if (LOWORD(wParam) == IDCANCEL) {
        close();
        return;
    }
    if (LOWORD(wParam) == IDC_PLAN) {
        choosePlanFile(options_, *commands_);
    }
    commands_->onCommand(LOWORD(wParam));
    if (options_.onCommand(wParam)) {
        commands_->sourceChanged();
    }
}

LRESULT MainWindow::onNotify(const NMHDR& header) {
    if (!tabs_.onNotify(header) && header.idFrom == IDC_STATION_TABLE && header.code == NM_CUSTOMDRAW) {
        return table_.customDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(&header)));
    }
    return 0;
}

// The window moved to a screen of another DPI (or that screen's scale
// changed): new fonts, every control scaled from its template place, the
// window in the rectangle the system suggests, and the layout again.
void MainWindow::dpiChanged(unsigned dpi, const RECT& suggested) {
    if (!scale_.change(dpi)) {
        return;
    }
    SetWindowPos(dialog_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    layoutControls();
    table_.fitColumns(scale_.dpi());
    map_->setDpi(scale_.dpi());
    briefing_->setDpi(scale_.dpi());
    InvalidateRect(dialog_, nullptr, TRUE);
}

void MainWindow::loadAirports() {
    appendLog(uiText(language_, TextId::LoadingAirports), "INFO");
    airports_ = std::make_unique<AirportDb>(bridge_.logAdapter(), seams_.airportCache);
    if (airports_->load()) {
        appendLog(uiText(language_, TextId::AirportsReady, std::to_string(airports_->size())), "OK");
    } else {
        appendLog(uiText(language_, TextId::AirportsMissing), "WARN");
    }
    commands_->useAirports(*airports_);
}

void MainWindow::layoutControls() {
    if (scale_.dpi() == 0) {
        return;
    }
    RECT client{};
    GetClientRect(dialog_, &client);
    const RECT logRect = childRect(dialog_, control(IDC_LOG));
    const RECT statusRect = childRect(dialog_, control(IDC_READBACK));
    const RECT tabsRect = childRect(dialog_, tabs_.window());
    const ControlPlacement placement =
        placeControls({client.right, client.bottom}, logRect.left, logRect.top, statusRect.bottom - statusRect.top,
                      tabsRect.top, tabs_.tabsHeight(), scale_.dpi());
    placeChild(control(IDC_LOG), placement.log);
    placeChild(control(IDC_READBACK), placement.status);
    tabs_.place(placement.tabs, placement.view);
    table_.stretchLastColumn();
}

void MainWindow::appendLog(const std::string& message, const std::string& level) {
    log_.appendNow(level, message);
}

// Everything reported since the last wake-up, in order. Once closing, the
// window goes as soon as nothing runs any more.
void MainWindow::takeEvents() {
    for (const WindowEvent& event : bridge_.takeEvents()) {
        std::visit([this](const auto& reported) { handle(reported); }, event);
    }
    if (closing_ && commands_->finished()) {
        DestroyWindow(dialog_);
    }
}

void MainWindow::handle(const LogLineEvent& event) { appendLog(event.message, event.level); }

void MainWindow::handle(const StationWeatherEvent& event) {
    commands_->weatherReported(event.weather);
    if (!table_) {
        return;
    }
    table_.show(event.stationId, event.role, stationCells(event.weather, event.distanceNm, event.writtenAt));
    if (!event.weather.rawMetar.empty()) {
        appendLog("[" + event.stationId + "] METAR: " + event.weather.rawMetar, "METAR");
    }
}

void MainWindow::handle(const StationsChosenEvent& event) { options_.showStations(event.stationIds); }

void MainWindow::handle(const ReadBackEvent& event) {
    SetDlgItemTextW(dialog_, IDC_READBACK, toWide(readBackStatus(language_, event.readBack)).c_str());
}

void MainWindow::handle(const CycleOverviewEvent& event) { map_->show(event.overview); }

void MainWindow::handle(const BriefingEvent& event) { briefing_->show(event.briefing); }

void MainWindow::handle(const EngineStoppedEvent&) { commands_->engineStopped(); }

void MainWindow::handle(const WeatherTextShownEvent& event) { commands_->weatherTextShown(event.shown); }

// Closing never waits for the engine or a weather-text job without limit:
// the window stays until both have ended or the wait is over, and in the
// latter case the process ends with it.
void MainWindow::close() {
    if (closing_) {
        return;
    }
    closing_ = true;
    saveSettings();
    commands_->requestStop();
    if (commands_->finished()) {
        DestroyWindow(dialog_);
        return;
    }
    SetTimer(dialog_, kCloseTimer, static_cast<UINT>(kCloseWait.count()), nullptr);
}

// A worker that did not end in time may be blocked in a request or in a
// simulator that does not answer. Joining it could take without limit and
// letting it run on could write into the simulator after the window went,
// so every thread of the process ends here and now, the window with them.
void MainWindow::endProcessNow() { TerminateProcess(GetCurrentProcess(), 0); }

}  // namespace wx
