// The main dialog in this process, driven as a user drives it (clicks,
// typed characters, picks) and read back from its controls. The airport
// list comes from a scratch cache folder, never from a network; engine
// events arrive through the same posted messages the engine's adapters use.

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <future>
#include <memory>
#include <optional>

#include "DialogDriver.h"
#include "app/AboutText.h"
#include "app/LogLine.h"
#include "app/LogTrim.h"
#include "app/StationCells.h"
#include "app/win32/ControlIds.h"
#include "app/win32/EngineBridge.h"
#include "app/win32/MainWindow.h"
#include "platform/PlatformDefaults.h"
#include "support/ScratchDir.h"
#include "support/ScriptedTransport.h"
#include "weather/WeatherSummary.h"
#include "support/win32/StandInProcess.h"

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

class Dialog : public testing::Test {
protected:
    void SetUp() override { installPlatformDefaults(); }

    // Opens the window over a cache folder holding this airport list (none
    // when empty) with no network behind it. The window stays hidden: its
    // controls work the same, and under Wine without a window manager
    // every shown window costs seconds when it goes.
    void open(const std::string& airportList) {
        if (!airportList.empty()) {
            cache_.write("airports.csv", airportList);
        }
        MainWindowSeams seams;
        seams.airportCache.directory = cache_.path();
        seams.airportCache.transport = std::make_shared<test::ScriptedTransport>();
        window_ = std::make_unique<MainWindow>(GetModuleHandleW(nullptr), seams);
        ASSERT_TRUE(window_->create());
        driver_.emplace(window_->window());
        pump();
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

    // The log's lines without their time stamps, each checked for one.
    Lines log() const {
        Lines messages;
        for (const std::string& line : driver_->lines(IDC_LOG)) {
            EXPECT_TRUE(line.size() > 11 && line[0] == '[' && line[3] == ':' && line[6] == ':' && line[9] == ']')
                << line;
            messages.push_back(line.substr(11));
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

    void postStationWeather(const std::string& station, const WeatherData& weather, double distanceNm) {
        postPayload(window_->window(), kStationWeatherMessage,
                    std::make_unique<StationWeatherPayload>(StationWeatherPayload{station, weather, distanceNm}));
        pump();
    }

    test::ScratchDir cache_;
    std::unique_ptr<MainWindow> window_;
    std::optional<DialogDriver> driver_;
};

TEST_F(Dialog, OpensWithItsInitialStatesAndTheAirportDatabase) {
    open(kAirportList);
    const DialogDriver& d = *driver_;
    EXPECT_EQ(driver::windowText(d.window()), "Nubiro");
    EXPECT_TRUE(d.isEnabled(IDC_START));
    EXPECT_FALSE(d.isEnabled(IDC_STOP));
    EXPECT_FALSE(d.isEnabled(IDC_REFRESH));
    EXPECT_TRUE(d.isEnabled(IDC_WEATHER_TEXT));

    struct Caption {
        int id;
        const char* text;
    };
    for (const Caption& c : {Caption{IDC_START, "Старт"}, Caption{IDC_STOP, "Стоп"}, Caption{IDC_REFRESH, "Обновить"},
                             Caption{IDC_WEATHER_TEXT, "Погода в FS"}, Caption{IDC_ABOUT, "О программе"},
                             Caption{IDC_SOURCE_LABEL, "Источник:"}, Caption{IDC_AUTO_STATIONS, "Авто станции"},
                             Caption{IDC_MANUAL_STATIONS, "Вручную"}, Caption{IDC_INTERVAL_LABEL, "Интервал с:"},
                             Caption{IDC_SYNTH_WITHOUT_METAR, "Синтетика без METAR"},
                             Caption{IDC_ONLY_NEAREST, "Только ближайшая"}, Caption{IDC_MAX_STATIONS, "15"},
                             Caption{IDC_RADIUS, "200"}, Caption{IDC_INTERVAL, "600"}, Caption{IDC_TEXT_SECONDS, "15"},
                             Caption{IDC_CAVOK_VISIBILITY, "9999"}, Caption{IDC_STATION_ENTRY, ""},
                             Caption{IDC_LOG_LABEL, "Журнал:"}}) {
        EXPECT_EQ(d.text(c.id), c.text) << c.id;
    }
    EXPECT_TRUE(d.isChecked(IDC_AUTO_STATIONS));
    EXPECT_FALSE(d.isChecked(IDC_MANUAL_STATIONS));
    for (int id = IDC_SYNTH_WITHOUT_METAR; id <= IDC_FULL_METAR; ++id) {
        EXPECT_EQ(d.isChecked(id), id != IDC_ONLY_NEAREST) << id;
    }
    EXPECT_EQ(d.comboEntries(IDC_SOURCE), (Lines{"Open-Meteo", "NOAA / AWC", "Только METAR"}));
    EXPECT_EQ(d.comboSelection(IDC_SOURCE), 0);
    EXPECT_EQ(d.listBoxEntries(IDC_STATIONS), (Lines{"EGLL", "EDDF", "LFPG", "EHAM"}));
    EXPECT_EQ(d.listViewHeaders(IDC_STATION_TABLE),
              (Lines{"ICAO", "Дист.", "Ветер", "QNH", "Вид.", "T°C", "Облака", "Турб.", "Облед.", "Осадки",
                     "Эшелоны / ветер"}));
    EXPECT_TRUE(d.listViewRows(IDC_STATION_TABLE).empty());
    // The window's own lines come first, the database's posted ones after.
    EXPECT_EQ(log(), (Lines{"[INFO] Загрузка базы аэропортов...", "[OK] База аэропортов готова: 2 станций.",
                            "[INFO] Airport DB: cache OK (0.00 days).", "[INFO] Airport DB loaded: 2 stations."}));
}

TEST_F(Dialog, CollectsSettingsFromTheControls) {
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
    d.selectComboEntry(IDC_SOURCE, 1);
    EngineSettings expected = untouched;
    expected.intervalSec = 30;
    expected.textSeconds = 3;
    expected.maxStations = 0;
    expected.radiusNm = 80;
    expected.cavokVisibilityM = 2147483647;
    expected.stationMode = "manual";
    expected.sigmetEnabled = false;
    expected.source = "noaa";
    EXPECT_EQ(window_->collectSettings(), expected);
    EXPECT_EQ(window_->selectedSourceId(), "noaa");

    d.type(IDC_INTERVAL, "31");
    EXPECT_EQ(window_->collectSettings().intervalSec, 31);
    // Without an engine a source change is only logged.
    EXPECT_EQ(log().back(), "[INFO] Источник изменён → noaa");
}

TEST_F(Dialog, StartWithoutAirportDatabaseIsRefused) {
    open("");
    EXPECT_EQ(log(), (Lines{"[INFO] Загрузка базы аэропортов...", "[WARN] База аэропортов не загружена или пуста.",
                            "[INFO] Downloading OurAirports DB (~12 MB)...", "[ERROR] Failed to download airport DB."}));
    const auto box = clickIntoMessageBox(IDC_START);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, "Ошибка");
    EXPECT_EQ(box->text, "База аэропортов не загружена.");
    EXPECT_TRUE(driver_->isEnabled(IDC_START));
    EXPECT_FALSE(driver_->isEnabled(IDC_STOP));
    EXPECT_EQ(log().size(), 4u);
}

TEST_F(Dialog, StationListEditingAndManualStartWithoutStations) {
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
    EXPECT_EQ(box->caption, "Ошибка");
    EXPECT_EQ(box->text, "Сначала добавьте станции.");
    EXPECT_EQ(log().size(), before);
    EXPECT_TRUE(d.isEnabled(IDC_START));
}

TEST_F(Dialog, EngineEventsFillTheTableTheListAndTheButtons) {
    open(kAirportList);
    const DialogDriver& d = *driver_;
    const size_t before = log().size();
    const WeatherData egll = reported("EGLL", 1013, "EGLL 121250Z 27012KT 9999 FEW035 15/09 Q1013");
    postStationWeather("EGLL", egll, 3.2);
    postStationWeather("EDDF", reported("EDDF", 1009, ""), 355.6);
    WeatherData egllLater = egll;
    egllLater.qnhHpa = 1015;
    postStationWeather("EGLL", egllLater, 3.2);

    const auto rows = d.listViewRows(IDC_STATION_TABLE);
    ASSERT_EQ(rows.size(), 2u);
    Lines edffRow = {"EDDF"};
    for (const std::string& cell : stationCells(reported("EDDF", 1009, ""), 355.6)) {
        edffRow.push_back(cell);
    }
    EXPECT_EQ(rows[0], edffRow);
    EXPECT_EQ(rows[1], (Lines{"EGLL", "3", "270/12", "1015", "9999", "15", "2", "0", "0", "-", "FL100 250/45"}));
    EXPECT_EQ(logSince(before), (Lines{"[METAR] [EGLL] METAR: EGLL 121250Z 27012KT 9999 FEW035 15/09 Q1013",
                                       "[METAR] [EGLL] METAR: EGLL 121250Z 27012KT 9999 FEW035 15/09 Q1013"}));

    postPayload(window_->window(), kStationsChosenMessage,
                std::make_unique<StationListPayload>(StationListPayload{{"EGLC", "EGLL", "EGKK"}}));
    // Messages without a payload are dropped.
    for (const UINT message : {kLogLineMessage, kStationWeatherMessage, kStationsChosenMessage}) {
        PostMessageW(window_->window(), message, 0, 0);
    }
    pump();
    EXPECT_EQ(d.listBoxEntries(IDC_STATIONS), (Lines{"EGLC", "EGLL", "EGKK"}));
    EXPECT_EQ(window_->collectSettings().manualStations, (Lines{"EGLC", "EGLL", "EGKK"}));

    EnableWindow(d.control(IDC_START), FALSE);
    EnableWindow(d.control(IDC_STOP), TRUE);
    EnableWindow(d.control(IDC_REFRESH), TRUE);
    PostMessageW(window_->window(), kEngineStoppedMessage, 0, 0);
    pump();
    EXPECT_TRUE(d.isEnabled(IDC_START));
    EXPECT_FALSE(d.isEnabled(IDC_STOP));
    EXPECT_FALSE(d.isEnabled(IDC_REFRESH));
    EXPECT_EQ(log().back(), "[INFO] Движок остановлен.");
    EXPECT_EQ(log().size(), before + 3);
}

TEST_F(Dialog, WeatherTextWithoutAnEngine) {
    open(kAirportList);
    const DialogDriver& d = *driver_;
    d.click(IDC_WEATHER_TEXT);
    EXPECT_EQ(log().back(), "[WARN] Погоды ещё нет — сначала нажмите «Старт».");

    const WeatherData weather = reported("EGLL", 1013, "EGLL 121250Z 27012KT 9999 FEW035 15/09 Q1013");
    postStationWeather("EGLL", weather, 3.2);
    d.click(IDC_WEATHER_TEXT);
    EXPECT_EQ(log().back(), "[ERROR] FSUIPC недоступен.");

    test::StandInProcess simulator({"--lat", "51.4706", "--lon", "-0.4619"});
    ASSERT_TRUE(simulator.started());
    d.click(IDC_WEATHER_TEXT);
    EXPECT_EQ(log().back(), "[OK] Текст погоды отправлен в FS.");
    const auto text = simulator.waitForEvent("text");
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ((*text)["text"], formatWeatherSummary(weather, true, 127, ""));
    EXPECT_EQ((*text)["seconds"], 20);
}

TEST_F(Dialog, AboutBox) {
    open(kAirportList);
    const auto box = clickIntoMessageBox(IDC_ABOUT);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->caption, "О программе");
    EXPECT_EQ(box->text, aboutText());
}

TEST_F(Dialog, LayoutFollowsTheWindowSize) {
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

TEST_F(Dialog, LogKeepsShowingNewLinesPastItsBound) {
    open(kAirportList);
    // Lines of the longest kind, so that few of them pass the bound.
    const std::string filler(1100, 'x');
    for (size_t appended = 0; appended <= kLogViewMaxChars + 20 * kLogLineMaxBytes; appended += kLogLineMaxBytes) {
        window_->appendLog(filler, "INFO");
    }
    window_->appendLog("the newest line", "INFO");
    const std::string text = driver_->text(IDC_LOG);
    EXPECT_LE(text.size(), kLogViewMaxChars);
    EXPECT_GE(text.size(), kLogViewKeepChars - 200);
    EXPECT_EQ(text.front(), '[');
    EXPECT_EQ(log().back(), "[INFO] the newest line");
}

}  // namespace
}  // namespace wx
