// Nubiro.exe itself, beside fsuipc-sim.exe and the web-services stand-in,
// driven from this process as a user drives it and read back from its
// controls. The program downloads its airport list from the stand-in into
// the Wine prefix's cache folder, which the test empties first. Each test
// chooses the program's language; the lines it expects are the window's
// own texts.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <future>
#include <regex>
#include <set>
#include <thread>

#include "DialogDriver.h"
#include "app/SavedSettings.h"
#include "app/UiText.h"
#include "app/win32/ControlIds.h"
#include "platform/PlatformDefaults.h"
#include "platform/win32/IpcHandles.h"
#include "platform/win32/LocalAppDataFolder.h"
#include "support/Awaited.h"
#include "support/Environment.h"
#include "sources/PackIndex.h"
#include "support/ScratchDir.h"
#include "support/ServicesSim.h"
#include "support/TestData.h"
#include "util/Utf8Path.h"
#include "win32/ProgramProcess.h"
#include "support/win32/StandInProcess.h"

namespace wx {
namespace {

using driver::DialogDriver;
using Lines = std::vector<std::string>;
using namespace std::chrono_literals;

bool runningUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Log lines without their time stamps.
Lines messages(const DialogDriver& window) {
    Lines result;
    for (const std::string& line : window.lines(IDC_LOG)) {
        result.push_back(line.size() > 11 ? line.substr(11) : line);
    }
    return result;
}

size_t countContaining(const Lines& lines, const std::string& part) {
    return static_cast<size_t>(
        std::count_if(lines.begin(), lines.end(), [&](const std::string& line) { return contains(line, part); }));
}

// Waits until `count` log lines hold `part`; a failure says how many did
// and which line was the last.
testing::AssertionResult waitForLines(const DialogDriver& window, const std::string& part, size_t count,
                                      std::chrono::milliseconds timeout = 90s) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    Lines log = messages(window);
    while (countContaining(log, part) < count && std::chrono::steady_clock::now() <= deadline) {
        Sleep(100);
        log = messages(window);
    }
    return test::cameWithin(countContaining(log, part) >= count, timeout,
                            std::to_string(count) + " log lines holding \"" + part + "\"",
                            std::to_string(countContaining(log, part)) + " of " + std::to_string(log.size()) +
                                " lines, the last \"" + (log.empty() ? "" : log.back()) + "\"");
}

// Waits until a line of that field holds `part`: the line.
test::Awaited<std::string> waitForLineHolding(const DialogDriver& window, int id, const std::string& what,
                                              const std::string& part, std::chrono::milliseconds timeout) {
    if (auto line = window.waitForLine(id, [&](const std::string& l) { return contains(l, part); }, timeout)) {
        return *line;
    }
    return test::Awaited<std::string>::missed(
        test::waitedFor(timeout, what + " holding \"" + part + "\"", "\"" + window.text(id) + "\""));
}

size_t indexOf(const Lines& lines, const std::string& line) {
    return static_cast<size_t>(std::find(lines.begin(), lines.end(), line) - lines.begin());
}

bool hasCyrillic(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0xD0 && byte <= 0xD3;
    });
}

