#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "airports/AirportDb.h"
#include "app/UiLanguage.h"
#include "app/WeatherTextJob.h"
#include "app/win32/ControlCaptions.h"
#include "app/win32/ControlIds.h"
#include "app/win32/EngineBridge.h"
#include "app/win32/OptionsPanel.h"
#include "engine/Engine.h"
#include "flight/PlanChoice.h"
#include "weather/WeatherData.h"

namespace wx {

// The command buttons' captions.
inline constexpr ControlCaption kCommandCaptions[] = {
    {IDC_START, TextId::Start},          {IDC_STOP, TextId::Stop},   {IDC_REFRESH, TextId::Refresh},
    {IDC_WEATHER_TEXT, TextId::WeatherText}, {IDC_ABOUT, TextId::About},
};

// What the commands take from the window: its dialog, language and
// bridge, the options the engine runs with, where log lines go and what
// the window does when the engine starts.
struct CommandsContext {
    HWND dialog = nullptr;
    Language language = Language::English;
    EngineBridge bridge;
    const OptionsPanel* options = nullptr;
    std::function<void(const std::string& message, const std::string& level)> log;
    std::function<void()> started;
    // The clock the engines run on, shared with the weather pack's
    // recorder; empty: a new one for each engine.
    std::shared_ptr<WeatherClock> engineClock;
};

// The window's commands: Start, Stop, Refresh, the weather text, About and
// a change of source, with the engine they drive, the job that shows the
// weather text without an engine and the buttons' states. Everything runs
// on the window's thread; the engine's reports come back through the
// window's events.
class WindowCommands {
public:
    explicit WindowCommands(CommandsContext context);
    // Lets the engine go, then the weather-text job; whoever owns the
    // commands waits until finished() first, or ends the process instead.
    ~WindowCommands();
    WindowCommands(const WindowCommands&) = delete;
    WindowCommands& operator=(const WindowCommands&) = delete;

    // The airport database Start needs.
    void useAirports(const AirportDb& airports) { airports_ = &airports; }
    // The plan a flight asks for, said in the log: its summary line, or the
    // one warning why there is none. Nothing, silently, for a flight that
    // asks for no plan.
    std::optional<FlightPlan> takeFlight(const PlanChoice& flight) const;

    // A command button's click (other commands are ignored).
    void onCommand(int id);
    void sourceChanged();

    // The engine's and the job's reports.
    void weatherReported(const WeatherData& weather);
    void engineStopped();
    void weatherTextShown(bool shown);

    // Asks a running engine to stop, without waiting.
    void requestStop();
    // True when neither the engine nor a weather-text job runs any more.
    bool finished() const;
    // Waits until finished() a bounded time; false when the time ran out.
    bool waitUntilFinished(std::chrono::milliseconds limit) const;

private:
    // The engine as the window sees it: Stopping from Stop until the
    // engine reports that its worker has ended.
    enum class EngineState { Idle, Running, Stopping };

    void updateButtons();
    void start();
    void stop();
    void refresh();
    void weatherTextToSimulator();
    void about() const;
    void showWarning(TextId message) const;
    bool engineRunning() const;
    // The arrival field read now; a text it does not understand is said in
    // the log and leaves the arrival time taken before (false).
    bool takeArrival();
    // The options' settings with the plan taken at Start and the arrival
    // time taken at Start or Refresh.
    EngineSettings engineSettings() const;
    std::string text(TextId id) const { return uiText(context_.language, id); }

    CommandsContext context_;
    const AirportDb* airports_ = nullptr;
    std::unique_ptr<Engine> engine_;
    EngineState engineState_ = EngineState::Idle;
    std::optional<FlightPlan> plan_;
    std::string alternateId_;
    std::optional<UtcMillis> typedArrival_;
    bool weatherSinceStart_ = false;
    WeatherTextJob textJob_;
    std::mutex weatherMutex_;
    std::optional<WeatherData> lastWeather_;
};

}  // namespace wx
