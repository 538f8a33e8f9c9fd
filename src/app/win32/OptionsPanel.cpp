// The options panel: its controls shown from a settings record and read
// back into one, and the commands of the station list and "Keep reports".

#include "app/win32/OptionsPanel.h"

#include "app/StationEntry.h"
#include "app/UiText.h"
#include "platform/win32/WideText.h"
#include "sources/SourceRegistry.h"

namespace wx {

OptionsPanel::OptionsPanel(HWND dialog, Language language) : dialog_(dialog) {
    setCaptions(dialog_, language, kOptionCaptions);
    const HWND sources = control(IDC_SOURCE);
    for (const SourceInfo& source : listSources()) {
        SendMessageW(sources, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(toWide(sourceDisplayName(language, source)).c_str()));
    }
    for (const std::string& entry : languageChoiceEntries(language)) {
        SendMessageW(control(IDC_LANGUAGE), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(entry).c_str()));
    }
}

ControlValues OptionsPanel::values() const {
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

void OptionsPanel::show(const EngineSettings& settings, LanguageChoice language) {
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
    SendMessageW(control(IDC_LANGUAGE), CB_SETCURSEL, static_cast<WPARAM>(language), 0);
    showStations(controls.stations);
}

std::string OptionsPanel::selectedSourceId() const {
    return sourceIdAt(static_cast<int>(SendMessageW(control(IDC_SOURCE), CB_GETCURSEL, 0, 0)));
}

// The selector lists the choices in their order; nothing selected is
// following Windows.
LanguageChoice OptionsPanel::languageChoice() const {
    const LRESULT index = SendMessageW(control(IDC_LANGUAGE), CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? LanguageChoice::Automatic : static_cast<LanguageChoice>(index);
}

void OptionsPanel::showStations(const std::vector<std::string>& stations) {
    stations_ = stations;
    refreshStationList();
}

bool OptionsPanel::onCommand(WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDC_SOURCE:
        return HIWORD(wParam) == CBN_SELCHANGE;
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
    default:
        break;
    }
    return false;
}

bool OptionsPanel::isChecked(int id) const { return IsDlgButtonChecked(dialog_, id) == BST_CHECKED; }

std::string OptionsPanel::controlText(int id) const {
    const HWND field = control(id);
    std::wstring typed(static_cast<size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    typed.resize(static_cast<size_t>(GetWindowTextW(field, typed.data(), static_cast<int>(typed.size()))));
    return fromWide(typed);
}

void OptionsPanel::addStation() {
    const HWND entry = control(IDC_STATION_ENTRY);
    wchar_t typed[kStationEntryMaxChars + 1] = {};
    GetWindowTextW(entry, typed, static_cast<int>(kStationEntryMaxChars + 1));
    if (addStationEntry(stations_, fromWide(typed))) {
        refreshStationList();
    }
    SetWindowTextW(entry, L"");
}

void OptionsPanel::removeStation() {
    const auto selected = static_cast<int>(SendMessageW(control(IDC_STATIONS), LB_GETCURSEL, 0, 0));
    if (removeStationAt(stations_, selected)) {
        refreshStationList();
    }
}

// The minutes field beside "Keep reports" is for a ticked box only; ticked
// with the field empty, it offers 90 minutes.
void OptionsPanel::keepReportsToggled() {
    const bool ticked = isChecked(IDC_KEEP_REPORTS);
    const HWND minutes = control(IDC_KEEP_REPORTS_MIN);
    if (ticked && GetWindowTextLengthW(minutes) == 0) {
        SetWindowTextW(minutes, toWide(kKeepReportsFirstMinutes).c_str());
    }
    EnableWindow(minutes, ticked ? TRUE : FALSE);
}

void OptionsPanel::refreshStationList() {
    const HWND list = control(IDC_STATIONS);
    if (list == nullptr) {
        return;
    }
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& station : stations_) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(station).c_str()));
    }
}

}  // namespace wx
