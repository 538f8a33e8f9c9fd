#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "airports/AirportCache.h"
#include "airports/AirportDb.h"
#include "app/SavedSettings.h"
#include "app/UiLanguage.h"
#include "app/WindowEvents.h"
#include "app/win32/BriefingView.h"
#include "app/win32/ControlCaptions.h"
#include "app/win32/ControlIds.h"
#include "app/win32/DialogScale.h"
#include "app/win32/EngineBridge.h"
#include "app/win32/LogView.h"
#include "app/win32/OptionsPanel.h"
#include "app/win32/PackRecording.h"
#include "app/win32/StationTable.h"
#include "app/win32/ViewTabs.h"
#include "app/win32/WeatherMapView.h"
#include "app/win32/WindowCommands.h"
#include "engine/EngineSettings.h"

namespace wx {

// The captions of the log's part of the window: its label and the status
// line below it.
inline constexpr ControlCaption kLogCaptions[] = {
    {IDC_LOG_LABEL, TextId::LogLabel},
    {IDC_READBACK, TextId::ReadBackNone},
};

// What the window takes from outside: where the airport list is cached and
// fetched from, and where its settings are kept. The program leaves the
// first two empty (the user's folder, the process-wide transport); tests
// give folders of their own. And the weather pack the program records into,
// which the log names first. And a plan file taken in place of the one the
// settings name (Nubiro.exe --plan), a weather time in place of the one
// they keep (--weather-time) and an arrival time for its field (--eta).
struct MainWindowSeams {
    AirportCacheOptions airportCache;
    std::string settingsFile;  // empty: defaultSettingsPath()
    std::optional<PackRecordingStart> recording;
    std::optional<std::string> planFile;
    std::optional<std::string> arrival;
    // The weather time the command line gave, put into its field.
    std::optional<std::string> weatherTime;
    // The engines' clock, shared with the weather pack's recorder; empty:
    // each engine has its own.
    std::shared_ptr<WeatherClock> engineClock;
};

// The program's one window: the main dialog with its parts (the options
// panel, the commands with the engine they drive, the log, the tabs over
// the station table, the weather map and the briefing), the airport database loaded
// while it initialises and the events of its bridge handed to the parts.
// Everything runs on the thread that created it; other threads reach it
// only through the events of its bridge (EngineBridge.h). It speaks the
// language systemLanguage() gives and follows the DPI of the screen it is
// on. It starts from the settings kept in its settings file and keeps them
// there again at every Start and when it closes.
class MainWindow {
public:
    explicit MainWindow(HINSTANCE instance, MainWindowSeams seams = {});
    // Stops the engine and waits for it and for a weather-text job a
    // bounded time; if either is still busy then, the process ends here
    // (see endProcessNow). Then destroys the dialog if that still exists.
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the dialog from its template (hidden; the initialisation,
    // airport database load included, runs inside). False when that fails;
    // GetLastError tells why.
    bool create();
    HWND window() const { return dialog_; }
    Language language() const { return language_; }
    // How the program shows the window first: maximised when it was so.
    int showCommand() const;

    // The settings record the controls describe, and the source selected.
    EngineSettings collectSettings() const { return options_.settings(); }
    std::string selectedSourceId() const { return options_.selectedSourceId(); }
    // Adds a line to the log view, stamped with the local time.
    void appendLog(const std::string& message, const std::string& level);
    // Fits the log view, the status line and the views with their tabs to
    // the client area.
    void layoutControls();
    // The callbacks an engine on the computer's clock reports through.
    EngineCallbacks engineCallbacks() const { return bridge_.engineCallbacks({}); }

private:

    static INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void initialise();
    void saveSettings();
    void onCommand(WPARAM wParam);
    LRESULT onNotify(const NMHDR& header);
    void dpiChanged(unsigned dpi, const RECT& suggested);
    void loadAirports();
    HWND control(int id) const { return GetDlgItem(dialog_, id); }

    void takeEvents();
    void handle(const LogLineEvent& event);
    void handle(const StationWeatherEvent& event);
    void handle(const StationsChosenEvent& event);
    void handle(const ReadBackEvent& event);
    void handle(const CycleOverviewEvent& event);
    void handle(const BriefingEvent& event);
    void handle(const EngineStoppedEvent& event);
    void handle(const WeatherTextShownEvent& event);

    void close();
    static void endProcessNow();

    HINSTANCE instance_;
    MainWindowSeams seams_;
    std::string settingsPath_;
    SettingsReading startSettings_;
    Language language_;
    HWND dialog_ = nullptr;
    EngineBridge bridge_;
    LogView log_;
    OptionsPanel options_;
    std::unique_ptr<WindowCommands> commands_;
    StationTable table_;
    std::unique_ptr<WeatherMapView> map_;
    std::unique_ptr<BriefingView> briefing_;
    ViewTabs tabs_;
    DialogScale scale_;
    std::unique_ptr<AirportDb> airports_;
    bool closing_ = false;
};

}  // namespace wx
