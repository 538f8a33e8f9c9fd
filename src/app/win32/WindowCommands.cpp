// The window's commands: what each button and the source selector do.

#include <windows.h>

#include "app/AboutText.h"
#include "app/StationEntry.h"
#include "app/win32/ControlIds.h"
#include "app/win32/MainWindow.h"
#include "platform/win32/WideText.h"
#include "sim/SimLink.h"
#include "weather/WeatherSummary.h"

namespace wx {
namespace {

// The on-demand text without a running engine: the simulator's whole text
// field, shown for 20 seconds.
constexpr int32_t kSummaryMaxLength = 127;
constexpr int32_t kWeatherTextSeconds = 20;

}  // namespace

void MainWindow::onCommand(WPARAM wParam) {
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
    case IDCANCEL:
        DestroyWindow(dialog_);
        break;
    default:
        break;
    }
}

void MainWindow::start() {
    if (engine_ && engine_->isRunning()) {
        return;
    }
    if (!airports_ || airports_->size() == 0) {
        showWarning("База аэропортов не загружена.");
        return;
    }
    const EngineSettings settings = collectSettings();
    if (settings.stationMode == "manual" && settings.manualStations.empty()) {
        showWarning("Сначала добавьте станции.");
        return;
    }
    appendLog("Выбран источник: " + settings.source, "INFO");
    engine_ = std::make_unique<Engine>(*airports_, settings, makeEngineCallbacks(dialog_));
    engine_->start();
    setRunningButtons(true);
}

void MainWindow::stop() {
    if (!engine_) {
        return;
    }
    appendLog("Остановка...", "INFO");
    engine_->requestStop();
    EnableWindow(control(IDC_STOP), FALSE);
}

void MainWindow::refresh() {
    if (!engine_ || !engine_->isRunning()) {
        return;
    }
    engine_->updateSettings(collectSettings());
    engine_->requestRefresh();
    appendLog("Запрошено обновление (источник=" + selectedSourceId() + ")", "INFO");
}

void MainWindow::sourceChanged() {
    appendLog("Источник изменён → " + selectedSourceId(), "INFO");
    if (engine_ && engine_->isRunning()) {
        engine_->updateSettings(collectSettings());
        engine_->requestRefresh();
        appendLog("Авто-обновление из нового источника: " + selectedSourceId(), "OK");
    }
}

void MainWindow::weatherTextToSimulator() {
    std::optional<WeatherData> weather;
    {
        std::lock_guard lock(weatherMutex_);
        weather = lastWeather_;
    }
    if (!weather) {
        appendLog("Погоды ещё нет — сначала нажмите «Старт».", "WARN");
        return;
    }
    if (engine_ && engine_->isRunning()) {
        engine_->requestWeatherText();
        appendLog("Текст погоды отправлен в FS.", "OK");
        return;
    }
    // A link of its own, on this thread, only while no engine holds one. A
    // text the simulator did not take counts as no simulator, never as sent.
    SimLink link(LogFn{});
    if (link.connected() &&
        link.showText(formatWeatherSummary(*weather, true, kSummaryMaxLength, ""), kWeatherTextSeconds)) {
        appendLog("Текст погоды отправлен в FS.", "OK");
    } else {
        appendLog("FSUIPC недоступен.", "ERROR");
    }
}

void MainWindow::about() {
    MessageBoxW(dialog_, toWide(aboutText()).c_str(), toWide("О программе").c_str(), MB_OK | MB_ICONINFORMATION);
}

void MainWindow::showWarning(const std::string& text) {
    MessageBoxW(dialog_, toWide(text).c_str(), toWide("Ошибка").c_str(), MB_OK | MB_ICONWARNING);
}

void MainWindow::addStation() {
    const HWND entry = control(IDC_STATION_ENTRY);
    wchar_t text[kStationEntryMaxChars + 1] = {};
    GetWindowTextW(entry, text, static_cast<int>(kStationEntryMaxChars + 1));
    if (addStationEntry(stations_, fromWide(text))) {
        refreshStationList();
    }
    SetWindowTextW(entry, L"");
}

void MainWindow::removeStation() {
    const auto selected = static_cast<int>(SendMessageW(control(IDC_STATIONS), LB_GETCURSEL, 0, 0));
    if (removeStationAt(stations_, selected)) {
        refreshStationList();
    }
}

}  // namespace wx
