// The main dialog in this process, driven as a user drives it (clicks,
// typed characters, picks) and read back from its controls, in each of its
// languages: every text it shows is expected from the text table. The
// airport list comes from a scratch cache folder, never from a network;
// engine events arrive through the window's own engine callbacks.

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cmath>
#include <commctrl.h>
#include <filesystem>
#include <future>
#include <memory>
#include <optional>
#include <regex>
#include <span>

#include "DialogDriver.h"
#include "Screenshot.h"
#include "app/AboutText.h"
#include "app/BriefingLayout.h"
#include "app/LogLine.h"
#include "app/LogTrim.h"
#include "app/MapScene.h"
#include "app/SavedSettings.h"
#include "app/StationCells.h"
#include "app/UiText.h"
#include "app/win32/GdiObjects.h"
#include "app/win32/WeatherMapView.h"
#include "app/win32/ControlIds.h"
#include "app/win32/EngineBridge.h"
#include "app/win32/MainWindow.h"
#include "app/win32/OptionsPanel.h"
#include "app/win32/WindowCommands.h"
#include "platform/PlatformDefaults.h"
#include "platform/win32/WideText.h"
#include "support/Environment.h"
#include "support/ScratchDir.h"
#include "support/ScriptedTransport.h"
#include "support/win32/StandInProcess.h"
#include "weather/WeatherSummary.h"

namespace wx {
namespace {

using driver::DialogDriver;
using driver::MessageBoxContent;
using Lines = std::vector<std::string>;
using namespace std::chrono_literals;

const char* const kAirportList =
    "\"id\",\"ident\",\"type\",\"name\",\"latitude_deg\",\"longitude_deg\",\"elevation_ft\"\n"
    "2434,\"EGLL\",\"large_airport\",\"London Heathrow Airport\",51.4706,-0.461941,83\n"
    "2212,\"EDDF\",\"large_airport\",\"Frankfurt am Main Airport\",50.036249,8.559294,364\n";

WeatherData reported(const std::string& station, int32_t qnhHpa, const std::string& rawMetar) {
    WeatherData weather;
    weather.stationId = station;
    weather.windDirDeg = 270;
    weather.windSpeedKt = 12;
    weather.qnhHpa = qnhHpa;
    weather.rawMetar = rawMetar;
    weather.clouds.resize(2);
    UpperAirLayer layer;
    layer.altitudeM = 3048;
    layer.windDirDeg = 250;
    layer.windSpeedKt = 45;
    weather.upperAir = {layer};
    return weather;
}

// A cycle around London: the aircraft at Heathrow, a station of each
// category within 20 nm (winds from the west, so that nothing is drawn
// right below a station), and a thunderstorm area to the east.
CycleOverview londonCycle() {
    const auto station = [](const char* id, double lat, double lon, int32_t visibilityM, const std::string& raw) {
        WeatherData weather;
        weather.stationId = id;
        weather.windDirDeg = 270;
        weather.windSpeedKt = 15;
        weather.visibilityM = visibilityM;
        weather.rawMetar = raw;
        return OverviewStation{id, lat, lon, weather};
    };
    CycleOverview overview;
    overview.aircraft = SimPosition{51.47, -0.46};
    overview.radiusNm = 50;
    overview.stations = {station("EGWU", 51.62, -0.42, 9999, "EGWU 121250Z 27015KT 9999 FEW040 15/09 Q1013"),
                         station("EGKK", 51.15, -0.19, 6000, "EGKK 121250Z 27015KT 6000 -RA 14/11 Q1011"),
                         station("EGLC", 51.50, 0.05, 2000, "EGLC 121250Z 27015KT 2000 BR 12/11 Q1011"),
                         station("EGLF", 51.28, -0.78, 600, "")};
    overview.sigmets = {{"TS@EGTT", SigmetHazard::Thunderstorm, {{{51.0, 0.3}, {51.8, 0.3}, {51.8, 1.0}, {51.0, 1.0}}}}};
    return overview;
}

// A window as it paints itself, in a memory bitmap.
class Painted {
public:
    explicit Painted(HWND window) : memory_(screen_.get()) {
        RECT client{};
        GetClientRect(window, &client);
        bitmap_ = GdiObject<HBITMAP>(CreateCompatibleBitmap(screen_.get(), client.right, client.bottom));
        selection_.emplace(memory_.get(), bitmap_.get());
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory_.get()), PRF_CLIENT);
    }
    Painted(const Painted&) = delete;
    Painted& operator=(const Painted&) = delete;

    Rgb at(MapPoint point) const {
        const COLORREF colour =
            GetPixel(memory_.get(), static_cast<int>(std::lround(point.x)), static_cast<int>(std::lround(point.y)));
        return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
    }

private:
    ScreenDc screen_;
    MemoryDc memory_;
    GdiObject<HBITMAP> bitmap_;
    std::optional<Selection> selection_;
};

// The text of the map's tooltip while one of this thread's tooltips shows
// it.
std::optional<std::string> shownTooltip(HWND map) {
    struct Search {
        HWND map;
        std::optional<std::string> text;
    } search{map, std::nullopt};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            wchar_t name[32] = {};
            GetClassNameW(window, name, 32);
            if (std::wstring(name) != TOOLTIPS_CLASSW || IsWindowVisible(window) == 0) {
                return TRUE;
            }
            wchar_t text[512] = {};
            TOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.hwnd = s->map;
            tool.uId = WeatherMapView::kTooltipTool;
            tool.lpszText = text;
            SendMessageW(window, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
            if (text[0] != L'\0') {
                s->text = fromWide(text);
            }
            return !s->text.has_value();
        },
        reinterpret_cast<LPARAM>(&search));
    return search.text;
}

// How many pixels of that colour a column of the picture holds within
// `reach` of the point: a dot's height.
int heightOf(const Painted& picture, MapPoint centre, Rgb colour, int reach) {
    int count = 0;
    for (int dy = -reach; dy <= reach; ++dy) {
        count += picture.at({centre.x, centre.y + dy}) == colour ? 1 : 0;
    }
    return count;
}

bool hasStyle(HWND window, LONG style) { return (GetWindowLongW(window, GWL_STYLE) & style) != 0; }

class Dialog : public testing::TestWithParam<Language> {
protected:
    void SetUp() override { installPlatformDefaults(); }

    Language language() const { return GetParam(); }
    std::string text(TextId id) const { return uiText(language(), id); }
    std::string text(TextId id, const std::string& value) const { return uiText(language(), id, value); }
    std::string line(const char* level, TextId id) const { return std::string("[") + level + "] " + text(id); }