// Every text the window shows: captions, entries, headers, cells and log.
Lines allTexts(const DialogDriver& window) {
    Lines texts = {driver::windowText(window.window())};
    for (HWND child = GetWindow(window.window(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        texts.push_back(driver::windowText(child));
    }
    for (const Lines& more : {window.comboEntries(IDC_SOURCE), window.listViewHeaders(IDC_STATION_TABLE)}) {
        texts.insert(texts.end(), more.begin(), more.end());
    }
    for (const Lines& row : window.listViewRows(IDC_STATION_TABLE)) {
        texts.insert(texts.end(), row.begin(), row.end());
    }
    return texts;
}

// A simulator whose window is there but never answers: a window of the
// simulator's class on a thread that does not take its messages until the
// object goes. The thread waits on its message queue all the same, so the
// system never reports the window hung: a send to it waits out its whole
// time-out, and the link keeps trying for as long as it would for a
// simulator that is only slow. It tells when the first message was sent to
// it.
class SilentSimulator {
public:
    SilentSimulator() {
        thread_ = std::thread([this] {
            WNDCLASSW windowClass{};
            windowClass.lpfnWndProc = DefWindowProcW;
            windowClass.hInstance = GetModuleHandleW(nullptr);
            windowClass.lpszClassName = L"FS98MAIN";
            RegisterClassW(&windowClass);
            const HWND window = CreateWindowW(L"FS98MAIN", L"silent", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                              windowClass.hInstance, nullptr);
            ready_.set_value(window != nullptr);
            const HANDLE release = release_.get();
            if (MsgWaitForMultipleObjects(1, &release, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
                asked_.set_value();
                MsgWaitForMultipleObjects(1, &release, FALSE, INFINITE, 0);
            }
            DestroyWindow(window);
            UnregisterClassW(L"FS98MAIN", windowClass.hInstance);
        });
    }
    ~SilentSimulator() {
        SetEvent(release_.get());
        thread_.join();
    }
    SilentSimulator(const SilentSimulator&) = delete;
    SilentSimulator& operator=(const SilentSimulator&) = delete;

    bool ready() { return ready_.get_future().get(); }
    // Whether a message was sent to its window within the time-out.
    bool asked(std::chrono::milliseconds timeout) {
        return askedFuture_.wait_for(timeout) == std::future_status::ready;
    }

private:
    KernelHandle release_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::promise<bool> ready_;
    std::promise<void> asked_;
    std::future<void> askedFuture_ = asked_.get_future();
    std::thread thread_;
};

class Program : public testing::Test {
protected:
    void SetUp() override {
        if (!runningUnderWine()) {
            GTEST_SKIP() << "empties the user's airport cache: runs only in a Wine test prefix";
        }
        sim_ = test::servicesSimFromFixture();
        ASSERT_TRUE(sim_.has_value()) << "no web-services stand-in (NUBIRO_SERVICES_SIM_STATE)";
        for (const char* name : {"NUBIRO_AWC_URL", "NUBIRO_OPENMETEO_URL", "NUBIRO_AIRPORTS_URL",
                                 "NUBIRO_OPENMETEO_HISTORY_URL", "NUBIRO_IEM_URL"}) {
            hosts_.push_back(std::make_unique<test::EnvironmentScope>(name, sim_->httpsUrl));
        }
        installPlatformDefaults();
        ASSERT_TRUE(sim_->resetFaults(*makeDefaultHttpTransport()));
        const auto folder = shellLocalAppDataFolder();
        ASSERT_TRUE(folder.has_value());
        std::filesystem::remove_all(utf8Path(*folder) / ".nubiro");
    }

    void TearDown() override {
        if (sim_) {
            sim_->resetFaults(*makeDefaultHttpTransport());
        }
    }

    // The program's language for this test, set before it starts.
    void speak(Language language) {
        language_ = language;
        languageChoice_.emplace("NUBIRO_LANG", language == Language::Russian ? "ru" : "en");
    }
    std::string text(TextId id) const { return uiText(language_, id); }

    // Opens the program and waits for its window and its airport database.
    std::optional<DialogDriver> open(const test::ProgramProcess& program) {
        EXPECT_TRUE(program.started());
        auto window = DialogDriver::find(program.id(), "Nubiro", IDC_START, 90s);
        EXPECT_TRUE(test::cameWithin(window.has_value(), 90s, "the window of Nubiro.exe", "none"));
        if (window) {
            const std::string ready = text(TextId::AirportsReady);
            EXPECT_TRUE(waitForLineHolding(*window, IDC_LOG, "a log line", "[OK] " + ready.substr(0, ready.find("{}")),
                                           30s));
        }
        return window;
    }

    // Closes the window and expects the program to end well within 2 s.
    static void closeWithinTwoSeconds(const DialogDriver& window, const test::ProgramProcess& program) {
        const auto closing = std::chrono::steady_clock::now();
        window.close();
        EXPECT_EQ(program.waitForExit(5s), DWORD{0});
        const auto took = std::chrono::steady_clock::now() - closing;
        std::printf("closed after %lld ms\n",
                    static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));
        EXPECT_LT(took, 2s);
    }

    // Three stations around the aircraft, without the dense field's twenty.
    static void startWithThreeStations(const DialogDriver& window) {
        window.type(IDC_MAX_STATIONS, "3");
        window.click(IDC_DENSE_FIELD);
        ASSERT_TRUE(window.click(IDC_START));
    }

    std::optional<test::ServicesSim> sim_;
    std::vector<std::unique_ptr<test::EnvironmentScope>> hosts_;
    Language language_ = Language::Russian;
    std::optional<test::EnvironmentScope> languageChoice_;
};

TEST_F(Program, RunsCyclesAgainstTheStandInsAndStops) {
    speak(Language::Russian);
    test::StandInProcess simulator({"--lat", "51.4706", "--lon", "-0.4619"});
    ASSERT_TRUE(simulator.started());
    test::ProgramProcess program;
    const auto window = open(program);
    ASSERT_TRUE(window.has_value());
    const auto requests = sim_->requests();
    EXPECT_TRUE(std::any_of(requests.begin(), requests.end(), [](const nlohmann::json& request) {
        return request.value("path", "") == "/ourairports-data/airports.csv";
    }));

    startWithThreeStations(*window);
    EXPECT_FALSE(window->isEnabled(IDC_START));
    EXPECT_TRUE(window->isEnabled(IDC_STOP));
    EXPECT_TRUE(window->isEnabled(IDC_REFRESH));
    // Start kept the settings in the user's folder.
    const SettingsReading kept = readSettingsFile(defaultSettingsPath());
    EXPECT_TRUE(kept.found);
    EXPECT_EQ(kept.settings.engine.maxStations, 3);
    EXPECT_FALSE(kept.settings.engine.denseField);
    EXPECT_EQ(kept.settings.language, LanguageChoice::Automatic);  // NUBIRO_LANG is for the run only
    ASSERT_TRUE(waitForLines(*window, " points activated", 1));
    Lines log = messages(*window);
    EXPECT_LT(indexOf(log, "[INFO] Выбран источник: openmeteo"), indexOf(log, "[INFO] Weather source: openmeteo"));
    EXPECT_EQ(countContaining(log, "[OK] NWI: 4 points activated"), 1u) << testing::PrintToString(log);

    // The stations the engine chose, and one row for each, newest on top.
    const Lines chosen = window->listBoxEntries(IDC_STATIONS);
    ASSERT_EQ(chosen.size(), 3u);
    EXPECT_EQ(chosen[0], "EGLL");
    std::vector<nlohmann::json> records;
    while (records.size() < 4) {
        const auto record = simulator.waitForEvent("record");
        ASSERT_TRUE(record);
        records.push_back(*record);
    }
    EXPECT_EQ(records[0]["station"], "GLOB");
    auto rows = window->listViewRows(IDC_STATION_TABLE);
    ASSERT_EQ(rows.size(), 3u);
    const std::regex cellFormats[] = {std::regex("[A-Z]{4}"), std::regex(""), std::regex("M?VFR|L?IFR"), std::regex("\\d+"), std::regex("\\d+( !)?|—|\\?"),
                                      std::regex("\\d{3}/\\d{2,}"), std::regex("\\d{3,4}"), std::regex("\\d+"),
                                      std::regex("-?\\d+"), std::regex("\\d+"), std::regex("[0-4]"), std::regex("[0-4]"),
                                      std::regex("-|RA\\d|SN\\d"),
                                      std::regex("-|FL\\d{3} \\d{3}/\\d{2,}( -?\\d+C)?( \\| FL.*)?")};
    for (size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[i];
        ASSERT_EQ(row.size(), 14u);
        for (size_t column = 0; column < row.size(); ++column) {
            EXPECT_TRUE(std::regex_match(row[column], cellFormats[column])) << column << ": " << row[column];
        }
        const nlohmann::json& record = records[3 - i];
        EXPECT_EQ(row[0], record["station"]);
        EXPECT_EQ(row[6], std::to_string(std::lround(record["qnhHpa"].get<double>())));
        EXPECT_NE(std::find(chosen.begin(), chosen.end(), row[0]), chosen.end()) << row[0];
    }

    // Refresh and a source change reach the running engine; rows are
    // updated in place. The window's own lines come at once, ahead of the
    // engine's answers.
    ASSERT_TRUE(window->click(IDC_REFRESH));
    ASSERT_TRUE(waitForLines(*window, " points activated", 2));
    window->selectComboEntry(IDC_SOURCE, 1);
    ASSERT_TRUE(waitForLines(*window, " points activated", 3));
    log = messages(*window);
    const size_t refresh = indexOf(log, "[INFO] Запрошено обновление (источник=openmeteo)");
    const size_t sourceChange = indexOf(log, "[INFO] Источник изменён → noaa");
    ASSERT_LT(sourceChange + 1, log.size());
    EXPECT_EQ(log[sourceChange + 1], "[OK] Авто-обновление из нового источника: noaa");
    EXPECT_LT(refresh, indexOf(log, "[WARN] --- REFRESH ---"));
    EXPECT_LT(sourceChange, indexOf(log, "[OK] Switched weather source → noaa"));
    EXPECT_EQ(countContaining(log, "[WARN] --- REFRESH ---"), 2u);
    EXPECT_EQ(countContaining(log, "[OK] Switched weather source → noaa"), 1u);
    rows = window->listViewRows(IDC_STATION_TABLE);
    EXPECT_EQ(rows.size(), 3u);

    // The window's message numbers posted from this process with anything
    // as parameter change nothing: no line, no list, no button state. The
    // weather text's click posted after them is handled after them, so once
    // its line is there they have all been handled.
    const size_t linesBefore = messages(*window).size();
    for (UINT message = WM_APP + 1; message <= WM_APP + 4; ++message) {
        for (const LPARAM garbage : {LPARAM{0}, LPARAM{1}, LPARAM{-1}, static_cast<LPARAM>(0x7FFE0300)}) {
            EXPECT_NE(PostMessageW(window->window(), message, static_cast<WPARAM>(garbage), garbage), 0);
        }
    }
    ASSERT_TRUE(window->clickLater(IDC_WEATHER_TEXT));
    ASSERT_TRUE(waitForLines(*window, "[OK] Текст погоды отправлен в FS.", 1, 30s));
    EXPECT_EQ(window->listBoxEntries(IDC_STATIONS), chosen);
    EXPECT_FALSE(window->isEnabled(IDC_START));
    EXPECT_TRUE(window->isEnabled(IDC_STOP));
    EXPECT_EQ(countContaining(messages(*window), "[INFO] Движок остановлен."), 0u);
    EXPECT_GE(messages(*window).size(), linesBefore);
    EXPECT_EQ(countContaining(messages(*window), "[OK] Текст погоды отправлен в FS."), 1u);
    EXPECT_TRUE(waitForLines(*window, "[OK] On-demand weather text → FS", 1, 10s));

    ASSERT_TRUE(window->click(IDC_STOP));
    EXPECT_FALSE(window->isEnabled(IDC_STOP));
    ASSERT_TRUE(waitForLines(*window, "[INFO] Движок остановлен.", 1, 30s));
    log = messages(*window);
    EXPECT_LT(indexOf(log, "[INFO] Остановка..."), indexOf(log, "[INFO] Engine stopped."));
    EXPECT_EQ(log.back(), "[INFO] Движок остановлен.");
    EXPECT_TRUE(window->isEnabled(IDC_START));
    EXPECT_FALSE(window->isEnabled(IDC_STOP));
    EXPECT_FALSE(window->isEnabled(IDC_REFRESH));

    // With the engine stopped the window shows the text through a link of
    // its own, for 20 seconds.
    ASSERT_TRUE(window->click(IDC_WEATHER_TEXT));
    EXPECT_TRUE(waitForLines(*window, "[OK] Текст погоды отправлен в FS.", 2, 30s));
    const auto text = simulator.waitFor("a \"text\" event shown for 20 s", [](const nlohmann::json& event) {
        return event.value("event", "") == "text" && event.value("seconds", 0) == 20;
    });
    ASSERT_TRUE(text);
    EXPECT_TRUE(contains((*text)["text"].get<std::string>(), rows[0][0]));

    closeWithinTwoSeconds(*window, program);
}

// Each "ICAO ROLE" is in the table once the engine has written its first
// cycle.
void expectRolesShown(const DialogDriver& window, const std::vector<std::string>& expected) {
    std::set<std::string> roles;
    for (const Lines& row : window.listViewRows(IDC_STATION_TABLE)) {
        if (row.size() > 1 && !row[1].empty()) {
            roles.insert(row[0] + " " + row[1]);
        }
    }
    for (const std::string& role : expected) {
        EXPECT_EQ(roles.count(role), 1u) << role << " in " << testing::PrintToString(roles);
    }
}

// Airports typed in fly a plan of one leg: the table marks the departure,
// the destination and the alternate, and the fields come back at the next
// start. A plan file given with --plan and --start is taken and flown
// without a click, with the arrival time given with --eta in its field.
TEST_F(Program, FliesTheTypedAirportsAndAPlanFileGivenOnTheCommandLine) {
    speak(Language::English);
    test::StandInProcess simulator(
        {"--lat", "51.4706", "--lon", "-0.4619", "--airports", test::testDataPath("airports.csv")});
    ASSERT_TRUE(simulator.started());
    {
        test::ProgramProcess program;
        const auto window = open(program);
        ASSERT_TRUE(window.has_value());
        window->type(IDC_FROM, "egll");
        window->type(IDC_TO, "EGBB");
        window->type(IDC_ALTERNATE, "egss");
        startWithThreeStations(*window);
        ASSERT_TRUE(waitForLines(*window, "[INFO] Flight plan: EGLL \xE2\x86\x92 EGBB (alternate EGSS)", 1));
        ASSERT_TRUE(waitForLines(*window, " points activated", 1));
        expectRolesShown(*window, {"EGLL DEP", "EGBB DEST", "EGSS ALTN"});
        closeWithinTwoSeconds(*window, program);
    }
    EXPECT_EQ(readSettingsFile(defaultSettingsPath()).settings.flight, (PlanChoice{"", "EGLL", "EGBB", "EGSS"}));
    const std::string plan = test::testDataPath("plans/fs9-short-egsh-egbb.pln");
    test::ProgramProcess program("--plan \"" + plan + "\" --eta \"2026-12-08 16:40\" --start");
    const auto window = open(program);
    ASSERT_TRUE(window.has_value());
    EXPECT_EQ(window->text(IDC_FROM), "EGSH");
    EXPECT_EQ(window->text(IDC_TO), "EGBB");
    EXPECT_EQ(window->text(IDC_ALTERNATE), "EGSS");
    EXPECT_EQ(window->text(IDC_ARRIVAL), "2026-12-08 16:40");
    ASSERT_TRUE(waitForLines(*window, " points activated", 1));
    expectRolesShown(*window, {"EGSH DEP", "EGBB DEST", "EGSS ALTN"});
    closeWithinTwoSeconds(*window, program);
}

// fsuipc-sim places the stations with the airport list and shows the
// nearest one's weather at the aircraft: after the first cycle the status
// line says it matches. Once the simulator shows another QNH, the next
// cycle's status line names the difference and the one after it brings
// the engine's warning.
TEST_F(Program, TheStatusLineShowsTheReadBack) {
    speak(Language::English);
    test::StandInProcess simulator(
        {"--lat", "51.4706", "--lon", "-0.4619", "--airports", test::testDataPath("airports.csv")});
    ASSERT_TRUE(simulator.started());
    test::ProgramProcess program;
    const auto window = open(program);
    ASSERT_TRUE(window.has_value());
    EXPECT_EQ(window->text(IDC_READBACK), text(TextId::ReadBackNone));
    startWithThreeStations(*window);
    const auto status = [&](const std::string& part) {
        return waitForLineHolding(*window, IDC_READBACK, "the read-back status", part, 90s);
    };
    const auto matching = status(" — matches");
    ASSERT_TRUE(matching);
    std::smatch qnh;
    ASSERT_TRUE(std::regex_search(*matching, qnh, std::regex("QNH (\\d+)"))) << *matching;

    simulator.sendLine("ambient qnh 990");
    ASSERT_TRUE(simulator.waitForEvent("ambient"));
    const std::string difference = "QNH 990 (sent " + qnh[1].str() + ")";
    ASSERT_TRUE(window->click(IDC_REFRESH));
    ASSERT_TRUE(status(" — differs: " + difference));
    EXPECT_EQ(countContaining(messages(*window), "Read-back differs"), 0u);
    ASSERT_TRUE(window->click(IDC_REFRESH));
    EXPECT_TRUE(waitForLines(*window, "[WARN] Read-back differs from the weather sent: " + difference, 1));
    closeWithinTwoSeconds(*window, program);
}

// In English nothing Cyrillic shows. Closing while a request hangs in the
// engine ends the program within 2 s all the same.
TEST_F(Program, InEnglishClosingWithARequestInFlightEndsTheProgramWithinTwoSeconds) {
    speak(Language::English);
    test::StandInProcess simulator({"--lat", "52.3086", "--lon", "4.7639"});
    ASSERT_TRUE(simulator.started());
    test::ProgramProcess program;
    const auto window = open(program);
    ASSERT_TRUE(window.has_value());
    startWithThreeStations(*window);
    ASSERT_TRUE(waitForLines(*window, " points activated", 1));
    EXPECT_EQ(countContaining(messages(*window), "[INFO] " + uiText(language_, TextId::SourceSelected, "openmeteo")),
              1u);
    for (const std::string& shown : allTexts(*window)) {
        EXPECT_FALSE(hasCyrillic(shown)) << shown;
    }
    for (const std::string& line : messages(*window)) {
        EXPECT_FALSE(hasCyrillic(line)) << line;
    }

    const auto metarRequests = [this] {
        const auto requests = sim_->requests();
        return std::count_if(requests.begin(), requests.end(), [](const nlohmann::json& request) {
            return request.value("path", "") == "/api/data/metar";
        });
    };
    const auto before = metarRequests();
    ASSERT_TRUE(sim_->setFault(*makeDefaultHttpTransport(), "/api/data/metar", "delay:60000"));
    ASSERT_TRUE(window->click(IDC_REFRESH));
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (metarRequests() == before && std::chrono::steady_clock::now() < deadline) {
        Sleep(50);
    }
    ASSERT_TRUE(test::cameWithin(metarRequests() > before, 20s, "the refresh's METAR request at the stand-in", "none"));
    closeWithinTwoSeconds(*window, program);
}

// A simulator that does not answer: the weather text without an engine
// waits for it off the window's thread, so while its link waits in a send
// the window keeps working and Start waits for the link to go, and closing
// ends the program within 2 s.
TEST_F(Program, WeatherTextWithASilentSimulatorLeavesTheWindowWorking) {
    speak(Language::Russian);
    auto simulator =
        std::make_unique<test::StandInProcess>(std::vector<std::string>{"--lat", "51.4706", "--lon", "-0.4619"});
    ASSERT_TRUE(simulator->started());
    test::ProgramProcess program;
    const auto window = open(program);
    ASSERT_TRUE(window.has_value());
    startWithThreeStations(*window);
    ASSERT_TRUE(waitForLines(*window, " points activated", 1));
    ASSERT_TRUE(window->click(IDC_STOP));
    ASSERT_TRUE(waitForLines(*window, "[INFO] " + text(TextId::EngineStopped), 1, 30s));
    simulator.reset();

    SilentSimulator silent;
    ASSERT_TRUE(silent.ready());
    const size_t linesBefore = messages(*window).size();
    const auto clicked = std::chrono::steady_clock::now();
    ASSERT_TRUE(window->click(IDC_WEATHER_TEXT));
    EXPECT_LT(std::chrono::steady_clock::now() - clicked, 1s);
    ASSERT_TRUE(test::cameWithin(silent.asked(30s), 30s, "the weather text's send to the silent simulator", "none"));
    EXPECT_FALSE(window->isEnabled(IDC_START));
    EXPECT_FALSE(window->isEnabled(IDC_WEATHER_TEXT));
    EXPECT_EQ(messages(*window).size(), linesBefore);
    window->type(IDC_STATION_ENTRY, "kjfk");
    EXPECT_EQ(window->text(IDC_STATION_ENTRY), "KJFK");
    closeWithinTwoSeconds(*window, program);
}

// A weather time from the command line goes into its field. Start refuses
// one in the future with one line and starts nothing; a past one typed in
// its place is flown, and the settings file keeps it.
TEST_F(Program, FliesAWeatherTimeAndRefusesOneInTheFuture) {
    speak(Language::English);
    test::StandInProcess simulator(
        {"--lat", "51.4706", "--lon", "-0.4619", "--airports", test::testDataPath("airports.csv")});
    ASSERT_TRUE(simulator.started());
    test::ProgramProcess program("--weather-time 2099-01-01T00:00Z --start");
    const auto window = open(program);
    ASSERT_TRUE(window.has_value());
    EXPECT_EQ(window->text(IDC_WEATHER_TIME), "2099-01-01T00:00Z");
    ASSERT_TRUE(waitForLineHolding(*window, IDC_LOG, "the refusal",
                                   "[WARN] Weather time 2099-01-01 00:00Z is in the future: the weather can be flown "
                                   "from 2000-01-01 00:00Z to ",
                                   30s));
    EXPECT_FALSE(window->isEnabled(IDC_STOP)) << "nothing started";
    window->type(IDC_WEATHER_TIME, "2022-10-23 14:50");
    startWithThreeStations(*window);
    ASSERT_TRUE(waitForLines(*window, "[INFO] Weather time: 2022-10-23 14:50Z, running on from the start", 1));
    ASSERT_TRUE(waitForLines(*window, " points activated", 1));
    closeWithinTwoSeconds(*window, program);
    EXPECT_EQ(readSettingsFile(defaultSettingsPath()).settings.engine.weatherTime,
              std::chrono::sys_days{std::chrono::year{2022} / 10 / 23} + std::chrono::hours{14} +
                  std::chrono::minutes{50});
}

// With NUBIRO_RECORD the program keeps every request it makes, from the
// airport list on, in a weather pack, and says so first in its log.
TEST_F(Program, RecordsAWeatherPackWhenAsked) {
    speak(Language::English);
    test::ScratchDir scratch;
    const std::string pack = scratch.path("pack");
    const test::EnvironmentScope recording("NUBIRO_RECORD", pack);
    test::StandInProcess simulator({"--lat", "51.4706", "--lon", "-0.4619"});
    ASSERT_TRUE(simulator.started());
    test::ProgramProcess program;
    const auto window = open(program);
    ASSERT_TRUE(window.has_value());
    EXPECT_EQ(messages(*window).at(0), "[INFO] " + uiText(language_, TextId::RecordingPack, pack));
    startWithThreeStations(*window);
    ASSERT_TRUE(waitForLines(*window, " points activated", 1));
    closeWithinTwoSeconds(*window, program);

    std::ifstream index(utf8Path(pack + "\\index.jsonl"), std::ios::binary);
    Lines paths;
    for (std::string line; std::getline(index, line);) {
        const auto entry = parsePackIndexLine(line);
        ASSERT_TRUE(entry.has_value()) << line;
        if (entry->outcome == HttpOutcome::Answered) {
            paths.push_back(entry->url.substr(sim_->httpsUrl.size(), entry->url.find('?') - sim_->httpsUrl.size()));
        }
    }
    ASSERT_GE(paths.size(), 4u);
    EXPECT_EQ(paths[0], "/ourairports-data/airports.csv");
    EXPECT_EQ(paths[1], "/api/data/metar");
    EXPECT_EQ(paths[2], "/api/data/isigmet");
    EXPECT_EQ(paths[3], "/v1/forecast");
}

}  // namespace
}  // namespace wx
