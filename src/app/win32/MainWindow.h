#pragma once

#include <windows.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "airports/AirportCache.h"
#include "airports/AirportDb.h"
#include "app/ControlSettings.h"
#include "app/SavedSettings.h"
#include "app/UiLanguage.h"
#include "app/UiText.h"
#include "app/WeatherTextJob.h"
#include "app/WindowEvents.h"
#include "app/win32/EngineBridge.h"
#include "app/win32/Fonts.h"
#include "app/win32/LogView.h"
#include "app/win32/PackRecording.h"
#include "app/win32/ScaledControls.h"
#include "app/win32/StationTable.h"
#include "app/win32/WeatherMapView.h"
#include "engine/Engine.h"
#include "engine/EngineSettings.h"
#include "weather/WeatherData.h"

namespace wx {

// What the window takes from outside: where the airport list is cached and
// fetched from, and where its settings are kept. The program leaves the
// first two empty (the user's folder, the process-wide transport); tests
// give folders of their own. And the weather pack the program records into,
// which the log names first.
struct MainWindowSeams {
    AirportCacheOptions airportCache;
    std::string settingsFile;  // empty: defaultSettingsPath()
    std::optional<PackRecordingStart> recording;
};

// The program's one window: the main dialog with its controls, the airport
// database loaded while it initialises, the engine the commands drive, the
// station list and the last weather reported. Everything runs on the thread
// that created it; other threads reach it only through the events of its
// bridge (EngineBridge.h). It speaks the language systemLanguage() gives
// and follows the DPI of the screen it is on. It starts from the settings
// kept in its settings file and keeps them there again at every Start and
// when it closes.
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
    EngineSettings collectSettings() const;
    std::string selectedSourceId() const;
    // Adds a line to the log view, stamped with the local time.
    void appendLog(const std::string& message, const std::string& level);
    // Fits the log view, the status line and the station table to the
    // client area.
    void layoutControls();
    // The callbacks an engine of this window reports through.
    EngineCallbacks engineCallbacks() const { return bridge_.engineCallbacks(); }

private:
    // The engine as the window sees it: Stopping from Stop until the
    // engine reports that its worker has ended.
    enum class EngineState { Idle, Running, Stopping };

    static INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void initialise();
    void setIcons();
    void setTexts();
    void showSettings(const EngineSettings& settings);
    void restorePlace();
    void saveSettings();
    ControlValues controlValues() const;
    void setupViews();
    void showView(bool map);
    LRESULT onNotify(const NMHDR& header);
    void applyFonts();
    void dpiChanged(unsigned dpi, const RECT& suggested);
    void loadAirports();
    HWND control(int id) const;
    bool isChecked(int id) const;
    std::string controlText(int id) const;
    std::string text(TextId id) const;

    void takeEvents();
    void handle(const LogLineEvent& event);
    void handle(const StationWeatherEvent& event);
    void handle(const StationsChosenEvent& event);
    void handle(const ReadBackEvent& event);
    void handle(const CycleOverviewEvent& event);
    void handle(const EngineStoppedEvent& event);
    void handle(const WeatherTextShownEvent& event);
    void refreshStationList();
    void updateButtons();
    bool engineRunning() const;

    void onCommand(WPARAM wParam);
    void start();
    void stop();
    void refresh();
    void sourceChanged();
    void weatherTextToSimulator();
    void about();
    void showWarning(TextId message);
    void addStation();
    void removeStation();
    void keepReportsToggled();

    void close();
    bool workersFinished() const;
    bool waitForWorkers(std::chrono::milliseconds limit) const;
    static void endProcessNow();

    HINSTANCE instance_;
    MainWindowSeams seams_;
    std::string settingsPath_;
    SettingsReading startSettings_;
    std::string languageAskedFor_;
    Language language_;
    HWND dialog_ = nullptr;
    EngineBridge bridge_;
    LogView log_;
    StationTable table_;
    std::unique_ptr<WeatherMapView> map_;
    bool mapShown_ = false;
    unsigned dpi_ = 0;
    LOGFONTW dialogFont_{};
    unsigned dialogFontDpi_ = 0;
    WindowFonts fonts_;
    ScaledControls scaledControls_;
    std::unique_ptr<AirportDb> airports_;
    std::unique_ptr<Engine> engine_;
    EngineState engineState_ = EngineState::Idle;
    bool weatherSinceStart_ = false;
    WeatherTextJob textJob_;
    bool closing_ = false;
    std::vector<std::string> stations_;
    std::mutex weatherMutex_;
    std::optional<WeatherData> lastWeather_;
};

}  // namespace wx