    // Opens the window over a cache folder holding this airport list (none
    // when empty) and its settings file, with no network behind it. The
    // window stays hidden: its controls work the same, and under Wine
    // without a window manager every shown window costs seconds when it
    // goes.
    void open(const std::string& airportList) {
        if (!airportList.empty()) {
            cache_.write("airports.csv", airportList);
        }
        MainWindowSeams seams;
        seams.airportCache.directory = cache_.path();
        seams.airportCache.transport = std::make_shared<test::ScriptedTransport>();
        seams.settingsFile = settingsFile();
        window_ = std::make_unique<MainWindow>(GetModuleHandleW(nullptr), seams);
        ASSERT_TRUE(window_->create());
        driver_.emplace(window_->window());
        pump();
    }

    std::string settingsFile() const { return cache_.path("settings.json"); }

    // Closes the window as its close box does and waits until it has gone.
    void closeWindow() {
        driver_->close();
        for (int wait = 0; wait < 100 && IsWindow(window_->window()) != 0; ++wait) {
            pump();
            Sleep(20);
        }
        ASSERT_EQ(IsWindow(window_->window()), 0);
    }

    // Runs what is queued for the window, as the message loop does.
    void pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != 0) {
            if (IsDialogMessageW(window_->window(), &message) == 0) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
    }

    // Pumps until the log's last line is this one.
    bool pumpUntilLastLine(const std::string& wanted, std::chrono::milliseconds timeout) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (log().empty() || log().back() != wanted) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            Sleep(20);
            pump();
        }
        return true;
    }

    // The log's lines without their time stamps, each checked for one.
    Lines log() const {
        Lines messages;
        for (const std::string& entry : driver_->lines(IDC_LOG)) {
            EXPECT_TRUE(entry.size() > 11 && entry[0] == '[' && entry[3] == ':' && entry[6] == ':' && entry[9] == ']')
                << entry;
            messages.push_back(entry.substr(11));
        }
        return messages;
    }

    Lines logSince(size_t count) const {
        const Lines all = log();
        return Lines(all.begin() + static_cast<std::ptrdiff_t>(std::min(count, all.size())), all.end());
    }

    // Clicks a button whose command shows a message box, reads the box from
    // another thread while the command waits in it, and presses OK.
    std::optional<MessageBoxContent> clickIntoMessageBox(int id) {
        const HWND dialog = window_->window();
        auto reader = std::async(std::launch::async, [dialog]() -> std::optional<MessageBoxContent> {
            const DialogDriver owner(dialog);
            const auto box = owner.waitForMessageBox(10s);
            if (!box) {
                return std::nullopt;
            }
            const MessageBoxContent content = DialogDriver::readMessageBox(*box);
            DialogDriver::pressOk(*box, 10s);
            return content;
        });
        EXPECT_TRUE(driver_->click(id));
        return reader.get();
    }

    void reportStationWeather(const std::string& station, const WeatherData& weather, double distanceNm,
                              StationRole role = StationRole::Nearest) {
        window_->engineCallbacks().onStationWritten({station, distanceNm, role}, weather);
        pump();
    }

    // Which of Start, Stop, Refresh and the weather text are enabled.
    std::vector<bool> buttons() const {
        return {driver_->isEnabled(IDC_START), driver_->isEnabled(IDC_STOP), driver_->isEnabled(IDC_REFRESH),
                driver_->isEnabled(IDC_WEATHER_TEXT)};
    }

    test::EnvironmentScope languageChoice_{"NUBIRO_LANG", GetParam() == Language::Russian ? "ru" : "en"};
    test::ScratchDir cache_;
    std::unique_ptr<MainWindow> window_;
    std::optional<DialogDriver> driver_;
};

TEST_P(Dialog, OpensWithItsTextsInitialStatesAndTheAirportDatabase) {
    open(kAirportList);
    const DialogDriver& d = *driver_;
    EXPECT_EQ(driver::windowText(d.window()), "Nubiro");
    EXPECT_EQ(buttons(), (std::vector<bool>{true, false, false, true}));

    // Every caption of the window's parts, from the tables they keep.
    using Captions = std::span<const ControlCaption>;
    for (const Captions captions : {Captions(kCommandCaptions), Captions(kOptionCaptions), Captions(kLogCaptions)}) {
        for (const ControlCaption& caption : captions) {
            EXPECT_EQ(d.text(caption.id), text(caption.text)) << caption.id;
        }
    }
    const std::pair<int, const char*> fields[] = {
        {IDC_MAX_STATIONS, "15"}, {IDC_RADIUS, "200"},     {IDC_INTERVAL, "600"},
        {IDC_TEXT_SECONDS, "15"}, {IDC_CAVOK_VISIBILITY, "9999"}, {IDC_STATION_ENTRY, ""},
        {IDC_KEEP_REPORTS_MIN, ""}, {IDC_FROM, ""}, {IDC_TO, ""}, {IDC_ALTERNATE, ""}, {IDC_PLAN_FILE, ""},
        {IDC_ROUTE_STATIONS, "30"},
    };
    for (const auto& [id, value] : fields) {
        EXPECT_EQ(d.text(id), value) << id;
    }
    EXPECT_TRUE(d.isChecked(IDC_AUTO_STATIONS));
    EXPECT_FALSE(d.isChecked(IDC_MANUAL_STATIONS));
    for (int id = IDC_SYNTH_WITHOUT_METAR; id <= IDC_FULL_METAR; ++id) {
        EXPECT_EQ(d.isChecked(id), id != IDC_ONLY_NEAREST) << id;
    }
    EXPECT_FALSE(d.isChecked(IDC_SMOOTH_CHANGES));
    EXPECT_FALSE(d.isChecked(IDC_KEEP_REPORTS));
    EXPECT_FALSE(d.isEnabled(IDC_KEEP_REPORTS_MIN));
    EXPECT_EQ(d.comboEntries(IDC_SOURCE),
              (Lines{text(TextId::SourceOpenMeteo), text(TextId::SourceNoaa), text(TextId::SourceMetarOnly)}));
    EXPECT_EQ(d.comboSelection(IDC_SOURCE), 0);
    EXPECT_EQ(d.comboEntries(IDC_LANGUAGE), (Lines{text(TextId::LanguageAutomatic), "English", "Русский"}));
    EXPECT_EQ(d.comboSelection(IDC_LANGUAGE), 0);
    EXPECT_EQ(d.listBoxEntries(IDC_STATIONS), (Lines{"EGLL", "EDDF", "LFPG", "EHAM"}));
    Lines headers;
    for (int id = static_cast<int>(TextId::ColumnStation); id <= static_cast<int>(TextId::ColumnUpperAir); ++id) {
        headers.push_back(text(static_cast<TextId>(id)));
    }
    EXPECT_EQ(d.listViewHeaders(IDC_STATION_TABLE), headers);
    EXPECT_TRUE(d.listViewRows(IDC_STATION_TABLE).empty());
    // The window's own lines come first, the database's reported ones after.
    EXPECT_EQ(log(), (Lines{line("INFO", TextId::LoadingAirports), "[OK] " + text(TextId::AirportsReady, "2"),
                            "[INFO] Airport DB: cache OK (0.00 days).", "[INFO] Airport DB loaded: 2 stations."}));
}

