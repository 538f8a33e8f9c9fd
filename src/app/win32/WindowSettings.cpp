// The window's settings: shown in the controls at start, read back from
// them, and kept in the settings file with the window's place.

#include <windows.h>

#include "app/win32/ControlIds.h"
#include "app/win32/MainWindow.h"
#include "platform/win32/WideText.h"

namespace wx {
namespace {

struct OptionBox {
    int id;
    bool ControlValues::*value;
};
constexpr OptionBox kOptionBoxes[] = {
    {IDC_SYNTH_WITHOUT_METAR, &ControlValues::synthWithoutMetar},
    {IDC_GLOBAL_LAYER, &ControlValues::globalLayer},
    {IDC_DENSE_FIELD, &ControlValues::denseField},
    {IDC_ONLY_NEAREST, &ControlValues::onlyNearest},
    {IDC_SMOOTH_CHANGES, &ControlValues::smoothChanges},
    {IDC_KEEP_REPORTS, &ControlValues::keepReports},
    {IDC_SYNC_ZULU, &ControlValues::syncZulu},
    {IDC_SIGMET, &ControlValues::sigmetEnabled},
    {IDC_CAVOK_HAZE, &ControlValues::cavokHaze},
    {IDC_TEXT_IN_SIM, &ControlValues::textInSim},
    {IDC_FULL_METAR, &ControlValues::fullMetarText},
};

struct NumberBox {
    int id;
    std::string ControlValues::*text;
};
constexpr NumberBox kNumberBoxes[] = {
    {IDC_MAX_STATIONS, &ControlValues::maxStations}, {IDC_RADIUS, &ControlValues::radiusNm},
    {IDC_INTERVAL, &ControlValues::intervalSec},     {IDC_TEXT_SECONDS, &ControlValues::textSeconds},
    {IDC_CAVOK_VISIBILITY, &ControlValues::cavokVisibilityM}, {IDC_KEEP_REPORTS_MIN, &ControlValues::keepReportsMin},
};

}  // namespace

ControlValues MainWindow::controlValues() const {
    ControlValues controls;
    controls.manualChecked = isChecked(IDC_MANUAL_STATIONS);
    controls.stations = stations_;
    for (const NumberBox& box : kNumberBoxes) {
        controls.*box.text = controlText(box.id);
    }
    for (const OptionBox& box : kOptionBoxes) {
        controls.*box.value = isChecked(box.id);
    }
    controls.sourceIndex = static_cast<int>(SendMessageW(control(IDC_SOURCE), CB_GETCURSEL, 0, 0));
    return controls;
}

void MainWindow::showSettings(const EngineSettings& settings) {
    const ControlValues controls = controlsFromSettings(settings);
    CheckRadioButton(dialog_, IDC_AUTO_STATIONS, IDC_MANUAL_STATIONS,
                     controls.manualChecked ? IDC_MANUAL_STATIONS : IDC_AUTO_STATIONS);
    for (const NumberBox& box : kNumberBoxes) {
        SetDlgItemTextW(dialog_, box.id, toWide(controls.*box.text).c_str());
    }
    for (const OptionBox& box : kOptionBoxes) {
        CheckDlgButton(dialog_, box.id, controls.*box.value ? BST_CHECKED : BST_UNCHECKED);
    }
    keepReportsToggled();
    SendMessageW(control(IDC_SOURCE), CB_SETCURSEL, static_cast<WPARAM>(controls.sourceIndex), 0);
    stations_ = controls.stations;
    refreshStationList();
}

// The window where it was, its size scaled from the DPI it was kept at. A
// place on no screen (one taken away since) keeps the size only. The
// window stays hidden; showCommand() says how to show it.
void MainWindow::restorePlace() {
    const std::optional<WindowPlace>& place = startSettings_.settings.window;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!place || GetWindowPlacement(dialog_, &placement) == 0) {
        return;
    }
    const int width = MulDiv(place->width, static_cast<int>(dpi_), static_cast<int>(place->dpi));
    const int height = MulDiv(place->height, static_cast<int>(dpi_), static_cast<int>(place->dpi));
    RECT wanted{place->left, place->top, place->left + width, place->top + height};
    if (MonitorFromRect(&wanted, MONITOR_DEFAULTTONULL) == nullptr) {
        const POINT now{placement.rcNormalPosition.left, placement.rcNormalPosition.top};
        wanted = {now.x, now.y, now.x + width, now.y + height};
    }
    placement.rcNormalPosition = wanted;
    placement.showCmd = SW_HIDE;
    SetWindowPlacement(dialog_, &placement);
}

int MainWindow::showCommand() const {
    const std::optional<WindowPlace>& place = startSettings_.settings.window;
    return place && place->maximized ? SW_SHOWMAXIMIZED : SW_SHOW;
}

// Everything the controls hold, the language asked for, the window's
// place and the view shown. A file that cannot be written is said in the
// log; the one there stays as it was.
void MainWindow::saveSettings() {
    SavedSettings settings;
    settings.engine = collectSettings();
    settings.language = languageAskedFor_;
    settings.mapShown = mapShown_;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (GetWindowPlacement(dialog_, &placement) != 0) {
        const RECT& normal = placement.rcNormalPosition;
        const bool maximized = placement.showCmd == SW_SHOWMAXIMIZED ||
                               (placement.showCmd == SW_SHOWMINIMIZED && (placement.flags & WPF_RESTORETOMAXIMIZED) != 0);
        settings.window =
            WindowPlace{normal.left, normal.top, normal.right - normal.left, normal.bottom - normal.top, dpi_, maximized};
    }
    if (!writeSettingsFile(settingsPath_, settings)) {
        appendLog(uiText(language_, TextId::SettingsNotSaved, settingsPath_), "WARN");
    }
}

}  // namespace wx
