#include "app/UiText.h"

#include <algorithm>
#include <iterator>

namespace wx {
namespace {

struct Entry {
    TextId id;
    const char* russian;
    const char* english;
};

constexpr Entry kTexts[] = {
    {TextId::Start, "Старт", "Start"},
    {TextId::Stop, "Стоп", "Stop"},
    {TextId::Refresh, "Обновить", "Refresh"},
    {TextId::WeatherText, "Погода в FS", "Weather to FS"},
    {TextId::About, "О программе", "About"},
    {TextId::SourceLabel, "Источник:", "Source:"},
    {TextId::WeatherTimeLabel, "Время погоды:", "Weather time:"},
    {TextId::WeatherTimeNow, "Сейчас", "Now"},
    {TextId::AutoStations, "Авто станции", "Auto stations"},
    {TextId::ManualStations, "Вручную", "Manual"},
    {TextId::MaxStationsLabel, "N:", "N:"},
    {TextId::RadiusLabel, "R nm:", "R nm:"},
    {TextId::IntervalLabel, "Интервал с:", "Interval s:"},
    {TextId::LanguageLabel, "Язык:", "Language:"},
    {TextId::LanguageNote, "действует после перезапуска", "takes effect at the next start"},
    {TextId::SynthWithoutMetar, "Синтетика без METAR", "Model if no METAR"},
    {TextId::GlobalLayer, "Глобальный слой", "Global layer"},
    {TextId::DenseField, "Плотное поле", "Dense field"},
    {TextId::OnlyNearest, "Только ближайшая", "Nearest only"},
    {TextId::SmoothChanges, "Плавно", "Smooth changes"},
    {TextId::KeepReports, "Держать сводки", "Keep reports"},
    {TextId::SyncZulu, "Синхр. Zulu", "Sync Zulu"},
    {TextId::Sigmet, "SIGMET", "SIGMET"},
    {TextId::CavokHaze, "CAVOK haze", "CAVOK haze"},
    {TextId::TextInSim, "Текст в FS", "Text in FS"},
    {TextId::FullMetar, "Полный METAR", "Full METAR"},
    {TextId::TextSecondsLabel, "Текст сек:", "Text s:"},
    {TextId::CavokVisibilityLabel, "CAVOK vis:", "CAVOK vis:"},
    {TextId::StationsLabel, "Станции:", "Stations:"},
    {TextId::AddStation, "+", "+"},
    {TextId::RemoveStation, "-", "-"},
    {TextId::PlanButton, "План\xE2\x80\xA6", "Plan\xE2\x80\xA6"},
    {TextId::FromLabel, "Откуда", "From"},
    {TextId::ToLabel, "Куда", "To"},
    {TextId::AlternateLabel, "Запасной", "Altn"},
    {TextId::ClearPlan, "Очистить", "Clear"},
    {TextId::RouteStationsLabel, "Станций по маршруту", "Route stations"},
    {TextId::ArrivalLabel, "Прибытие (UTC)", "Arrival (UTC)"},
    {TextId::PlanFiles, "Планы полёта (*.pln)", "Flight plans (*.pln)"},
    {TextId::LogLabel, "Журнал:", "Log:"},
    {TextId::SourceOpenMeteo, "Open-Meteo", "Open-Meteo"},
    {TextId::SourceNoaa, "NOAA / AWC", "NOAA / AWC"},
    {TextId::SourceMetarOnly, "Только METAR", "METAR only"},
    {TextId::LanguageAutomatic, "Автоматически", "Automatic"},
    {TextId::ColumnStation, "ICAO", "ICAO"},
    {TextId::ColumnRole, "Роль", "Role"},
    {TextId::ColumnCategory, "Кат.", "Cat."},
    {TextId::ColumnDistance, "Дист.", "Dist nm"},
    {TextId::ColumnAge, "Возраст", "Age, min"},
    {TextId::ColumnWind, "Ветер", "Wind"},
    {TextId::ColumnQnh, "QNH", "QNH hPa"},
    {TextId::ColumnVisibility, "Вид.", "Vis m"},
    {TextId::ColumnTemperature, "T°C", "T°C"},
    {TextId::ColumnClouds, "Облака", "Clouds"},
    {TextId::ColumnTurbulence, "Турб.", "Turb"},
    {TextId::ColumnIcing, "Облед.", "Icing"},
    {TextId::ColumnPrecipitation, "Осадки", "Precip"},
    {TextId::ColumnUpperAir, "Эшелоны / ветер", "Levels / wind"},
    {TextId::ViewTable, "Таблица", "Table"},
    {TextId::ViewMap, "Карта", "Map"},
    {TextId::ViewBriefing, "Брифинг", "Briefing"},
    {TextId::MapModelWeather, "модельная погода", "model weather"},
    {TextId::MapWaiting, "Карта появится после первого цикла.", "The map appears after the first cycle."},
    {TextId::MapNoPosition, "Нет позиции самолёта и станций на карте.", "No aircraft position and no stations to show."},
    {TextId::BriefingNeedsPlan, "Для брифинга нужен план полёта: он появится после первого цикла с планом.",
     "A briefing needs a flight plan: it appears after the first cycle with one."},
    {TextId::BriefingArrival, "Прибытие {}", "Arrival {}"},
    {TextId::BriefingReport, "METAR {}, {} мин", "METAR {}, {} min"},
    {TextId::BriefingNoReport, "нет METAR", "no METAR"},
    {TextId::BriefingTaf, "TAF от {}", "TAF issued {}"},
    {TextId::BriefingNoTaf, "нет TAF", "no TAF"},
    {TextId::BriefingAtArrival, "К прибытию {}", "At arrival {}"},
    {TextId::BriefingNoForecastAtArrival, "нет прогноза на время прибытия", "no forecast for the arrival time"},
    {TextId::BriefingCalm, "штиль", "calm"},
    {TextId::BriefingWind, "ветер {}°/{} уз", "wind {}°/{} kt"},
    {TextId::BriefingWindVariable, "ветер VRB/{} уз", "wind VRB/{} kt"},
    {TextId::BriefingGusts, "порывы {} уз", "gusts {} kt"},
    {TextId::BriefingVisibility, "вид. {} м", "vis {} m"},
    {TextId::BriefingVisibilityTenKm, "вид. 10 км и более", "vis 10 km or more"},
    {TextId::BriefingCeiling, "НГО {} фт", "ceiling {} ft"},
    {TextId::BriefingNoCeiling, "НГО нет", "no ceiling"},
    {TextId::BriefingSigmets, "SIGMET по маршруту:", "SIGMETs across the route:"},
    {TextId::BriefingNoSigmets, "SIGMET по маршруту нет.", "No SIGMET across the route."},
    {TextId::BriefingSurface, "у земли", "SFC"},
    {TextId::BriefingAndAbove, "{} и выше", "{} and above"},
    {TextId::BriefingLegs, "участки {}", "legs {}"},
    {TextId::BriefingAtCruise, "на эшелоне полёта", "at the cruise level"},
    {TextId::BriefingNotAtCruise, "не на эшелоне полёта", "not at the cruise level"},
    {TextId::ReadBackNone, "Симулятор: —", "Simulator: —"},
    {TextId::ReadBackValues, "Симулятор: ветер {}°/{} уз, QNH {}, OAT {} °C, вид. {} м",
     "Simulator: wind {}°/{} kt, QNH {}, OAT {} °C, vis {} m"},
    {TextId::ReadBackMatches, "совпадает", "matches"},
    {TextId::ReadBackNearlyMatches, "почти совпадает", "nearly matches"},
    {TextId::ReadBackDiffers, "расходится: {}", "differs: {}"},
    {TextId::ReadBackQnh, "QNH {} (отправлено {})", "QNH {} (sent {})"},
    {TextId::ReadBackWindSpeed, "скорость ветра {} уз (отправлено {})", "wind speed {} kt (sent {})"},
    {TextId::ReadBackWindDirection, "направление ветра {}° (отправлено {}°)", "wind direction {}° (sent {}°)"},
    {TextId::ErrorCaption, "Ошибка", "Error"},
    {TextId::NoAirportDatabase, "База аэропортов не загружена.", "Airport database not loaded."},
    {TextId::AddStationsFirst, "Сначала добавьте станции.", "Add stations first."},
    {TextId::WeatherTimeUnreadable,
     "Время погоды «{}» — не время UTC вида 2022-10-23T14:50Z или 2022-10-23 14:50: погоду можно взять с {} по {}",
     "Weather time \"{}\" is no UTC time such as 2022-10-23T14:50Z or 2022-10-23 14:50: the weather can be flown "
     "from {} to {}"},
    {TextId::WeatherTimeFuture, "Время погоды {} ещё не наступило: погоду можно взять с {} по {}",
     "Weather time {} is in the future: the weather can be flown from {} to {}"},
    {TextId::WeatherTimeTooOld, "Время погоды {} старше архива METAR: погоду можно взять с {} по {}",
     "Weather time {} is older than the METAR archive: the weather can be flown from {} to {}"},
    {TextId::AboutCaption, "О программе", "About"},
    {TextId::AboutBody,
     "Nubiro\r\n\r\n"
     "Реальная погода в Microsoft Flight Simulator 2004: сводки аэропортов и модельные данные.\r\n"
     "(METAR / SIGMET / Open-Meteo -> FSUIPC NWI)\r\n\r\n"
     "Nubiro developers\r\n"
     "Версия {}",
     "Nubiro\r\n\r\n"
     "Real-world weather in Microsoft Flight Simulator 2004: airport reports and model data.\r\n"
     "(METAR / SIGMET / Open-Meteo -> FSUIPC NWI)\r\n\r\n"
     "Nubiro developers\r\n"
     "Version {}"},
    {TextId::CreateDialogFailed, "CreateDialog failed, error {}", "CreateDialog failed, error {}"},
    {TextId::CreateWindowFailed, "Не удалось создать окно (ресурс IDD_MAIN).",
     "Cannot create the window (resource IDD_MAIN)."},
    {TextId::RecordingPack, "Пакет погоды: запросы к службам и их ответы записываются в {}",
     "Weather pack: the services' requests and answers are recorded into {}"},
    {TextId::PackNotRecorded, "Пакет погоды не записывается: папка {} недоступна для записи",
     "Weather pack not recorded: cannot write into the folder {}"},
    {TextId::LoadingAirports, "Загрузка базы аэропортов...", "Loading the airport database..."},
    {TextId::AirportsReady, "База аэропортов готова: {} станций.", "Airport database ready: {} stations."},
    {TextId::AirportsMissing, "База аэропортов не загружена или пуста.", "Airport database not loaded or empty."},
    {TextId::SourceSelected, "Выбран источник: {}", "Source selected: {}"},
    {TextId::Stopping, "Остановка...", "Stopping..."},
    {TextId::RefreshRequested, "Запрошено обновление (источник={})", "Refresh requested (source={})"},
    {TextId::SourceChanged, "Источник изменён \xE2\x86\x92 {}", "Source changed \xE2\x86\x92 {}"},
    {TextId::SourceChangeRefresh, "Авто-обновление из нового источника: {}", "Refreshing from the new source: {}"},
    {TextId::NoWeatherYet, "Погоды ещё нет — сначала нажмите «Старт».", "No weather yet: press Start first."},
    {TextId::NoWeatherSinceStart, "Погоды для показа пока нет.", "No weather to show yet."},
    {TextId::WeatherTextSent, "Текст погоды отправлен в FS.", "Weather text sent to FS."},
    {TextId::FsuipcUnavailable, "FSUIPC недоступен.", "FSUIPC not available."},
    {TextId::EngineStopped, "Движок остановлен.", "Stopped."},
    {TextId::SettingsUnreadable, "Файл настроек не читается: взяты значения по умолчанию",
     "Settings file unreadable: defaults used"},
    {TextId::SettingsOutOfRange, "Файл настроек: недопустимые значения ({}), взяты значения по умолчанию",
     "Settings file: values out of range ({}), defaults used"},
    {TextId::SettingsNotSaved, "Настройки не сохранены: {}", "Settings not saved: {}"},
    {TextId::ArrivalNotUnderstood,
     "Время прибытия «{}» не понято: нужно ЧЧ:ММ или ГГГГ-ММ-ДД ЧЧ:ММ (UTC), либо пустое поле",
     "Arrival time \"{}\" not understood: type HH:MM or YYYY-MM-DD HH:MM (UTC), or leave it empty"},
    {TextId::ProgramUsage,
     "Запуск: Nubiro.exe [--plan ФАЙЛ.pln] [--weather-time ВРЕМЯ] [--eta ВРЕМЯ] [--start] [--minimized]\n\n"
     "--plan ФАЙЛ   взять этот план полёта\n"
     "--weather-time ВРЕМЯ   погода этого времени UTC, например 2022-10-23T14:50Z\n"
     "--eta ВРЕМЯ   время прибытия, UTC: ЧЧ:ММ или \"ГГГГ-ММ-ДД ЧЧ:ММ\"\n"
     "--start   нажать «Старт», когда окно откроется\n"
     "--minimized   запуститься свёрнутым",
     "Usage: Nubiro.exe [--plan FILE.pln] [--weather-time TIME] [--eta TIME] [--start] [--minimized]\n\n"
     "--plan FILE   take this flight plan\n"
     "--weather-time TIME   fly the weather of this UTC time, such as 2022-10-23T14:50Z\n"
     "--eta TIME   the arrival time, UTC: HH:MM or \"YYYY-MM-DD HH:MM\"\n"
     "--start   press Start once the window is up\n"
     "--minimized   start minimized"},
};

constexpr size_t kTextCount = static_cast<size_t>(TextId::Count);
static_assert(std::size(kTexts) == kTextCount, "one entry for every text");

constexpr bool entriesInIdOrder() {
    for (size_t i = 0; i < kTextCount; ++i) {
        if (kTexts[i].id != static_cast<TextId>(i)) {
            return false;
        }
    }
    return true;
}
static_assert(entriesInIdOrder(), "the entries follow the ids' order");

struct SourceName {
    const char* id;
    TextId name;
};
constexpr SourceName kSourceNames[] = {
    {"openmeteo", TextId::SourceOpenMeteo},
    {"noaa", TextId::SourceNoaa},
    {"metaronly", TextId::SourceMetarOnly},
};

}  // namespace

std::string uiText(Language language, TextId id) {
    const Entry& entry = kTexts[static_cast<size_t>(id)];
    return language == Language::Russian ? entry.russian : entry.english;
}

std::string uiText(Language language, TextId id, std::string_view value) {
    return uiText(language, id, std::initializer_list<std::string_view>{value});
}

std::string uiText(Language language, TextId id, std::initializer_list<std::string_view> values) {
    std::string text = uiText(language, id);
    size_t from = 0;
    for (const std::string_view value : values) {
        const size_t slot = text.find("{}", from);
        if (slot == std::string::npos) {
            break;
        }
        text.replace(slot, 2, value);
        from = slot + value.size();
    }
    return text;
}

std::string weatherTimeRefusalText(Language language, const WeatherTimeChoice& choice, std::string_view typed,
                                   std::chrono::system_clock::time_point present) {
    const std::string first = weatherTimeText(earliestWeatherTime());
    const std::string last = weatherTimeText(std::chrono::time_point_cast<std::chrono::milliseconds>(present));
    switch (choice.verdict) {
    case WeatherTimeVerdict::Unreadable: {
        const size_t start = std::min(typed.find_first_not_of(" \t"), typed.size());
        const size_t end = typed.find_last_not_of(" \t");
        const std::string_view shown = typed.substr(start, end == std::string_view::npos ? 0 : end - start + 1);
        return uiText(language, TextId::WeatherTimeUnreadable, {shown, first, last});
    }
    case WeatherTimeVerdict::Future:
        return uiText(language, TextId::WeatherTimeFuture, {weatherTimeText(*choice.time), first, last});
    case WeatherTimeVerdict::BeforeArchive:
        return uiText(language, TextId::WeatherTimeTooOld, {weatherTimeText(*choice.time), first, last});
    default:
        return {};
    }
}

std::string sourceDisplayName(Language language, const SourceInfo& source) {
    for (const SourceName& known : kSourceNames) {
        if (source.id == known.id) {
            return uiText(language, known.name);
        }
    }
    return source.displayName;
}

std::vector<std::string> languageChoiceEntries(Language language) {
    return {uiText(language, TextId::LanguageAutomatic), "English", "Русский"};
}

}  // namespace wx