TEST_P(Dialog, CollectsSettingsFromTheControls) {
    open(kAirportList);
    EngineSettings untouched;
    untouched.manualStations = {"EGLL", "EDDF", "LFPG", "EHAM"};
    untouched.cavokVisibilityM = 9999;
    EXPECT_EQ(window_->collectSettings(), untouched);

    const DialogDriver& d = *driver_;
    d.type(IDC_INTERVAL, "10");
    d.type(IDC_TEXT_SECONDS, "0");
    d.type(IDC_MAX_STATIONS, "");
    d.type(IDC_RADIUS, "8x0");  // the field takes digits only
    SetDlgItemTextW(window_->window(), IDC_CAVOK_VISIBILITY, L"4294967295");  // pasted past the field's width
    d.click(IDC_MANUAL_STATIONS);
    d.click(IDC_SIGMET);
    d.click(IDC_SMOOTH_CHANGES);
    d.selectComboEntry(IDC_SOURCE, 1);
    EngineSettings expected = untouched;
    expected.intervalSec = 30;
    expected.textSeconds = 3;
    expected.maxStations = 0;
    expected.radiusNm = 80;
    expected.cavokVisibilityM = 2147483647;
    expected.stationMode = "manual";
    expected.sigmetEnabled = false;
    expected.smoothChanges = true;
    expected.source = "noaa";
    EXPECT_EQ(window_->collectSettings(), expected);
    EXPECT_EQ(window_->selectedSourceId(), "noaa");

    d.type(IDC_INTERVAL, "31");
    EXPECT_EQ(window_->collectSettings().intervalSec, 31);
    // Without an engine a source change is only logged.
    EXPECT_EQ(log().back(), "[INFO] " + text(TextId::SourceChanged, "noaa"));
}

// Ticked with its field empty, "Keep reports" offers 90 minutes; the field
// takes 10 to 180 and keeps what was typed while the box is unticked.
TEST_P(Dialog, KeepReportsOffersNinetyMinutesWhenFirstTicked) {
    open(kAirportList);
    const DialogDriver& d = *driver_;
    d.click(IDC_KEEP_REPORTS);
    EXPECT_TRUE(d.isChecked(IDC_KEEP_REPORTS));
    EXPECT_TRUE(d.isEnabled(IDC_KEEP_REPORTS_MIN));
    EXPECT_EQ(d.text(IDC_KEEP_REPORTS_MIN), "90");
    EXPECT_EQ(window_->collectSettings().keepReportsMin, 90);
    for (const auto& [typed, minutes] : {std::pair{"200", 180}, std::pair{"5", 10}, std::pair{"45", 45}}) {
        d.type(IDC_KEEP_REPORTS_MIN, typed);
        EXPECT_EQ(window_->collectSettings().keepReportsMin, minutes) << typed;
    }
    d.click(IDC_KEEP_REPORTS);
    EXPECT_FALSE(d.isEnabled(IDC_KEEP_REPORTS_MIN));
    EXPECT_EQ(window_->collectSettings().keepReportsMin, 0);
    d.click(IDC_KEEP_REPORTS);
    EXPECT_EQ(d.text(IDC_KEEP_REPORTS_MIN), "45");
    EXPECT_EQ(window_->collectSettings().keepReportsMin, 45);
}

TEST_P(Dialog, StartWithoutAirportDatabaseIsRefused) {
    open("");
    EXPECT_EQ(log(), (Lines{line("INFO", TextId::LoadingAirports), line("WARN", TextId::AirportsMissing),
                            "[INFO] Downloading OurAirports DB (~12 MB)...", "[ERROR] Failed to download airport DB."}));
    const auto box = clickIntoMessageBox(IDC_START);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, text(TextId::ErrorCaption));
    EXPECT_EQ(box->text, text(TextId::NoAirportDatabase));
    EXPECT_EQ(buttons(), (std::vector<bool>{true, false, false, true}));
    EXPECT_EQ(log().size(), 4u);
}

TEST_P(Dialog, StationListEditingAndManualStartWithoutStations) {
    open(kAirportList);
    const DialogDriver& d = *driver_;
    struct Entry {
        const char* typed;
        Lines expected;
    };
    const Entry entries[] = {
        {"egll", {"EGLL", "EDDF", "LFPG", "EHAM"}},  // listed already
        {"EGL", {"EGLL", "EDDF", "LFPG", "EHAM"}},   // too short
        {"kjfk", {"EGLL", "EDDF", "LFPG", "EHAM", "KJFK"}},
    };
    for (const Entry& entry : entries) {
        d.type(IDC_STATION_ENTRY, entry.typed);
        d.click(IDC_ADD_STATION);
        EXPECT_EQ(d.listBoxEntries(IDC_STATIONS), entry.expected) << entry.typed;
        EXPECT_EQ(d.text(IDC_STATION_ENTRY), "") << entry.typed;
    }
    d.click(IDC_REMOVE_STATION);  // nothing selected
    EXPECT_EQ(d.listBoxEntries(IDC_STATIONS).size(), 5u);
    d.selectListBoxEntry(IDC_STATIONS, 1);
    d.click(IDC_REMOVE_STATION);
    EXPECT_EQ(d.listBoxEntries(IDC_STATIONS), (Lines{"EGLL", "LFPG", "EHAM", "KJFK"}));
    EXPECT_EQ(window_->collectSettings().manualStations, (Lines{"EGLL", "LFPG", "EHAM", "KJFK"}));

    for (int left = 4; left > 0; --left) {
        d.selectListBoxEntry(IDC_STATIONS, 0);
        d.click(IDC_REMOVE_STATION);
    }
    EXPECT_TRUE(d.listBoxEntries(IDC_STATIONS).empty());
    d.click(IDC_MANUAL_STATIONS);
    const size_t before = log().size();
    const auto box = clickIntoMessageBox(IDC_START);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, text(TextId::ErrorCaption));
    EXPECT_EQ(box->text, text(TextId::AddStationsFirst));
    EXPECT_EQ(log().size(), before);
    EXPECT_TRUE(d.isEnabled(IDC_START));
}

