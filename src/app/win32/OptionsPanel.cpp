// The options panel: its controls shown from a settings record and read
// back into one, and the commands of the station list and "Keep reports".

#include "app/win32/OptionsPanel.h"

#include <commdlg.h>

#include <filesystem>

#include "app/StationEntry.h"
#include "app/UiText.h"
#include "platform/win32/WideText.h"
#include "sources/SourceRegistry.h"

namespace wx {

namespace {

// An airport's ident is at most four characters.
constexpr WPARAM kAirportFieldChars = 4;
constexpr int kAirportFields[] = {IDC_FROM, IDC_TO, IDC_ALTERNATE};
// "YYYY-MM-DD HH:MMZ" is the longest arrival time understood.
constexpr WPARAM kArrivalFieldChars = 17;

}  // namespace

OptionsPanel::OptionsPanel(HWND dialog, Language language) : dialog_(dialog), language_(language) {
    setCaptions(dialog_, language, kOptionCaptions);
    for (const int id : kAirportFields) {
        SendMessageW(control(id), EM_LIMITTEXT, kAirportFieldChars, 0);
    }
    SendMessageW(control(IDC_ARRIVAL), EM_LIMITTEXT, kArrivalFieldChars, 0);
    const HWND sources = control(IDC_SOURCE);
    for (const SourceInfo& source : listSources()) {
        SendMessageW(sources, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(toWide(sourceDisplayName(language, source)).c_str()));
    }
    SendMessageW(control(IDC_WEATHER_TIME), CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(toWide(uiText(language, TextId::WeatherTimeNow)).c_str()));
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
    controls.weatherTime = weatherTimeText();
    return controls;
}

void OptionsPanel::show(const EngineSettings& settings, LanguageChoice language,
                        const std::optional<std::string>& typedWeatherTime) {
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
    showWeatherTime(typedWeatherTime.value_or(controls.weatherTime));
    showStations(controls.stations);
}

// An empty text shows the field's "Now".
void OptionsPanel::showWeatherTime(const std::string& text) {
    const std::string shown = text.empty() ? uiText(language_, TextId::WeatherTimeNow) : text;
    SetDlgItemTextW(dialog_, IDC_WEATHER_TIME, toWide(shown).c_str());
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

PlanChoice OptionsPanel::flight() const {
    return {planPath_, controlText(IDC_FROM), controlText(IDC_TO), controlText(IDC_ALTERNATE)};
}

void OptionsPanel::showFlight(const PlanChoice& flight) {
    planPath_ = flight.planPath;
    SetDlgItemTextW(dialog_, IDC_FROM, toWide(flight.departureId).c_str());
    SetDlgItemTextW(dialog_, IDC_TO, toWide(flight.destinationId).c_str());
    SetDlgItemTextW(dialog_, IDC_ALTERNATE, toWide(flight.alternateId).c_str());
    const std::wstring fileName = std::filesystem::path(toWide(planPath_)).filename().wstring();
    SetDlgItemTextW(dialog_, IDC_PLAN_FILE, fileName.c_str());
    const WPARAM readOnly = planPath_.empty() ? FALSE : TRUE;
    SendMessageW(control(IDC_FROM), EM_SETREADONLY, readOnly, 0);
    SendMessageW(control(IDC_TO), EM_SETREADONLY, readOnly, 0);
}

void OptionsPanel::showArrival(const std::string& text) {
    SetDlgItemTextW(dialog_, IDC_ARRIVAL, toWide(text).c_str());
}

std::optional<std::string> OptionsPanel::askPlanFile() const {
    // The filter: its name, its pattern, each ended by a NUL, and one more.
    const std::wstring filter = toWide(uiText(language_, TextId::PlanFiles)) + L'\0' + L"*.pln;*.PLN" + L'\0' + L'\0';
    std::wstring path(MAX_PATH * 4, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = dialog_;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (GetOpenFileNameW(&dialog) == 0) {
        return std::nullopt;
    }
    path.resize(wcslen(path.c_str()));
    return fromWide(path);
}

bool OptionsPanel::onCommand(WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDC_CLEAR_PLAN:
        showFlight({});
        break;
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
