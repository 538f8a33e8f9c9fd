#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/ControlSettings.h"
#include "app/UiLanguage.h"
#include "app/win32/ControlCaptions.h"
#include "app/win32/ControlIds.h"
#include "engine/EngineSettings.h"
#include "flight/PlanChoice.h"

namespace wx {

// The options panel's controls: the captions it shows, the check boxes and
// the number fields with the values of ControlValues they stand for.
inline constexpr ControlCaption kOptionCaptions[] = {
    {IDC_SOURCE_LABEL, TextId::SourceLabel},
    {IDC_WEATHER_TIME_LABEL, TextId::WeatherTimeLabel},
    {IDC_AUTO_STATIONS, TextId::AutoStations},
    {IDC_MANUAL_STATIONS, TextId::ManualStations},
    {IDC_MAX_STATIONS_LABEL, TextId::MaxStationsLabel},
    {IDC_RADIUS_LABEL, TextId::RadiusLabel},
    {IDC_INTERVAL_LABEL, TextId::IntervalLabel},
    {IDC_LANGUAGE_LABEL, TextId::LanguageLabel},
    {IDC_LANGUAGE_NOTE, TextId::LanguageNote},
    {IDC_SYNTH_WITHOUT_METAR, TextId::SynthWithoutMetar},
    {IDC_GLOBAL_LAYER, TextId::GlobalLayer},
    {IDC_DENSE_FIELD, TextId::DenseField},
    {IDC_ONLY_NEAREST, TextId::OnlyNearest},
    {IDC_SMOOTH_CHANGES, TextId::SmoothChanges},
    {IDC_KEEP_REPORTS, TextId::KeepReports},
    {IDC_SYNC_ZULU, TextId::SyncZulu},
    {IDC_SIGMET, TextId::Sigmet},
    {IDC_CAVOK_HAZE, TextId::CavokHaze},
    {IDC_TEXT_IN_SIM, TextId::TextInSim},
    {IDC_FULL_METAR, TextId::FullMetar},
    {IDC_TEXT_SECONDS_LABEL, TextId::TextSecondsLabel},
    {IDC_CAVOK_VISIBILITY_LABEL, TextId::CavokVisibilityLabel},
    {IDC_STATIONS_LABEL, TextId::StationsLabel},
    {IDC_ADD_STATION, TextId::AddStation},
    {IDC_REMOVE_STATION, TextId::RemoveStation},
    {IDC_PLAN, TextId::PlanButton},
    {IDC_FROM_LABEL, TextId::FromLabel},
    {IDC_TO_LABEL, TextId::ToLabel},
    {IDC_ALTERNATE_LABEL, TextId::AlternateLabel},
    {IDC_CLEAR_PLAN, TextId::ClearPlan},
    {IDC_ROUTE_STATIONS_LABEL, TextId::RouteStationsLabel},
    {IDC_ARRIVAL_LABEL, TextId::ArrivalLabel},
};

struct OptionBox {
    int id;
    bool ControlValues::*value;
};
inline constexpr OptionBox kOptionBoxes[] = {
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
inline constexpr NumberBox kNumberBoxes[] = {
    {IDC_MAX_STATIONS, &ControlValues::maxStations}, {IDC_RADIUS, &ControlValues::radiusNm},
    {IDC_INTERVAL, &ControlValues::intervalSec},     {IDC_TEXT_SECONDS, &ControlValues::textSeconds},
    {IDC_CAVOK_VISIBILITY, &ControlValues::cavokVisibilityM}, {IDC_KEEP_REPORTS_MIN, &ControlValues::keepReportsMin},
    {IDC_ROUTE_STATIONS, &ControlValues::routeStations},
};

// The options of the window: the source selector, the weather time (an
// editable combo box whose one entry is "Now"), the station mode with
// its numbers, the language selector, the option boxes with their fields
// the station list with its entry, and the flight: the plan file, the
// departure, destination and alternate fields, the route stations and the
// arrival time typed (empty: worked out by the engine). The
// departure and destination come from a plan file while there is one (and
// are then read-only), or are typed. The controls are the dialog's; the
// panel gives them their texts, shows a settings record in them and reads
// one back, and answers their own commands (the station list's buttons,
// "Keep reports"). The language chosen takes effect at the next start, as
// the note beside it says.
class OptionsPanel {
public:
    OptionsPanel() = default;
    // Captions in that language and the selectors' entries.
    OptionsPanel(HWND dialog, Language language);

    // Shows a settings record; a weather time typed elsewhere (the command
    // line's), when given, in place of the record's.
    void show(const EngineSettings& settings, LanguageChoice language,
              const std::optional<std::string>& typedWeatherTime = std::nullopt);
    ControlValues values() const;
    EngineSettings settings() const { return settingsFromControls(values()); }
    std::string selectedSourceId() const;
    LanguageChoice languageChoice() const;
    // The stations the engine chose, in place of the list's.
    void showStations(const std::vector<std::string>& stations);

    // The weather time as typed into its field, and a text put there.
    std::string weatherTimeText() const { return controlText(IDC_WEATHER_TIME); }
    void showWeatherTime(const std::string& text);

    // The flight the fields describe, and a flight shown in them.
    PlanChoice flight() const;
    void showFlight(const PlanChoice& flight);
    // The .pln file the pilot picks in the file dialog; nothing when the
    // dialog is cancelled.
    std::optional<std::string> askPlanFile() const;
    // The arrival time as typed (see readArrivalField).
    std::string arrivalText() const { return controlText(IDC_ARRIVAL); }
    void showArrival(const std::string& text);

    // A command of one of the panel's controls (others are ignored). True
    // when the pilot picked another source, which the engine has to know.
    bool onCommand(WPARAM wParam);

private:
    HWND control(int id) const { return GetDlgItem(dialog_, id); }
    bool isChecked(int id) const;
    std::string controlText(int id) const;
    void addStation();
    void removeStation();
    void keepReportsToggled();
    void refreshStationList();

    HWND dialog_ = nullptr;
    Language language_ = Language::English;
    std::vector<std::string> stations_;
    std::string planPath_;
};

}  // namespace wx