TEST_P(Dialog, EngineEventsFillTheTableTheListAndTheButtons) {
    open(kAirportList);
    const DialogDriver& d = *driver_;
    const size_t before = log().size();
    const std::string raw = "EGLL 121250Z 27012KT 9999 FEW035 15/09 Q1013";
    const WeatherData egll = reported("EGLL", 1013, raw);
    reportStationWeather("EGLL", egll, 3.2);
    reportStationWeather("EDDF", reported("EDDF", 1009, ""), 355.6, StationRole::Destination);
    WeatherData egllLater = egll;
    egllLater.qnhHpa = 1015;
    reportStationWeather("EGLL", egllLater, 3.2);

    const auto rows = d.listViewRows(IDC_STATION_TABLE);
    ASSERT_EQ(rows.size(), 2u);
    Lines edffRow = {"EDDF", "DEST"};
    for (const std::string& cell : stationCells(reported("EDDF", 1009, ""), 355.6, {})) {
        edffRow.push_back(cell);
    }
    EXPECT_EQ(rows[0], edffRow);
    // The report's age depends on today's date.
    const std::string age = rows[1][4];
    EXPECT_TRUE(std::regex_match(age, std::regex("\\d+( !)?"))) << age;
    EXPECT_EQ(rows[1], (Lines{"EGLL", "", "VFR", "3", age, "270/12", "1015", "9999", "15", "2", "0", "0", "-", "FL100 250/45"}));
    EXPECT_EQ(logSince(before), (Lines{"[METAR] [EGLL] METAR: " + raw, "[METAR] [EGLL] METAR: " + raw}));

    window_->engineCallbacks().onStations({"EGLC", "EGLL", "EGKK"});
    // The window's message numbers posted by anyone, with anything as
    // parameter, only make it look into its queue.
    for (UINT message = WM_APP + 1; message <= WM_APP + 4; ++message) {
        for (const LPARAM garbage : {LPARAM{0}, LPARAM{1}, LPARAM{-1}, static_cast<LPARAM>(0xDEADBEEF)}) {
            PostMessageW(window_->window(), message, static_cast<WPARAM>(garbage), garbage);
        }
    }
    pump();
    EXPECT_EQ(d.listBoxEntries(IDC_STATIONS), (Lines{"EGLC", "EGLL", "EGKK"}));
    EXPECT_EQ(window_->collectSettings().manualStations, (Lines{"EGLC", "EGLL", "EGKK"}));
    EXPECT_EQ(buttons(), (std::vector<bool>{true, false, false, true}));
    EXPECT_EQ(log().size(), before + 2);

    window_->engineCallbacks().onStopped();
    pump();
    EXPECT_EQ(buttons(), (std::vector<bool>{true, false, false, true}));
    EXPECT_EQ(log().back(), line("INFO", TextId::EngineStopped));
    EXPECT_EQ(log().size(), before + 3);
}

TEST_P(Dialog, StopDisablesRefreshAndWeatherTextUntilTheEngineHasStopped) {
    const test::DefaultTransportScope noNetwork(std::make_shared<test::ScriptedTransport>());
    test::StandInProcess simulator({"--lat", "51.4706", "--lon", "-0.4619"});
    ASSERT_TRUE(simulator.started());
    open(kAirportList);
    reportStationWeather("EGLL", reported("EGLL", 1013, ""), 3.2);

    ASSERT_TRUE(driver_->click(IDC_START));
    EXPECT_EQ(buttons(), (std::vector<bool>{false, true, true, true}));
    // The weather above came before this start: the engine has none to show.
    driver_->click(IDC_WEATHER_TEXT);
    EXPECT_EQ(log().back(), line("WARN", TextId::NoWeatherSinceStart));

    ASSERT_TRUE(driver_->click(IDC_STOP));
    EXPECT_EQ(log().back(), line("INFO", TextId::Stopping));
    EXPECT_EQ(buttons(), (std::vector<bool>{false, false, false, false}));
    ASSERT_TRUE(pumpUntilLastLine(line("INFO", TextId::EngineStopped), 30s)) << testing::PrintToString(log());
    const Lines lines = log();
    EXPECT_EQ(lines[lines.size() - 2], "[INFO] Engine stopped.");
    EXPECT_EQ(buttons(), (std::vector<bool>{true, false, false, true}));
}

TEST_P(Dialog, WeatherTextWithoutAnEngineIsShownOffTheWindowThread) {
    open(kAirportList);
    const DialogDriver& d = *driver_;
    d.click(IDC_WEATHER_TEXT);
    EXPECT_EQ(log().back(), line("WARN", TextId::NoWeatherYet));

    const WeatherData weather = reported("EGLL", 1013, "EGLL 121250Z 27012KT 9999 FEW035 15/09 Q1013");
    reportStationWeather("EGLL", weather, 3.2);
    d.click(IDC_WEATHER_TEXT);
    EXPECT_TRUE(pumpUntilLastLine(line("ERROR", TextId::FsuipcUnavailable), 30s)) << testing::PrintToString(log());

    test::StandInProcess simulator({"--lat", "51.4706", "--lon", "-0.4619"});
    ASSERT_TRUE(simulator.started());
    d.click(IDC_WEATHER_TEXT);
    // Until the job has reported, neither Start nor another text may open
    // a second link.
    EXPECT_EQ(buttons(), (std::vector<bool>{false, false, false, false}));
    EXPECT_TRUE(pumpUntilLastLine(line("OK", TextId::WeatherTextSent), 30s)) << testing::PrintToString(log());
    EXPECT_EQ(buttons(), (std::vector<bool>{true, false, false, true}));
    const auto shown = simulator.waitForEvent("text");
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ((*shown)["text"], formatWeatherSummary(weather, true, 127, ""));
    EXPECT_EQ((*shown)["seconds"], 20);
}

TEST_P(Dialog, AboutBox) {
    open(kAirportList);
    const auto box = clickIntoMessageBox(IDC_ABOUT);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, text(TextId::AboutCaption));
    EXPECT_EQ(box->text, aboutText(language()));
}

TEST_P(Dialog, LayoutFollowsTheWindowSize) {
    open(kAirportList);
    const DialogDriver& d = *driver_;
    for (const SIZE size : {SIZE{1000, 700}, SIZE{1400, 900}}) {
        d.resize(size.cx, size.cy);
        pump();
        const RECT client = d.clientRect();
        const RECT logView = d.controlRect(IDC_LOG);
        const RECT table = d.controlRect(IDC_STATION_TABLE);
        EXPECT_EQ(logView.right, client.right - 8) << size.cx;
        EXPECT_EQ(logView.bottom - logView.top, 90) << size.cx;
        EXPECT_EQ(table.left, 8) << size.cx;
        EXPECT_EQ(table.right, client.right - 8) << size.cx;
        EXPECT_EQ(table.bottom, client.bottom - 8) << size.cx;
    }
    d.resize(300, 200);
    pump();
    RECT outer{};
    GetWindowRect(d.window(), &outer);
    EXPECT_EQ(outer.right - outer.left, 700);
    EXPECT_EQ(outer.bottom - outer.top, 500);
}

