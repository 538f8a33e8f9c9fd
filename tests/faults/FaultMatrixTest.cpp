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
#include <filesystem>
#include <fstream>

#include "faults/CaseVerdict.h"
#include "faults/FaultCases.h"
#include "faults/FaultRig.h"
#include "faults/Scenario.h"
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
using test::AirportList;
using test::FaultCase;
using test::Host;
using test::Observation;
using test::Scenario;

constexpr auto kEndTimeout = 120s;

const std::string kStations = "EGLL,EHAM,LFPG";
const std::vector<std::string> kAtHeathrow{"--lat", "51.4706", "--lon", "-0.4619"};

// The three stations in the airport list's layout, for a cache file.
const std::string kSmallList =
    "ident,type,name,latitude_deg,longitude_deg,elevation_ft\n"
    "EGLL,large_airport,London Heathrow Airport,51.4706,-0.461941,83\n"
    "EHAM,large_airport,Amsterdam Airport Schiphol,52.308601,4.76389,-11\n"
    "LFPG,large_airport,Charles de Gaulle International Airport,49.012798,2.55,392\n";
const std::string kHtmlPage = "<!DOCTYPE html>\n<html><head><title>Sign in</title></head><body>Wi-Fi</body></html>\n";

std::string baseUrl(Host host, const test::ServicesSim& sim) {
    switch (host) {
    case Host::Refused:
        return "https://127.0.0.1:1";
    case Host::TlsOnPlainPort:
        return "https://" + sim.httpUrl.substr(std::string("http://").size());
    case Host::WrongHost:
        return sim.wrongHostUrl;
    case Host::StandInHttp:
        return sim.httpUrl;
    case Host::StandIn:
        break;
    }
    return sim.httpsUrl;
}

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

class FaultMatrix : public testing::TestWithParam<size_t> {};

TEST_P(FaultMatrix, Case) {
    const FaultCase& c = test::faultCases()[GetParam()];
    const auto rig = test::makeFaultRig();
    if (c.nativeOnly && rig->platform() != "native") {
        GTEST_SKIP() << "it only waits out a real time-out, which the native run measures";
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
    ASSERT_TRUE(rig->trust(services->authorityPath));
    installPlatformDefaults();
    const auto control = makeDefaultHttpTransport();
    ASSERT_TRUE(services->resetFaults(*control));
    ASSERT_TRUE(services->setFreshReports(*control, c.freshReports));
    for (const auto& [path, fault] : c.faults) {
        ASSERT_TRUE(services->setFault(*control, path, fault)) << path << " " << fault;
    }
    const test::EnvironmentScope awc("NUBIRO_AWC_URL", baseUrl(c.awc, *services));
    const test::EnvironmentScope openMeteo("NUBIRO_OPENMETEO_URL", baseUrl(c.openMeteo, *services));
    const test::EnvironmentScope airportsHost("NUBIRO_AIRPORTS_URL", baseUrl(c.airportHost, *services));
    // The past's hosts stand where today's do: the archive beside the
    // aviation-weather service, the historical forecasts beside the forecasts.
    const test::EnvironmentScope archive("NUBIRO_IEM_URL", baseUrl(c.awc, *services));
    const test::EnvironmentScope history("NUBIRO_OPENMETEO_HISTORY_URL", baseUrl(c.openMeteo, *services));

    args.insert(args.end(), c.runOptions.begin(), c.runOptions.end());
    std::optional<std::vector<std::string>> simulator;
    if (c.simulator) {
        simulator = kAtHeathrow;
        simulator->insert(simulator->end(), c.simulator->begin(), c.simulator->end());
    }
    const size_t requestsBefore = services->requests().size();
    ASSERT_TRUE(rig->launch(simulator, args));

    Scenario scenario(*rig, [&](const std::string& path, const std::string& kind) {
        return services->setFault(*control, path, kind);
    });
    test::CaseOutcome outcome;
    if (!scenario.run(c.steps)) {
        outcome.stepFailure = scenario.failure();
        if (!scenario.stopSent()) {
            rig->sendToCli("stop");
        }
    }
    outcome.exitStatus = rig->waitForCliExit(kEndTimeout);
    outcome.stopSent = scenario.stopSent();
    const std::vector<nlohmann::json> requests = services->requests();
    outcome.requests.assign(requests.begin() + static_cast<std::ptrdiff_t>(std::min(requestsBefore, requests.size())),
                            requests.end());

    test::Verdict verdict = test::judgeCase(c, Observation(rig->cliLines()), outcome);
    verdict.row.order = GetParam() + 1;
    verdict.row.platform = rig->platform();
    EXPECT_TRUE(test::writeMatrixRow(NUBIRO_FAULT_MATRIX_DIR, verdict.row));
    for (const std::string& problem : verdict.problems) {
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
