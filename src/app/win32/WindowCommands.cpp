// The window's commands: what each button and the source selector do.

#include <windows.h>

#include "app/AboutText.h"
#include "app/ControlSettings.h"
#include "app/StationEntry.h"
#include "app/win32/ControlIds.h"
#include "app/win32/MainWindow.h"
#include "platform/win32/WideText.h"

namespace wx {

void MainWindow::onCommand(WPARAM wParam) {
    if (closing_) {
        return;
    }
    switch (LOWORD(wParam)) {
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
    case IDC_SOURCE:
        if (HIWORD(wParam) == CBN_SELCHANGE) {
            sourceChanged();
        }
        break;
    case IDC_ABOUT:
        about();
        break;
    case IDC_ADD_STATION:
        addStation();
        break;
    case IDC_REMOVE_STATION:
        removeStation();
        break;
    case IDC_KEEP_REPORTS:
        if (HIWORD(wParam) == BN_CLICKED) {
            keepReportsToggled();
        }
        break;
    case IDCANCEL:
        close();
        break;
    default:
        break;
    }
}

// Only one simulator link may exist in the process: while a weather-text
// job holds one, Start is refused (its button is disabled until the job
// has reported, which it does within its link's time-outs).
void MainWindow::start() {
    if (engineState_ != EngineState::Idle || textJob_.busy()) {
        return;
    }
    if (!airports_ || airports_->size() == 0) {
        showWarning(TextId::NoAirportDatabase);
        return;
    }
    const EngineSettings settings = collectSettings();
    if (settings.stationMode == "manual" && settings.manualStations.empty()) {
        showWarning(TextId::AddStationsFirst);
        return;
    }
    appendLog(uiText(language_, TextId::SourceSelected, settings.source), "INFO");
    SetDlgItemTextW(dialog_, IDC_READBACK, toWide(text(TextId::ReadBackNone)).c_str());
    engine_ = std::make_unique<Engine>(*airports_, settings, bridge_.engineCallbacks());
    engine_->start();
    engineState_ = EngineState::Running;
    weatherSinceStart_ = false;
    updateButtons();
    saveSettings();
}

void MainWindow::stop() {
    if (engineState_ != EngineState::Running) {
        return;
    }
    appendLog(text(TextId::Stopping), "INFO");
    engine_->requestStop();
    engineState_ = EngineState::Stopping;
    updateButtons();
}

void MainWindow::refresh() {
    if (!engineRunning()) {
        return;
    }
    engine_->updateSettings(collectSettings());
    engine_->requestRefresh();
    appendLog(uiText(language_, TextId::RefreshRequested, selectedSourceId()), "INFO");
}

void MainWindow::sourceChanged() {
    appendLog(uiText(language_, TextId::SourceChanged, selectedSourceId()), "INFO");
    if (engineRunning()) {
        engine_->updateSettings(collectSettings());
        engine_->requestRefresh();
        appendLog(uiText(language_, TextId::SourceChangeRefresh, selectedSourceId()), "OK");
    }
}

// A running engine shows the weather it wrote last, so it is asked only
// once a station weather of this start has arrived. Without an engine a
// job shows the last weather through a link of its own, off this thread.
void MainWindow::weatherTextToSimulator() {
    if (engineState_ == EngineState::Stopping || textJob_.busy()) {
        return;
    }
    std::optional<WeatherData> weather;
    {
        std::lock_guard lock(weatherMutex_);
        weather = lastWeather_;
    }
    if (!weather) {
        appendLog(text(TextId::NoWeatherYet), "WARN");
        return;
    }
    if (engineRunning()) {
        if (!weatherSinceStart_) {
            appendLog(text(TextId::NoWeatherSinceStart), "WARN");
            return;
        }
        engine_->requestWeatherText();
        appendLog(text(TextId::WeatherTextSent), "OK");
        return;
    }
    const EngineBridge bridge = bridge_;
    textJob_.start(*weather, [bridge](bool shown) { bridge.report(WeatherTextShownEvent{shown}); });
    updateButtons();
}

void MainWindow::about() {
    MessageBoxW(dialog_, toWide(aboutText(language_)).c_str(), toWide(text(TextId::AboutCaption)).c_str(),
                MB_OK | MB_ICONINFORMATION);
}

void MainWindow::showWarning(TextId message) {
    MessageBoxW(dialog_, toWide(text(message)).c_str(), toWide(text(TextId::ErrorCaption)).c_str(),
                MB_OK | MB_ICONWARNING);
}

void MainWindow::addStation() {
    const HWND entry = control(IDC_STATION_ENTRY);
    wchar_t typed[kStationEntryMaxChars + 1] = {};
    GetWindowTextW(entry, typed, static_cast<int>(kStationEntryMaxChars + 1));
    if (addStationEntry(stations_, fromWide(typed))) {
        refreshStationList();
    }
    SetWindowTextW(entry, L"");
}

// The minutes field beside "Keep reports" is for a ticked box only; ticked
// with the field empty, it offers 90 minutes.
void MainWindow::keepReportsToggled() {
    const bool ticked = isChecked(IDC_KEEP_REPORTS);
    const HWND minutes = control(IDC_KEEP_REPORTS_MIN);
    if (ticked && GetWindowTextLengthW(minutes) == 0) {
        SetWindowTextW(minutes, toWide(kKeepReportsFirstMinutes).c_str());
    }
    EnableWindow(minutes, ticked ? TRUE : FALSE);
}

void MainWindow::removeStation() {
    const auto selected = static_cast<int>(SendMessageW(control(IDC_STATIONS), LB_GETCURSEL, 0, 0));
    if (removeStationAt(stations_, selected)) {
        refreshStationList();
    }
}

}  // namespace wx