// What the pilot set comes back at the next start: every control, the
// station list, the language chosen, the view and the window's size.
// NUBIRO_LANG chooses the language of this run only and is never kept.
TEST_P(Dialog, KeepsItsSettingsForTheNextStart) {
    open(kAirportList);
    const DialogDriver& d = *driver_;
    d.click(IDC_MANUAL_STATIONS);
    d.type(IDC_MAX_STATIONS, "7");
    d.type(IDC_INTERVAL, "45");
    d.click(IDC_SIGMET);
    d.click(IDC_SMOOTH_CHANGES);
    d.selectComboEntry(IDC_SOURCE, 2);
    d.type(IDC_STATION_ENTRY, "kjfk");
    d.click(IDC_ADD_STATION);
    d.type(IDC_FROM, "egll");
    d.type(IDC_TO, "EDDFX");
    d.type(IDC_ALTERNATE, "eddm");
    d.type(IDC_ROUTE_STATIONS, "12");
    ASSERT_TRUE(d.selectTab(IDC_VIEW_TABS, 1));
    d.resize(1040, 760);
    pump();
    const EngineSettings set = window_->collectSettings();
    closeWindow();
    const SettingsReading kept = readSettingsFile(settingsFile());
    EXPECT_EQ(kept.settings.language, LanguageChoice::Automatic);
    ASSERT_TRUE(kept.settings.window.has_value());
    EXPECT_EQ(kept.settings.window->width, 1040);
    // Typed airports upper-case and at most four characters; no plan file.
    EXPECT_EQ(kept.settings.flight, (PlanChoice{"", "EGLL", "EDDF", "EDDM"}));
    EXPECT_EQ(kept.settings.engine.routeStations, 12);

    open(kAirportList);
    EXPECT_EQ(window_->collectSettings(), set);
    EXPECT_EQ(set.manualStations, (Lines{"EGLL", "EDDF", "LFPG", "EHAM", "KJFK"}));
    EXPECT_EQ(driver_->listBoxEntries(IDC_STATIONS), set.manualStations);
    EXPECT_EQ(driver_->text(IDC_INTERVAL), "45");
    EXPECT_EQ(driver_->text(IDC_FROM), "EGLL");
    EXPECT_EQ(driver_->text(IDC_TO), "EDDF");
    EXPECT_EQ(driver_->text(IDC_ALTERNATE), "EDDM");
    driver_->click(IDC_CLEAR_PLAN);
    EXPECT_EQ(driver_->text(IDC_FROM) + driver_->text(IDC_TO) + driver_->text(IDC_ALTERNATE), "");
    EXPECT_EQ(driver_->selectedTab(IDC_VIEW_TABS), 1);
    RECT outer{};
    GetWindowRect(window_->window(), &outer);
    EXPECT_EQ(outer.right - outer.left, 1040);
    EXPECT_EQ(outer.bottom - outer.top, 760);
    EXPECT_EQ(log().front(), line("INFO", TextId::LoadingAirports));

    driver_->selectComboEntry(IDC_LANGUAGE, 2);
    closeWindow();
    EXPECT_EQ(readSettingsFile(settingsFile()).settings.language, LanguageChoice::Russian);
    open(kAirportList);
    EXPECT_EQ(driver_->comboSelection(IDC_LANGUAGE), 2);
    EXPECT_EQ(driver_->text(IDC_START), text(TextId::Start));
}

// A settings file that cannot be read gives every default, a value out of
// range its own default; either way one warning heads the log.
TEST_P(Dialog, AnUnreadableOrRefusedSettingsFileGivesDefaultsAndOneWarning) {
    struct Case {
        const char* file;
        std::string warning;
        const char* maxStations;
    };
    const Case cases[] = {
        {"{\"maxStations\": 7, ", text(TextId::SettingsUnreadable), "15"},
        {"{\"maxStations\": 7, \"intervalSec\": 5}", text(TextId::SettingsOutOfRange, "intervalSec"), "7"},
    };
    for (const Case& c : cases) {
        cache_.write("settings.json", c.file);
        open(kAirportList);
        EXPECT_EQ(log().front(), "[WARN] " + c.warning) << c.file;
        EXPECT_EQ(log()[1], line("INFO", TextId::LoadingAirports)) << c.file;
        EXPECT_EQ(driver_->text(IDC_MAX_STATIONS), c.maxStations) << c.file;
        EXPECT_EQ(driver_->text(IDC_INTERVAL), "600") << c.file;
    }
}

