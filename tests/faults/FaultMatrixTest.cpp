// The fault matrix, end to end: nubiro-cli run as a pilot without a window
// runs it, against the web-services stand-in and the simulator stand-in,
// with one thing broken per case. Each case checks that the program does
// not crash, that no wait outlasts the time-out behind it, that it keeps
// cycling (or ends as it must), that a stop is served in time, that the log
// says what went wrong and that the stations that could still be served
// were written; and it records what it saw as a row of the matrix.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

#include "faults/FaultCases.h"
#include "faults/FaultRig.h"
#include "faults/MatrixRow.h"
#include "faults/Observation.h"
#include "platform/PlatformDefaults.h"
#include "sources/HttpTransport.h"
#include "support/Environment.h"
#include "support/RunningServicesSim.h"
#include "support/TestData.h"
#include "util/Utf8Path.h"

namespace wx {
namespace {

using namespace std::chrono_literals;
using std::chrono::steady_clock;
using test::AirportList;
using test::Bound;
using test::FaultCase;
using test::FaultRig;
using test::Host;
using test::Observation;
using test::Step;

constexpr auto kStepTimeout = 180s;
constexpr auto kEndTimeout = 120s;
constexpr auto kPoll = 50ms;

const std::string kStations = "EGLL,EHAM,LFPG";
const std::vector<std::string> kAtHeathrow{"--lat", "51.4706", "--lon", "-0.4619"};

// The three stations in the airport list's layout, for a cache file.
const std::string kSmallList =
    "ident,type,name,latitude_deg,longitude_deg,elevation_ft\n"
    "EGLL,large_airport,London Heathrow Airport,51.4706,-0.461941,83\n"
    "EHAM,large_airport,Amsterdam Airport Schiphol,52.308601,4.76389,-11\n"
    "LFPG,large_airport,Charles de Gaulle International Airport,49.012798,2.55,392\n";
const std::string kHtmlPage = "<!DOCTYPE html>\n<html><head><title>Sign in</title></head><body>Wi-Fi</body></html>\n";

// Measured times are held to the program's limit with some slack: these
// machines run sanitizers, Wine and other work at once.
double withSlack(double seconds) { return seconds * 1.2 + 3.0; }

double secondsOf(steady_clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

std::string formatSeconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", seconds);
    return text;
}

std::string baseUrl(Host host, const test::ServicesSim& sim) {
    switch (host) {
    case Host::Refused:
        return "https://127.0.0.1:1";
    case Host::TlsOnPlainPort:
        return "https://" + sim.httpUrl.substr(std::string("http://").size());
    case Host::StandIn:
        break;
    }
    return sim.httpsUrl;
}

// Carries out a case's steps against the running program.
class Scenario {
public:
    explicit Scenario(FaultRig& rig) : rig_(rig) {}

    // False when a wait ran out or the program ended first.
    bool run(const std::vector<Step>& steps) {
        for (const Step& step : steps) {
            if (!carryOut(step)) {
                return false;
            }
        }
        return true;
    }

    std::optional<steady_clock::time_point> stopSent() const { return stopSent_; }
    const std::string& failure() const { return failure_; }

private:
    bool carryOut(const Step& step) {
        switch (step.kind) {
        case Step::Kind::Cycle:
            return waitUntil("cycle " + std::to_string(step.count),
                             [&](const Observation& seen) { return seen.cycles() >= static_cast<size_t>(step.count); });
        case Step::Kind::Line:
            return waitUntil("\"" + step.text + "\" #" + std::to_string(step.count), [&](const Observation& seen) {
                return seen.loggedCount(step.text) >= static_cast<size_t>(step.count);
            });
        case Step::Kind::Station: {
            const size_t before = Observation(rig_.cliLines()).stationsWritten();
            return waitUntil("a station written",
                             [before](const Observation& seen) { return seen.stationsWritten() > before; });
        }
        case Step::Kind::SimCommand:
            rig_.simulatorCommand(step.text);
            return true;
        case Step::Kind::Kill:
            rig_.killSimulator();
            return true;
        case Step::Kind::Stop:
            stopSent_ = steady_clock::now();
            rig_.sendToCli("stop");
            return true;
        }
        return false;
    }

