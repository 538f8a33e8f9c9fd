#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "app/UiLanguage.h"
#include "engine/WeatherTime.h"
#include "sources/SourceRegistry.h"

namespace wx {

// Every text the window shows, in each of its languages: captions, the
// source selector's entries, the station table's headers, message boxes
// and the window's own log lines. The engine's and the airport database's
// log lines are not among them; they are the same in every language.
enum class TextId {
    // Captions, in the dialog's control order.
    Start,
    Stop,
    Refresh,
    WeatherText,
    About,
    SourceLabel,
    WeatherTimeLabel,
    WeatherTimeNow,
    AutoStations,
    ManualStations,
    MaxStationsLabel,
    RadiusLabel,
    IntervalLabel,
    LanguageLabel,
    LanguageNote,
    SynthWithoutMetar,
    GlobalLayer,
    DenseField,
    OnlyNearest,
    SmoothChanges,
    KeepReports,
    SyncZulu,
    Sigmet,
    CavokHaze,
    TextInSim,
    FullMetar,
    TextSecondsLabel,
    CavokVisibilityLabel,
    StationsLabel,
    AddStation,
    RemoveStation,
    PlanButton,
    FromLabel,
    ToLabel,
    AlternateLabel,
    ClearPlan,
    RouteStationsLabel,
    ArrivalLabel,
    PlanFiles,
    LogLabel,
    // The source selector's entries, in the registry's order.
    SourceOpenMeteo,
    SourceNoaa,
    SourceMetarOnly,
    // The language selector's entry for following Windows.
    LanguageAutomatic,
    // The station table's headers, in column order.
    ColumnStation,
    ColumnRole,
    ColumnCategory,
    ColumnDistance,
    ColumnAge,
    ColumnWind,
    ColumnQnh,
    ColumnVisibility,
    ColumnTemperature,
    ColumnClouds,
    ColumnTurbulence,
    ColumnIcing,
    ColumnPrecipitation,
    ColumnUpperAir,
    // The tabs over the table, the map and the briefing, and the map's own
    // texts.
    ViewTable,
    ViewMap,
    ViewBriefing,
    MapModelWeather,
    MapWaiting,
    MapNoPosition,
    // The briefing's texts: its note without one, the arrival time, each
    // airport's report and forecast, the forecast at arrival in words and
    // the SIGMETs across the route.
    BriefingNeedsPlan,
    BriefingArrival,
    BriefingReport,
    BriefingNoReport,
    BriefingTaf,
    BriefingNoTaf,
    BriefingAtArrival,
    BriefingNoForecastAtArrival,
    BriefingCalm,
    BriefingWind,
    BriefingWindVariable,
    BriefingGusts,
    BriefingVisibility,
    BriefingVisibilityTenKm,
    BriefingCeiling,
    BriefingNoCeiling,
    BriefingSigmets,
    BriefingNoSigmets,
    BriefingSurface,
    BriefingAndAbove,
    BriefingLegs,
    BriefingAtCruise,
    BriefingNotAtCruise,
    // The status line below the log: the simulator's weather at the
    // aircraft and how it compares with the weather sent, a part for each
    // value beyond what a pilot would accept.
    ReadBackNone,
    ReadBackValues,
    ReadBackMatches,
    ReadBackNearlyMatches,
    ReadBackDiffers,
    ReadBackQnh,
    ReadBackWindSpeed,
    ReadBackWindDirection,
    // Message boxes; "{}" stands for the value filled in.
    ErrorCaption,
    NoAirportDatabase,
    AddStationsFirst,
    // The one line Start logs for a weather time it refuses.
    WeatherTimeUnreadable,
    WeatherTimeFuture,
    WeatherTimeTooOld,
    AboutCaption,
    AboutBody,
    CreateDialogFailed,
    CreateWindowFailed,
    // The window's own log lines.
    RecordingPack,
    PackNotRecorded,
    LoadingAirports,
    AirportsReady,
    AirportsMissing,
    SourceSelected,
    Stopping,
    RefreshRequested,
    SourceChanged,
    SourceChangeRefresh,
    NoWeatherYet,
    NoWeatherSinceStart,
    WeatherTextSent,
    FsuipcUnavailable,
    EngineStopped,
    SettingsUnreadable,
    SettingsOutOfRange,
    SettingsNotSaved,
    ArrivalNotUnderstood,
    ProgramUsage,
    Count
};

// The text in that language (UTF-8).
std::string uiText(Language language, TextId id);
// The text with its "{}" replaced by value.
std::string uiText(Language language, TextId id, std::string_view value);
// The text with each "{}" replaced by the next of values, in order.
std::string uiText(Language language, TextId id, std::initializer_list<std::string_view> values);

// The line that refuses a weather time at Start, in that language (the
// English one is the command line's); empty for now and a time that can be
// flown.
std::string weatherTimeRefusalText(Language language, const WeatherTimeChoice& choice, std::string_view typed,
                                   std::chrono::system_clock::time_point present);

// The source selector's entry for a source: the table's name for the
// sources it knows, the registry's own name for any other.
std::string sourceDisplayName(Language language, const SourceInfo& source);

// The language selector's entries, in the order of LanguageChoice:
// following Windows, in that language, then each language by its own
// name, the same in every language.
std::vector<std::string> languageChoiceEntries(Language language);

}  // namespace wx