// The map tab shows the last cycle: each station's dot in its category's
// colour where the projection puts it, the aircraft in the middle, the
// thunderstorm area's outline in red, all scaled with the DPI; resting the
// pointer on a station shows its report.
TEST_P(Dialog, TheMapShowsTheLastCycle) {
    open(kAirportList);
    const DialogDriver& d = *driver_;
    const HWND map = d.control(IDC_WEATHER_MAP);
    EXPECT_EQ(d.selectedTab(IDC_VIEW_TABS), 0);
    EXPECT_FALSE(hasStyle(map, WS_VISIBLE));
    ASSERT_TRUE(d.selectTab(IDC_VIEW_TABS, 1));
    EXPECT_TRUE(hasStyle(map, WS_VISIBLE));
    EXPECT_FALSE(hasStyle(d.control(IDC_STATION_TABLE), WS_VISIBLE));
    EXPECT_EQ(d.controlRect(IDC_WEATHER_MAP).bottom, d.clientRect().bottom - 8);

    const CycleOverview overview = londonCycle();
    window_->engineCallbacks().onCycleOverview(overview);
    pump();
    int dotAt96 = 0;
    for (const unsigned dpi : {96u, 144u}) {
        if (dpi != 96) {
            RECT suggested{0, 0, 1400, 1000};
            SendMessageW(d.window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
            pump();
        }
        RECT client{};
        GetClientRect(map, &client);
        const MapScene scene = buildMapScene(overview, client.right, client.bottom, dpi, language());
        ASSERT_EQ(scene.stations.size(), 4u) << dpi;
        const Painted picture(map);
        for (const SceneStation& station : scene.stations) {
            EXPECT_EQ(picture.at(station.at), station.colour) << dpi << " " << station.stationId;
        }
        // The dot grows with the DPI.
        const int dot = heightOf(picture, scene.stations[0].at, scene.stations[0].colour, 12);
        if (dpi == 96) {
            dotAt96 = dot;
        } else {
            EXPECT_GE(dot * 2, dotAt96 * 3 - 2) << dot << " against " << dotAt96;
        }
        EXPECT_EQ(picture.at(scene.centre), mapColours::kAircraft) << dpi;
        ASSERT_EQ(scene.areas.size(), 1u);
        const std::vector<MapPoint>& outline = scene.areas[0].outlines[0];
        EXPECT_EQ(picture.at({outline[0].x, (outline[0].y + outline[1].y) / 2}), hazardColour(SigmetHazard::Thunderstorm))
            << dpi;
    }

    RECT client{};
    GetClientRect(map, &client);
    const MapScene scene = buildMapScene(overview, client.right, client.bottom, 144, language());
    const auto hover = [&](MapPoint at) {
        SendMessageW(map, WM_MOUSEMOVE, 0,
                     MAKELPARAM(static_cast<int>(std::lround(at.x)), static_cast<int>(std::lround(at.y))));
        return shownTooltip(map);
    };
    EXPECT_EQ(hover(scene.stations[2].at), overview.stations[2].weather.rawMetar);
    EXPECT_EQ(hover(scene.stations[3].at), "EGLF: " + text(TextId::MapModelWeather));
    EXPECT_EQ(hover({scene.centre.x, scene.centre.y + 40}), std::nullopt);

    // A notch of the wheel halves the radius shown.
    SendMessageW(map, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    const MapScene zoomed = buildMapScene(overview, client.right, client.bottom, 144, language(), 1);
    const Painted picture(map);
    for (const SceneStation& station : zoomed.stations) {
        EXPECT_EQ(picture.at(station.at), station.colour) << station.stationId;
    }
    EXPECT_EQ(zoomed.rings.back().label, "25 nm");
}

// A flight to Birmingham with Manchester as its alternate: the
// destination's TAF with an FM, a BECMG and a TEMPO beside, the
// alternate's without a report, the departure without a TAF, and two
// SIGMETs across the route.
Briefing birminghamBriefing() {
    const auto utc = [](const char* text) { return *parseUtcTime(text); };
    const auto tafPeriod = [&](const char* change, const char* from, const char* to, FlightCategory category) {
        TafPeriod period;
        period.change = change;
        period.from = utc(from);
        period.to = utc(to);
        period.category = category;
        period.windDirDeg = 240;
        period.windSpeedKt = 12;
        period.visibilityM = category == FlightCategory::Vfr ? 9999 : 3000;
        period.ceilingFt = category == FlightCategory::Vfr ? std::nullopt : std::optional<int>(800);
        period.cloudsGiven = true;
        return period;
    };
    Taf destination{"EGBB", utc("2026-12-08T11:00:00Z"), utc("2026-12-08T12:00:00Z"), utc("2026-12-09T12:00:00Z"), "", {}};
    destination.periods = {tafPeriod("BASE", "2026-12-08T12:00:00Z", "2026-12-08T15:00:00Z", FlightCategory::Vfr),
                           tafPeriod("FM", "2026-12-08T15:00:00Z", "2026-12-08T21:00:00Z", FlightCategory::Ifr),
                           tafPeriod("BECMG", "2026-12-08T21:00:00Z", "2026-12-09T12:00:00Z", FlightCategory::Mvfr),
                           tafPeriod("TEMPO", "2026-12-08T16:00:00Z", "2026-12-08T19:00:00Z", FlightCategory::Lifr)};
    destination.periods[2].becomingEnd = utc("2026-12-08T23:00:00Z");
    destination.periods[3].weather = "+TSRA";
    Taf alternate{"EGCC", utc("2026-12-08T11:00:00Z"), utc("2026-12-08T12:00:00Z"), utc("2026-12-09T18:00:00Z"), "", {}};
    alternate.periods = {tafPeriod("BASE", "2026-12-08T12:00:00Z", "2026-12-09T18:00:00Z", FlightCategory::Mvfr)};
    Briefing briefing;
    briefing.eta = utc("2026-12-08T16:40:00Z");
    briefing.airports = {
        {"EGLL", StationRole::Departure, FlightCategory::Vfr, 12, std::nullopt, std::nullopt},
        {"EGBB", StationRole::Destination, FlightCategory::Mvfr, 35, destination,
         ForecastAt{destination.periods[1], {{"TEMPO", FlightCategory::Lifr, destination.periods[3]}}}},
        {"EGCC", StationRole::Alternate, std::nullopt, std::nullopt, alternate, ForecastAt{alternate.periods[0], {}}}};
    briefing.sigmets = {{"TS@EGTT", "TS", std::nullopt, 38000, {1, 2}, true},
                        {"TURB@EGTT", "TURB", 25000, std::nullopt, {2}, false}};
    return briefing;
}

// The screen's pixels of a window, frame included.
std::vector<uint32_t> screenPixels(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const ScreenDc screen;
    const MemoryDc memory(screen.get());
    const GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), rect.right - rect.left, rect.bottom - rect.top));
    std::vector<uint32_t> pixels(static_cast<size_t>((rect.right - rect.left) * (rect.bottom - rect.top)));
    {
        const Selection selected(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, rect.right - rect.left, rect.bottom - rect.top, screen.get(), rect.left, rect.top,
               SRCCOPY);
    }
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), rect.right - rect.left, rect.top - rect.bottom, 1, 32, BI_RGB};
    GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(rect.bottom - rect.top), pixels.data(), &format,
              DIB_RGB_COLORS);
    return pixels;
}

// How big a text is in a control's font.
SIZE textExtent(HWND control, const std::wstring& text) {
    const HDC dc = GetDC(control);
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return extent;
}

int textWidth(HWND control, const std::wstring& text) { return textExtent(control, text).cx; }

