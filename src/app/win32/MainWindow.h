#pragma once

#include <windows.h>

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "airports/AirportCache.h"
#include "airports/AirportDb.h"
#include "app/win32/EngineBridge.h"
#include "app/win32/LogView.h"
#include "app/win32/StationTable.h"
#include "engine/Engine.h"
#include "engine/EngineSettings.h"
#include "weather/WeatherData.h"

namespace wx {

// What the window takes from outside: where the airport list is cached and
// fetched from. The program leaves it empty (the user's folder, the
// process-wide transport); tests give a folder of their own.
struct MainWindowSeams {
    AirportCacheOptions airportCache;
};

// The program's one window: the main dialog with its controls, the airport
// database loaded while it initialises, the engine the commands drive, the
// station list and the last weather reported. Everything runs on the thread
// that created it; the engine's worker reaches it only through posted
// messages (EngineBridge.h).
class MainWindow {
public:
    explicit MainWindow(HINSTANCE instance, MainWindowSeams seams = {});
    // Stops a running engine, waiting for it about five seconds at most,
    // then destroys it and the dialog if that still exists.
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the dialog from its template (hidden; the initialisation,
    // airport database load included, runs inside). False when that fails;
    // GetLastError tells why.
    bool create();
    HWND window() const { return dialog_; }

    // The settings record the controls describe, and the source selected.
    EngineSettings collectSettings() const;
    std::string selectedSourceId() const;
    // Adds a line to the log view, stamped with the local time.
    void appendLog(const std::string& message, const std::string& level);
    // Fits the log view and the station table to the client area.
    void layoutControls();

private:
    static INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void initialise();
    void setIcons();
    void setInitialStates();
    void loadAirports();
    HWND control(int id) const;
    bool isChecked(int id) const;
    std::string controlText(int id) const;

    void showStationWeather(const StationWeatherPayload& payload);
    void refreshStationList();
    void engineStopped();
    void setRunningButtons(bool running);

    void onCommand(WPARAM wParam);
    void start();
    void stop();
    void refresh();
    void sourceChanged();
    void weatherTextToSimulator();
    void about();
    void showWarning(const std::string& text);
    void addStation();
    void removeStation();

    void stopEngine();
    void discardQueuedPayloads();

    HINSTANCE instance_;
    MainWindowSeams seams_;
    HWND dialog_ = nullptr;
    LogView log_;
    StationTable table_;
    std::unique_ptr<AirportDb> airports_;
    std::unique_ptr<Engine> engine_;
    std::vector<std::string> stations_{"EGLL", "EDDF", "LFPG", "EHAM"};
    std::mutex weatherMutex_;
    std::optional<WeatherData> lastWeather_;
};

}  // namespace wx