    template <typename Done>
    bool waitUntil(const std::string& what, Done done) {
        const auto deadline = steady_clock::now() + kStepTimeout;
        while (steady_clock::now() < deadline) {
            if (done(Observation(rig_.cliLines()))) {
                return true;
            }
            if (rig_.waitForCliExit(0ms)) {
                failure_ = "the program ended while waiting for " + what;
                return false;
            }
            std::this_thread::sleep_for(kPoll);
        }
        failure_ = "no " + what + " within " + formatSeconds(secondsOf(kStepTimeout));
        return false;
    }

    FaultRig& rig_;
    std::optional<steady_clock::time_point> stopSent_;
    std::string failure_;
};

// Puts the cache file the case asks for into the program's (empty) cache
// folder.
void prepareCache(AirportList airports, const std::string& folder) {
    const auto file = utf8Path(folder) / "airports.csv";
    std::filesystem::create_directories(file.parent_path());
    if (airports != AirportList::NoCache) {
        std::ofstream(file, std::ios::binary) << (airports == AirportList::HtmlCache ? kHtmlPage : kSmallList);
    }
    if (airports == AirportList::StaleCache) {
        std::filesystem::last_write_time(file, std::filesystem::file_time_type::clock::now() - 24h * 31);
    }
}

// The cycles a case must see: those its steps wait for, and the one whose
// stations it counts.
size_t cyclesToRun(const FaultCase& c) {
    size_t cycles = static_cast<size_t>(std::max(c.countedCycle, 0));
    for (const Step& step : c.steps) {
        if (step.kind == Step::Kind::Cycle) {
            cycles = std::max(cycles, static_cast<size_t>(step.count));
        }
    }
    return cycles;
}

class FaultMatrix : public testing::TestWithParam<size_t> {};

TEST_P(FaultMatrix, Case) {
    const size_t order = GetParam() + 1;
    const FaultCase& c = test::faultCases()[GetParam()];
    const auto rig = test::makeFaultRig();
    if (!c.underWine && rig->platform() == "Windows") {
        GTEST_SKIP() << "waits out long time-outs; runs natively only";
    }
    std::vector<std::string> args{"--interval-sec", "0", "--station-mode", "manual", "--manual-stations", kStations};
    if (c.airports == AirportList::File) {
        args.insert(args.end(), {"--airports", test::testDataPath("airports.csv")});
    } else {
        const std::string cacheFolder = rig->freshCacheFolder();
        if (cacheFolder.empty()) {
            GTEST_SKIP() << "this platform offers no airport cache folder to a test";
        }
        prepareCache(c.airports, cacheFolder);
    }
    const auto services = test::runningServicesSim();
    ASSERT_TRUE(services) << "no web-services stand-in";
    installPlatformDefaults();
    const auto control = defaultHttpTransport();
    ASSERT_TRUE(services->resetFaults(*control));
    for (const auto& [path, fault] : c.faults) {
        ASSERT_TRUE(services->setFault(*control, path, fault)) << path << " " << fault;
    }
    const test::EnvironmentScope awc("NUBIRO_AWC_URL", baseUrl(c.awc, *services));
    const test::EnvironmentScope openMeteo("NUBIRO_OPENMETEO_URL", baseUrl(c.openMeteo, *services));
    const test::EnvironmentScope airportsHost("NUBIRO_AIRPORTS_URL", baseUrl(c.airportHost, *services));

    args.insert(args.end(), c.runOptions.begin(), c.runOptions.end());
    std::optional<std::vector<std::string>> simulator;
    if (c.simulator) {
        simulator = kAtHeathrow;
        simulator->insert(simulator->end(), c.simulator->begin(), c.simulator->end());
    }
    ASSERT_TRUE(rig->launch(simulator, args));

    Scenario scenario(*rig);
    const bool ranThrough = scenario.run(c.steps);
    if (!ranThrough && !scenario.stopSent()) {
        rig->sendToCli("stop");
    }
    const auto status = rig->waitForCliExit(kEndTimeout);
    const Observation seen(rig->cliLines());

    test::MatrixRow row;
    row.order = order;
    row.caseName = c.name;
    row.platform = rig->platform();
    std::vector<std::string> problems;
    if (!ranThrough) {
        problems.push_back(scenario.failure());
    }
    if (status != c.exitStatus) {
        problems.push_back("exit status " + (status ? std::to_string(*status) : std::string("none: still running")) +
                           ", not " + std::to_string(c.exitStatus));
    }
    for (const test::LogPattern& line : c.lines) {
        const bool found = seen.logged(line);
        row.lines += (row.lines.empty() ? "" : ", ") + std::string(found ? "" : "MISSING ") + "`" + line.level + " " +
                     line.message + "`";
        if (!found) {
            problems.push_back("not logged: " + line.level + " " + line.message);
        }
    }
    for (const std::string& message : c.absent) {
        const bool clear = seen.loggedCount(message) == 0;
        row.lines += std::string(", ") + (clear ? "no " : "UNEXPECTED ") + "`" + message + "`";
        if (!clear) {
            problems.push_back("logged: " + message);
        }
    }
    for (const char* broken : {"Fatal: *", "Cycle error: *", "Cycle unknown error"}) {
        if (seen.loggedCount(broken) != 0) {
            problems.push_back(std::string("logged: ") + broken);
        }
    }

    if (c.stopWithin) {
        const size_t cycles = cyclesToRun(c);
        row.cycles = seen.cycles() >= cycles ? "≥ " + std::to_string(cycles) : "only " + std::to_string(seen.cycles());
        if (seen.cycles() < cycles) {
            problems.push_back("stopped cycling after " + std::to_string(seen.cycles()) + " cycles");
        }
        const auto stopped = seen.engineStopped();
        if (!stopped || !scenario.stopSent()) {
            row.stop = "not served";
            problems.push_back("no \"Engine stopped.\" after the stop");
        } else {
            const double took = secondsOf(*stopped - *scenario.stopSent());
            row.stop = took <= withSlack(c.stopWithin->seconds) ? "≤ " + c.stopWithin->label
                                                                : formatSeconds(took) + " > " + c.stopWithin->label;
            if (took > withSlack(c.stopWithin->seconds)) {
                problems.push_back("stop served after " + formatSeconds(took));
            }
            std::printf("observed: stop served after %.2f s\n", took);
        }
        const double silence = secondsOf(seen.longestSilence());
        row.wait = silence <= withSlack(c.longestWait.seconds) ? "≤ " + c.longestWait.label
                                                               : formatSeconds(silence) + " > " + c.longestWait.label;
        if (silence > withSlack(c.longestWait.seconds)) {
            problems.push_back("silent for " + formatSeconds(silence));
        }
        std::printf("observed: longest silence %.2f s\n", silence);
    } else {
        row.cycles = seen.cycles() == 0 ? "none" : std::to_string(seen.cycles()) + " (none expected)";
        row.wait = "—";
        row.stop = "ends by itself, status " + std::to_string(c.exitStatus);
        if (seen.cycles() != 0) {
            problems.push_back("cycles ran");
        }
    }
    if (c.countedCycle > 0) {
        const size_t written = seen.stationsInCycle(static_cast<size_t>(c.countedCycle));
        row.stations = std::to_string(written) + " in cycle " + std::to_string(c.countedCycle);
        if (written != static_cast<size_t>(c.stations)) {
            problems.push_back(row.stations + ", not " + std::to_string(c.stations));
        }
    } else {
        row.stations = std::to_string(seen.stationsWritten());
    }
    if (c.withoutModelLayers) {
        row.stations += ", no layers aloft";
        for (const auto& weather : seen.stationWeather()) {
            if (!weather.value("upperAir", nlohmann::json::array()).empty()) {
                problems.push_back("a station was written with layers aloft");
                break;
            }
        }
    }

    row.passed = problems.empty();
    EXPECT_TRUE(test::writeMatrixRow(NUBIRO_FAULT_MATRIX_DIR, row));
    for (const std::string& problem : problems) {
        ADD_FAILURE() << c.name << " on " << rig->platform() << ": " << problem;
    }
    EXPECT_TRUE(services->resetFaults(*control));
}

INSTANTIATE_TEST_SUITE_P(Cases, FaultMatrix, testing::Range<size_t>(0, test::faultCases().size()),
                         [](const testing::TestParamInfo<size_t>& info) {
                             return test::faultCases()[info.param].id;
                         });

}  // namespace
}  // namespace wx