// What a DPI change leaves: sizes scaled, new fonts, and headers that fit.
TEST_P(Dialog, FollowsDpiChanges) {
    open(kAirportList);
    const DialogDriver& d = *driver_;
    const HWND dialog = window_->window();
    const RECT startAt96 = d.controlRect(IDC_START);
    // Suggested sizes within the screen and not below the smallest size.
    for (const auto& [dpi, suggestedSize] : {std::pair{144, SIZE{1100, 800}}, std::pair{192, SIZE{1400, 1000}},
                                            std::pair{96, SIZE{1000, 700}}}) {
        RECT suggested{0, 0, suggestedSize.cx, suggestedSize.cy};
        SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        pump();
        const auto scaled = [dpi](int pixels) { return MulDiv(pixels, dpi, 96); };
        RECT outer{};
        GetWindowRect(dialog, &outer);
        EXPECT_EQ(outer.right - outer.left, suggested.right) << dpi;
        const RECT client = d.clientRect();
        const RECT logView = d.controlRect(IDC_LOG);
        const RECT table = d.controlRect(IDC_STATION_TABLE);
        EXPECT_EQ(logView.bottom - logView.top, scaled(90)) << dpi;
        EXPECT_EQ(table.right, client.right - scaled(8)) << dpi;
        // The status line between the log and the table, as wide as the
        // log and high enough for its text.
        const RECT status = d.controlRect(IDC_READBACK);
        EXPECT_GT(status.top, logView.bottom) << dpi;
        EXPECT_GT(table.top, status.bottom) << dpi;
        EXPECT_EQ(status.left, logView.left) << dpi;
        EXPECT_EQ(status.right, logView.right) << dpi;
        EXPECT_GE(status.bottom - status.top, textExtent(d.control(IDC_READBACK), L"Simulator: wind 221°").cy) << dpi;
        const RECT start = d.controlRect(IDC_START);
        EXPECT_NEAR(start.right - start.left, scaled(startAt96.right - startAt96.left), 1) << dpi;
        // "Keep reports" holds its caption beside its box, and its minutes
        // field comes after it.
        const RECT keep = d.controlRect(IDC_KEEP_REPORTS);
        EXPECT_GE(keep.right - keep.left, textWidth(d.control(IDC_KEEP_REPORTS), toWide(text(TextId::KeepReports))) +
                                              scaled(GetSystemMetrics(SM_CXMENUCHECK) + 4))
            << dpi;
        EXPECT_GE(d.controlRect(IDC_KEEP_REPORTS_MIN).left, keep.right) << dpi;
        // The language selector holds its longest entry beside its arrow,
        // between its label and its note, which hold their texts.
        const RECT languageLabel = d.controlRect(IDC_LANGUAGE_LABEL);
        const RECT languageBox = d.controlRect(IDC_LANGUAGE);
        const RECT languageNote = d.controlRect(IDC_LANGUAGE_NOTE);
        EXPECT_GE(languageLabel.right - languageLabel.left,
                  textWidth(d.control(IDC_LANGUAGE_LABEL), toWide(text(TextId::LanguageLabel))))
            << dpi;
        EXPECT_LE(languageLabel.right, languageBox.left) << dpi;
        for (const std::string& entry : d.comboEntries(IDC_LANGUAGE)) {
            EXPECT_GE(languageBox.right - languageBox.left,
                      textWidth(d.control(IDC_LANGUAGE), toWide(entry)) + scaled(GetSystemMetrics(SM_CXVSCROLL) + 6))
                << dpi << " " << entry;
        }
        EXPECT_LE(languageBox.right, languageNote.left) << dpi;
        // The flight's row: each label and button holds its text, each
        // control ends before the next begins.
        const int flightRow[] = {IDC_PLAN,           IDC_FROM_LABEL, IDC_FROM,     IDC_TO_LABEL,
                                 IDC_TO,             IDC_ALTERNATE_LABEL, IDC_ALTERNATE, IDC_CLEAR_PLAN,
                                 IDC_PLAN_FILE,      IDC_ROUTE_STATIONS_LABEL, IDC_ROUTE_STATIONS, IDC_ARRIVAL_LABEL,
                                 IDC_ARRIVAL};
        for (size_t i = 0; i < std::size(flightRow); ++i) {
            const RECT place = d.controlRect(flightRow[i]);
            if (i + 1 < std::size(flightRow)) {
                EXPECT_LE(place.right, d.controlRect(flightRow[i + 1]).left) << dpi << " " << flightRow[i];
            }
        }
        for (const ControlCaption& caption : kOptionCaptions) {
            if (caption.id < IDC_PLAN) {
                continue;
            }
            const bool button = caption.id == IDC_PLAN || caption.id == IDC_CLEAR_PLAN;
            const RECT place = d.controlRect(caption.id);
            EXPECT_GE(place.right - place.left,
                      textWidth(d.control(caption.id), toWide(text(caption.text))) + (button ? scaled(8) : 0))
                << dpi << " " << text(caption.text);
        }
        EXPECT_GE(d.controlRect(IDC_FROM).right - d.controlRect(IDC_FROM).left,
                  textWidth(d.control(IDC_FROM), L"WWWW") + scaled(4))
            << dpi;
        EXPECT_GE(languageNote.right - languageNote.left,
                  textWidth(d.control(IDC_LANGUAGE_NOTE), toWide(text(TextId::LanguageNote))))
            << dpi;

        LOGFONTW logFont{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(d.control(IDC_LOG), WM_GETFONT, 0, 0)), sizeof logFont,
                   &logFont);
        EXPECT_EQ(logFont.lfHeight, -MulDiv(9, dpi, 72)) << dpi;
        EXPECT_EQ(textWidth(d.control(IDC_LOG), L"iiiiiiii"), textWidth(d.control(IDC_LOG), L"WWWWWWWW")) << dpi;

        // A header's text is cut unless the column holds it and the
        // header's margins of three edges on either side.
        const HWND list = d.control(IDC_STATION_TABLE);
        const Lines headers = d.listViewHeaders(IDC_STATION_TABLE);
        for (int column = 0; column < static_cast<int>(headers.size()); ++column) {
            const std::string& caption = headers[static_cast<size_t>(column)];
            EXPECT_GE(ListView_GetColumnWidth(list, column),
                      textWidth(ListView_GetHeader(list), toWide(caption)) + 6 * GetSystemMetrics(SM_CXEDGE))
                << dpi << " " << caption;
        }

        d.resize(300, 200);
        pump();
        GetWindowRect(dialog, &outer);
        EXPECT_EQ(outer.right - outer.left, scaled(700)) << dpi;
        EXPECT_EQ(outer.bottom - outer.top, scaled(500)) << dpi;
    }
    EXPECT_EQ(d.controlRect(IDC_START).right, startAt96.right);
}

