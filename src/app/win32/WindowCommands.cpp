// The window's commands: what each button and the source selector do.

#include "app/win32/WindowCommands.h"

#include <thread>
#include <utility>

#include "app/AboutText.h"
#include "app/ArrivalField.h"
#include "engine/WeatherTime.h"
#include "flight/PlanSummary.h"
#include "platform/win32/WideText.h"

namespace wx {
namespace {

constexpr auto kFinishPoll = std::chrono::milliseconds(20);

}  // namespace

WindowCommands::WindowCommands(CommandsContext context) : context_(std::move(context)) {
    setCaptions(context_.dialog, context_.language, kCommandCaptions);
    updateButtons();
}

WindowCommands::~WindowCommands() {
    engine_.reset();
    textJob_.collect();
}

std::optional<FlightPlan> WindowCommands::takeFlight(const PlanChoice& flight) const {
    if (!asksForPlan(flight) || airports_ == nullptr) {
        return std::nullopt;
    }
    const AirportDb& airports = *airports_;
    const TakenPlan taken = takePlan(flight, [&airports](const std::string& id) { return airports.findAirport(id); });
    if (!taken.plan) {
        context_.log(taken.warning, "WARN");
        return std::nullopt;
    }
    const PlanSummary summary = summarizePlan(*taken.plan, flight.alternateId);
    context_.log(context_.language == Language::Russian ? planSummaryLineRussian(summary) : planSummaryLine(summary),
                 "INFO");
    return taken.plan;
}

EngineSettings WindowCommands::engineSettings() const {
    EngineSettings settings = context_.options->settings();
    settings.plan = plan_;
    settings.alternateId = plan_ ? alternateId_ : std::string();
    settings.typedArrival = typedArrival_;
    return settings;
}

bool WindowCommands::takeArrival() {
    const std::string typed = context_.options->arrivalText();
    // A time of day is the next one after the weather time flown.
    const UtcMillis now = readWeatherTime(context_.options->weatherTimeText())
                              .value_or(std::chrono::floor<std::chrono::milliseconds>(std::chrono::system_clock::now()));
    const ArrivalReading arrival = readArrivalField(typed, now);
    if (!arrival.understood) {
        context_.log(uiText(context_.language, TextId::ArrivalNotUnderstood, typed), "WARN");
        return false;
    }
    typedArrival_ = arrival.at;
    return true;
}

void WindowCommands::onCommand(int id) {
    switch (id) {
    case IDC_START:
        start();
        break;
    case IDC_STOP:
        stop();
        break;
    case IDC_REFRESH:
        refresh();
        break;
    case IDC_WEATHER_TEXT:
        weatherTextToSimulator();
        break;
    case IDC_ABOUT:
        about();
        break;
    default:
        break;
    }
}

// Only one simulator link may exist in the process: while a weather-text
// job holds one, Start is refused (its button is disabled until the job
// has reported, which it does within its link's time-outs). An arrival
// time the field does not understand refuses it too, with one log line.
void WindowCommands::start() {
    if (engineState_ != EngineState::Idle || textJob_.busy()) {
        return;
    }
    if (airports_ == nullptr || airports_->size() == 0) {
        showWarning(TextId::NoAirportDatabase);
        return;
    }
    if (context_.options->settings().stationMode == "manual" && context_.options->settings().manualStations.empty()) {
        showWarning(TextId::AddStationsFirst);
        return;
    }
    const std::string typedTime = context_.options->weatherTimeText();
    const auto present = std::chrono::system_clock::now();
    const std::string refusal =
        weatherTimeRefusalText(context_.language, chooseWeatherTime(typedTime, present), typedTime, present);
    if (!refusal.empty()) {
        context_.log(refusal, "WARN");
        return;
    }
    if (!takeArrival()) {
        return;
    }
    const PlanChoice flight = context_.options->flight();
    plan_ = takeFlight(flight);
    alternateId_ = flight.alternateId;
    const EngineSettings settings = engineSettings();
    context_.log(uiText(context_.language, TextId::SourceSelected, settings.source), "INFO");
    SetDlgItemTextW(context_.dialog, IDC_READBACK, toWide(text(TextId::ReadBackNone)).c_str());
    // The engine's clock, shared with the table's age column.
    EngineSeams seams;
    seams.weatherClock = context_.engineClock ? context_.engineClock : std::make_shared<WeatherClock>(UtcClock{});
    const UtcClock engineClock = [clock = seams.weatherClock] { return clock->now(); };
    engine_ = std::make_unique<Engine>(*airports_, settings, context_.bridge.engineCallbacks(engineClock),
                                       std::move(seams));
    engine_->start();
    engineState_ = EngineState::Running;
    weatherSinceStart_ = false;
    updateButtons();
    context_.started();
}

void WindowCommands::stop() {
    if (engineState_ != EngineState::Running) {
        return;
    }
    context_.log(text(TextId::Stopping), "INFO");
    engine_->requestStop();
    engineState_ = EngineState::Stopping;
    updateButtons();
}

void WindowCommands::refresh() {
    if (!engineRunning()) {
        return;
    }
    takeArrival();
    engine_->updateSettings(engineSettings());
    engine_->requestRefresh();
    context_.log(uiText(context_.language, TextId::RefreshRequested, context_.options->selectedSourceId()), "INFO");
}

void WindowCommands::sourceChanged() {
    const std::string source = context_.options->selectedSourceId();
    context_.log(uiText(context_.language, TextId::SourceChanged, source), "INFO");
    if (engineRunning()) {
        engine_->updateSettings(engineSettings());
        engine_->requestRefresh();
        context_.log(uiText(context_.language, TextId::SourceChangeRefresh, source), "OK");
    }
}

// A running engine shows the weather it wrote last, so it is asked only
// once a station weather of this start has arrived. Without an engine a
// job shows the last weather through a link of its own, off this thread.
void WindowCommands::weatherTextToSimulator() {
    if (engineState_ == EngineState::Stopping || textJob_.busy()) {
        return;
    }
    std::optional<WeatherData> weather;
    {
        std::lock_guard lock(weatherMutex_);
        weather = lastWeather_;
    }
    if (!weather) {
        context_.log(text(TextId::NoWeatherYet), "WARN");
        return;
    }
    if (engineRunning()) {
        if (!weatherSinceStart_) {
            context_.log(text(TextId::NoWeatherSinceStart), "WARN");
            return;
        }
        engine_->requestWeatherText();
        context_.log(text(TextId::WeatherTextSent), "OK");
        return;
    }
    const EngineBridge bridge = context_.bridge;
    textJob_.start(*weather, [bridge](bool shown) { bridge.report(WeatherTextShownEvent{shown}); });
    updateButtons();
}

void WindowCommands::about() const {
    MessageBoxW(context_.dialog, toWide(aboutText(context_.language)).c_str(),
                toWide(text(TextId::AboutCaption)).c_str(), MB_OK | MB_ICONINFORMATION);
}

void WindowCommands::showWarning(TextId message) const {
    MessageBoxW(context_.dialog, toWide(text(message)).c_str(), toWide(text(TextId::ErrorCaption)).c_str(),
                MB_OK | MB_ICONWARNING);
}

void WindowCommands::weatherReported(const WeatherData& weather) {
    {
        std::lock_guard lock(weatherMutex_);
        lastWeather_ = weather;
    }
    weatherSinceStart_ = true;
}

void WindowCommands::engineStopped() {
    engineState_ = EngineState::Idle;
    updateButtons();
    context_.log(text(TextId::EngineStopped), "INFO");
}

void WindowCommands::weatherTextShown(bool shown) {
    textJob_.collect();
    updateButtons();
    if (shown) {
        context_.log(text(TextId::WeatherTextSent), "OK");
    } else {
        context_.log(text(TextId::FsuipcUnavailable), "ERROR");
    }
}

void WindowCommands::requestStop() {
    if (engine_) {
        engine_->requestStop();
    }
}

bool WindowCommands::finished() const { return (!engine_ || !engine_->isRunning()) && textJob_.finished(); }

bool WindowCommands::waitUntilFinished(std::chrono::milliseconds limit) const {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!finished()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(kFinishPoll);
    }
    return true;
}

// Start needs an idle engine and no weather-text job holding the
// simulator's link; Stop and Refresh a running engine; the weather text
// neither a stopping engine nor a job of its own still running.
void WindowCommands::updateButtons() {
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
        EnableWindow(GetDlgItem(context_.dialog, state.id), state.enabled ? TRUE : FALSE);
    }
}

bool WindowCommands::engineRunning() const {
    return engineState_ == EngineState::Running && engine_ && engine_->isRunning();
}

}  // namespace wx