// The third tab shows the briefing: without one, that a plan is needed;
// fed one, its boxes in their categories' colours and the arrival's line
// where the layout puts them, at 96 and 144 DPI. With NUBIRO_SCREENSHOTS
// naming a folder, the window is shown and saved there at each DPI.
TEST_P(Dialog, TheBriefingTabShowsTheBriefing) {
    open(kAirportList);
    const DialogDriver& d = *driver_;
    const HWND tabs = d.control(IDC_VIEW_TABS);
    const TextId captions[] = {TextId::ViewTable, TextId::ViewMap, TextId::ViewBriefing};
    for (int index = 0; index < 3; ++index) {
        wchar_t caption[64] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption;
        item.cchTextMax = 64;
        SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(fromWide(caption), text(captions[index]));
    }
    const HWND view = d.control(IDC_BRIEFING);
    ASSERT_TRUE(d.selectTab(IDC_VIEW_TABS, 2));
    EXPECT_TRUE(hasStyle(view, WS_VISIBLE));
    EXPECT_FALSE(hasStyle(d.control(IDC_WEATHER_MAP), WS_VISIBLE));
    EXPECT_EQ(d.controlRect(IDC_BRIEFING).bottom, d.clientRect().bottom - 8);

    const Briefing briefing = birminghamBriefing();
    window_->engineCallbacks().onBriefing(briefing);
    pump();
    const char* const shotsFolder = std::getenv("NUBIRO_SCREENSHOTS");
    const std::string shots = shotsFolder != nullptr ? shotsFolder : "";
    for (const unsigned dpi : {96u, 144u}) {
        if (dpi != 96) {
            RECT suggested{0, 0, 1500, 1100};
            SendMessageW(d.window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
            pump();
        }
        RECT client{};
        GetClientRect(view, &client);
        const SIZE line = textExtent(view, L"Ag");
        const BriefingScene scene = buildBriefingScene(briefing, client.right, client.bottom, line.cy, dpi, language());
        ASSERT_EQ(scene.boxes.size(), 6u) << dpi;
        const Painted picture(view);
        for (const BriefingBox& box : scene.boxes) {
            const MapPoint inside{box.rect.left + 2.0 * scene.lineWidthPx, box.rect.top + 2.0 * scene.lineWidthPx};
            EXPECT_EQ(picture.at(inside), box.colour) << dpi << " " << box.label;
        }
        ASSERT_TRUE(scene.arrivalX);
        EXPECT_EQ(picture.at({static_cast<double>(*scene.arrivalX), scene.boxes[0].rect.top + 2.0}),
                  mapColours::kAircraft)
            << dpi;
        if (!shots.empty()) {
            // Wine draws into the X screen after the paint: the picture is
            // taken once the screen shows the briefing and stays as it is.
            ShowWindow(d.window(), SW_SHOW);
            RedrawWindow(d.window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            std::vector<uint32_t> shown = screenPixels(d.window());
            const auto deadline = std::chrono::steady_clock::now() + 10s;
            for (bool still = false; !still && std::chrono::steady_clock::now() < deadline;) {
                pump();
                std::vector<uint32_t> now = screenPixels(d.window());
                POINT inside{scene.boxes[0].rect.left + 2, scene.boxes[0].rect.top + 2};
                ClientToScreen(view, &inside);
                const ScreenDc screen;
                const COLORREF colour = GetPixel(screen.get(), inside.x, inside.y);
                still = now == shown && Rgb{GetRValue(colour), GetGValue(colour), GetBValue(colour)} ==
                                            scene.boxes[0].colour;
                shown = std::move(now);
            }
            const std::string name = std::string(language() == Language::Russian ? "ru" : "en") + "-" +
                                     std::to_string(dpi) + ".png";
            EXPECT_TRUE(driver::saveWindowPng(d.window(), shots + "\\briefing-" + name));
        }
    }
}

// An arrival time the field does not understand refuses Start with one
// line in the log that says what it takes.
TEST_P(Dialog, StartRefusesAnArrivalTimeItDoesNotUnderstand) {
    open(kAirportList);
    const DialogDriver& d = *driver_;
    d.type(IDC_ARRIVAL, "25:00");
    const size_t before = log().size();
    EXPECT_TRUE(d.click(IDC_START));
    pump();
    EXPECT_EQ(logSince(before), (Lines{"[WARN] " + text(TextId::ArrivalNotUnderstood, "25:00")}));
    EXPECT_EQ(buttons(), (std::vector<bool>{true, false, false, true}));
}

INSTANTIATE_TEST_SUITE_P(Languages, Dialog, testing::Values(Language::Russian, Language::English),
                         [](const testing::TestParamInfo<Language>& info) {
                             return info.param == Language::Russian ? "Russian" : "English";
                         });

// The process dies between writing the new settings and putting them in
// place of the old: the old file stays whole and is read at the next start,
// and the next save writes over what the crash left. (A death test runs
// this test again in a process of its own up to the crash, so the folder
// has a fixed name.)
TEST(DialogSettings, ACrashBetweenWriteAndReplaceLeavesTheOldFile) {
    installPlatformDefaults();
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "nubiro-settings-crash-test";
    std::filesystem::remove_all(folder);
    const std::string path = utf8String(folder / "settings.json");
    SavedSettings old;
    old.engine.intervalSec = 45;
    ASSERT_TRUE(writeSettingsFile(path, old));
    SavedSettings newer;
    newer.engine.intervalSec = 90;
    EXPECT_EXIT(writeSettingsFile(path, newer, [] { TerminateProcess(GetCurrentProcess(), 7); }),
                testing::ExitedWithCode(7), "");
    EXPECT_EQ(test::readFile(path + ".new"), settingsText(newer));

    test::ScratchDir cache;
    cache.write("airports.csv", kAirportList);
    MainWindowSeams seams;
    seams.airportCache.directory = cache.path();
    seams.settingsFile = path;
    MainWindow window(GetModuleHandleW(nullptr), seams);
    ASSERT_TRUE(window.create());
    const DialogDriver d(window.window());
    EXPECT_EQ(d.text(IDC_INTERVAL), "45");
    EXPECT_EQ(d.lines(IDC_LOG).front().substr(11, 7), "[INFO] ");
    d.type(IDC_INTERVAL, "120");
    SendMessageW(window.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(readSettingsFile(path).settings.engine.intervalSec, 120);
    EXPECT_FALSE(std::filesystem::exists(folder / "settings.json.new"));
    std::filesystem::remove_all(folder);
}

// Lines of the longest kind, so that few of them pass the bound.
TEST(DialogLog, KeepsShowingNewLinesPastItsBound) {
    installPlatformDefaults();
    test::ScratchDir cache;
    cache.write("airports.csv", kAirportList);
    MainWindowSeams seams;
    seams.airportCache.directory = cache.path();
    seams.settingsFile = cache.path("settings.json");
    MainWindow window(GetModuleHandleW(nullptr), seams);
    ASSERT_TRUE(window.create());
    const std::string filler(1100, 'x');
    for (size_t appended = 0; appended <= kLogViewMaxChars + 20 * kLogLineMaxBytes; appended += kLogLineMaxBytes) {
        window.appendLog(filler, "INFO");
    }
    window.appendLog("the newest line", "INFO");
    const DialogDriver d(window.window());
    const std::string text = d.text(IDC_LOG);
    EXPECT_LE(text.size(), kLogViewMaxChars);
    EXPECT_GE(text.size(), kLogViewKeepChars - 200);
    EXPECT_EQ(text.front(), '[');
    EXPECT_EQ(d.lines(IDC_LOG).back().substr(11), "[INFO] the newest line");
}

}  // namespace
}  // namespace wx
