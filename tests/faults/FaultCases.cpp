#include "faults/FaultCases.h"

namespace wx::test {
namespace {

using Kind = Step::Kind;

const std::string kTlsFallback =
    "SSL certificate issue \xE2\x80\x94 switching to verify=False. Update root certificates if possible.";

// The fallback line in the "no ..." lists, shorter.
const std::string kAnyTlsFallback = "SSL certificate issue*";
const std::string kModelSkipped = "Model service not answering: model data skipped this cycle";

const Bound kRequestTimeout{25, "25 s (request time-out)"};
const Bound kModelTimeout{40, "40 s (model time-out)"};
const Bound kCancelled{1, "1 s (request cancelled)"};
const Bound kAckTimeout{3, "3 s (NWI time-out)"};
const Bound kPause{5, "5 s (the pause)"};
const Bound kPauseStep{1, "1 s (pause step)"};
const Bound kQuickRequests{1, "1 s (requests end at once)"};
const Bound kStationWrite{3, "3 s (station write)"};
const Bound kReconnectPause{1, "1 s (the pause while the simulator is away)"};
const Bound kOneSend{3, "3 s (one send to a window that does not answer)"};
const Bound kUntilHung{6, "6 s (until the system reports the window hung)"};
const Bound kTafTimeout{15, "15 s (TAF time-out)"};
const Bound kArchiveTimeout{40, "40 s (METAR archive time-out)"};

// A service case's times: a request's time-out at most silent, and a stop
// that ends the requests at once.
const Timing kServiceTimes{kRequestTimeout, kQuickRequests};

// The same fault on both METAR endpoints.
std::vector<std::pair<std::string, std::string>> onMetars(const std::string& fault) {
    return {{"/api/data/metar", fault}, {"/cgi-bin/data/metar.php", fault}};
}

// The same fault on every path of the aviation-weather service.
std::vector<std::pair<std::string, std::string>> onAviationWeather(const std::string& fault) {
    return {{"/api/data/metar", fault}, {"/cgi-bin/data/metar.php", fault}, {"/api/data/isigmet", fault}};
}

// A flight from Heathrow to Birmingham: every cycle asks for the TAFs of
// both until the service answers them.
const std::vector<std::string> kFlight{"--from", "EGLL", "--to", "EGBB"};

// A day years back: its reports come from the METAR archive.
const std::vector<std::string> kPastDay{"--weather-time", "2022-10-23T14:50Z"};
const std::string kArchive = "/cgi-bin/request/asos.py";

// Runs until the count-th cycle begins, then stops.
std::vector<Step> stopAtCycle(int count) { return {{Kind::Cycle, "", count}, {Kind::Stop}}; }

// After the first cycle's activation (in its pause) the fault goes on at
// every path given, then the program runs to its third cycle and stops.
std::vector<Step> brokenFromTheSecondCycle(const std::vector<std::pair<std::string, std::string>>& faults) {
    std::vector<Step> steps{{Kind::Line, "NWI: 4 points activated"}};
    for (const auto& [path, fault] : faults) {
        steps.push_back({Kind::Fault, path + "=" + fault});
    }
    steps.push_back({Kind::Cycle, "", 3});
    steps.push_back({Kind::Stop});
    return steps;
}

std::vector<FaultCase> makeCases() {
    return {
        {.id = "ServicesRefused",
         .name = "Services: connection refused",
         .awc = Host::Refused,
         .openMeteo = Host::Refused,
         .steps = stopAtCycle(3),
         .lines = {{"ERROR", "METAR fetch failed"}},
         .absent = {kAnyTlsFallback},
         .counted = Counted{2, 0},
         .timing = kServiceTimes},
        {.id = "ServicesSlowerThanTimeOut",
         .name = "Services: METAR answer slower than the time-out",
         .faults = {{"/api/data/metar", "delay:30000"}},
         .steps = stopAtCycle(2),
         .lines = {{"INFO", "METAR: 3"}},
         .absent = {kAnyTlsFallback},
         .counted = Counted{1, 3},
         .timing = {kRequestTimeout, kCancelled}},
        {.id = "ServicesTrickle",
         .name = "Services: METAR answer one byte every 5 s",
         .nativeOnly = true,
         .faults = {{"/api/data/metar", "trickle:5000"}},
         .steps = stopAtCycle(2),
         .lines = {{"INFO", "METAR: 3"}, {"METAR", "[EGLL] METAR EGLL *"}},
         .absent = {kAnyTlsFallback},
         .counted = Counted{1, 3},
         .timing = {kRequestTimeout, kCancelled}},
        {.id = "MetarJsonUnavailable",
         .name = "Services: 503 from the METAR JSON endpoint, plain text works",
         .faults = {{"/api/data/metar", "status:503"}},
         .steps = stopAtCycle(3),
         .lines = {{"WARN", "HTTP 503 from 127.0.0.1:*/api/data/metar"},
                   {"INFO", "METAR: 3"},
                   {"METAR", "[EGLL] METAR EGLL *"}},
         .absent = {kAnyTlsFallback, "METAR: empty or HTML response"},
         .counted = Counted{2, 3},
         .timing = kServiceTimes},
        {.id = "ServicesHtmlError",
         .name = "Services: 500 with an HTML page",
         .faults = onAviationWeather("status:500"),
         .steps = stopAtCycle(3),
         .lines = {{"WARN", "HTTP 500 from 127.0.0.1:*/api/data/metar"},
                   {"WARN", "HTTP 500 from 127.0.0.1:*/cgi-bin/data/metar.php"},
                   {"ERROR", "METAR fetch failed"}},
         .absent = {kAnyTlsFallback, "METAR: empty or HTML response", "SIGMET active: *"},
         .counted = Counted{2, 3},
         .timing = kServiceTimes},
        {.id = "ServicesEmptyBody",
         .name = "Services: empty body",
         .faults = onAviationWeather("empty"),
         .steps = stopAtCycle(3),
         .lines = {{"ERROR", "METAR fetch failed"}},
         .absent = {kAnyTlsFallback, "SIGMET active: *"},
         .counted = Counted{2, 3},
         .timing = kServiceTimes},
        {.id = "ServicesInvalidJson",
         .name = "Services: invalid JSON",
         .faults = onAviationWeather("invalid-json"),
         .steps = stopAtCycle(3),
         .lines = {{"INFO", "METAR: 1"}, {"METAR", "[[{\"i] [{\"icaoId\": \"EGLL\", \"rawOb\": \"EGLL 0610"}},
         .absent = {kAnyTlsFallback, "SIGMET active: *"},
         .counted = Counted{2, 3},
         .timing = kServiceTimes},
        {.id = "ServicesBodyCut",
         .name = "Services: body cut in the middle",
         .faults = onAviationWeather("drop:100"),
         .steps = stopAtCycle(3),
         .lines = {{"ERROR", "METAR fetch failed"}},
         .absent = {kAnyTlsFallback, "SIGMET active: *"},
         .counted = Counted{2, 3},
         .timing = kServiceTimes},
        {.id = "ServicesTlsHandshakeFails",
         .name = "Services: TLS handshake fails",
         .awc = Host::TlsOnPlainPort,
         // A server that does not speak TLS may hold the
         // handshake until it gives up itself, or up to the
         // time-out (under Wine): one whole cycle is counted,
         // and the stop comes while a request waits.
         .steps = stopAtCycle(2),
         .lines = {{"ERROR", "METAR fetch failed"}},
         .absent = {kAnyTlsFallback},
         .counted = Counted{1, 3},
         .timing = {kRequestTimeout, kCancelled}},
        {.id = "ServicesRefusedThenTrusted",
         .name = "Services: METARs refused, model data with a trusted certificate",
         .awc = Host::Refused,
         .steps = stopAtCycle(3),
         .lines = {{"ERROR", "METAR fetch failed"}, {"OK", "[GLOB] synthesized"}},
         .absent = {kAnyTlsFallback},
         .counted = Counted{2, 3},
         .timing = kServiceTimes},
        {.id = "ServicesWrongHostCertificate",
         .name = "Services: certificate made out to another host",
         .awc = Host::WrongHost,
         .openMeteo = Host::WrongHost,
         .steps = stopAtCycle(3),
         .lines = {{"WARN", kTlsFallback, 1}, {"INFO", "METAR: 3"}},
         .counted = Counted{2, 3},
         .timing = kServiceTimes},
        {.id = "SigmetServiceDown",
         .name = "Services: SIGMET service down, METARs work",
         .faults = {{"/api/data/isigmet", "drop"}},
         .steps = stopAtCycle(3),
         .lines = {{"INFO", "METAR: 3"}},
         .absent = {kAnyTlsFallback, "SIGMET active: *"},
         .counted = Counted{2, 3},
         .timing = kServiceTimes},
        {.id = "TafAnswerBroken",
         .name = "Services: TAF answer broken",
         .faults = {{"/api/data/taf", "invalid-json"}},
         .runOptions = kFlight,
         .steps = stopAtCycle(3),
         .lines = {{"ERROR", "TAF: unreadable answer"}, {"WARN", "[EGBB] TAF missing"}, {"INFO", "METAR: *"}},
         .absent = {kAnyTlsFallback},
         .timing = kServiceTimes},
        {.id = "TafAnswerEmpty",
         .name = "Services: TAF answer empty",
         .faults = {{"/api/data/taf", "empty"}},
         .runOptions = kFlight,
         .steps = stopAtCycle(3),
         .lines = {{"WARN", "TAF: empty answer"}, {"WARN", "[EGLL] TAF missing"}, {"INFO", "METAR: *"}},
         .absent = {kAnyTlsFallback},
         .timing = kServiceTimes},
        {.id = "TafAnswerLate",
         .name = "Services: TAF answer slower than its time-out",
         .nativeOnly = true,
         .faults = {{"/api/data/taf", "delay:20000"}},
         .runOptions = kFlight,
         .steps = {{Kind::Line, "TAF fetch failed"}, {Kind::Cycle, "", 2}, {Kind::Stop}},
         .lines = {{"ERROR", "TAF fetch failed"}, {"WARN", "[EGBB] TAF missing"}, {"INFO", "METAR: *"}},
         .absent = {kAnyTlsFallback},
         .timing = {kTafTimeout, kCancelled}},
        {.id = "ArchiveUnavailable",
         .name = "Services: METAR archive answers 503 on a past day",
         .faults = {{kArchive, "status:503"}},
         .runOptions = kPastDay,
         .steps = stopAtCycle(3),
         .lines = {{"WARN", "HTTP 503 from 127.0.0.1:*" + kArchive}, {"ERROR", "METAR archive fetch failed"}},
         .absent = {kAnyTlsFallback},
         .counted = Counted{2, 3},
         .timing = kServiceTimes},
        {.id = "ArchiveAsksToWait",
         .name = "Services: METAR archive answers 429 with Retry-After",
         .faults = {{kArchive, "retry-after:429:30"}},
         .runOptions = kPastDay,
         .steps = stopAtCycle(3),
         .lines = {{"WARN", "127.0.0.1:* asks to wait 30 s (HTTP 429): requests paused"},
                   {"ERROR", "METAR archive fetch failed"}},
         .absent = {kAnyTlsFallback},
         .timing = kServiceTimes},
        {.id = "ArchiveCsvCut",
         .name = "Services: METAR archive's CSV cut in the middle",
         .faults = {{kArchive, "drop:60"}},
         .runOptions = kPastDay,
         .steps = stopAtCycle(3),
         .lines = {{"ERROR", "METAR archive fetch failed"}},
         .absent = {kAnyTlsFallback},
         .counted = Counted{2, 3},
         .timing = kServiceTimes},
        {.id = "ArchiveEmpty",
         .name = "Services: METAR archive's answer empty",
         .faults = {{kArchive, "empty"}},
         .runOptions = kPastDay,
         .steps = stopAtCycle(3),
         .lines = {{"WARN", "METAR archive: no report table in the answer"}},
         .absent = {kAnyTlsFallback},
         .counted = Counted{2, 3},
         .timing = kServiceTimes},
        {.id = "ArchiveTimeOut",
         .name = "Services: METAR archive does not answer",
         .nativeOnly = true,
         .faults = {{kArchive, "hang"}},
         .runOptions = kPastDay,
         .steps = {{Kind::Line, "METAR archive fetch failed"}, {Kind::Cycle, "", 2}, {Kind::Stop}},
         .lines = {{"ERROR", "METAR archive fetch failed"}},
         .absent = {kAnyTlsFallback},
         .timing = {kArchiveTimeout, kCancelled}},
        {.id = "ModelServiceDown",
         .name = "Services: model service answers 503, METARs work",
         .faults = {{"/v1/forecast", "status:503"}},
         .steps = stopAtCycle(3),
         .lines = {{"INFO", "METAR: 3"},
                   {"WARN", "HTTP 503 from 127.0.0.1:*/v1/forecast"},
                   {"WARN", kModelSkipped}},
         .absent = {kAnyTlsFallback, "[GLOB] synthesized", "synthesize: *", "attachUpperAir: *"},
         .counted = Counted{2, 3},
         .withoutModelLayers = true,
         .timing = kServiceTimes},
        {.id = "ModelServiceHangs",
         .name = "Services: model service accepts and never answers",
         .faults = {{"/v1/forecast", "hang"}},
         // The first cycle waits out one model time-out; the stop
         // comes while the second one waits.
         .steps = {{Kind::Cycle, "", 2}, {Kind::Line, "METAR: 3", 2}, {Kind::Stop}},
         .lines = {{"INFO", "METAR: 3"}, {"WARN", kModelSkipped, 1}},
         .absent = {kAnyTlsFallback, "[GLOB] synthesized"},
         .counted = Counted{1, 3},
         .withoutModelLayers = true,
         .timing = {kModelTimeout, kCancelled}},

        // Four model points: the aircraft and the three stations.
        {.id = "ModelAnswersKeptParked",
         .name = "Services: six cycles parked, model answers kept for the hour",
         .steps = stopAtCycle(7),
         .lines = {{"INFO", "Model data: 4 points from the last hour, 0 asked"}},
         .absent = {kAnyTlsFallback, kModelSkipped},
         .counted = Counted{6, 3},
         .timing = kServiceTimes,
         .modelRequests = 4},
        {.id = "ModelServiceDownAnswersKept",
         .name = "Services: model service answers 503 from the second cycle, kept answers serve",
         .runOptions = {"--interval-sec", "5"},
         .steps = brokenFromTheSecondCycle({{"/v1/forecast", "status:503"}}),
         .lines = {{"INFO", "Model data: 4 points from the last hour, 0 asked"}},
         .absent = {kAnyTlsFallback, kModelSkipped, "HTTP 503 from *"},
         .counted = Counted{2, 3},
         .timing = {kPause, kPauseStep},
         .modelRequests = 4,
         .recordsAsFirstCycle = true},
        // The model service is another host (the stand-in's HTTP port): it is
        // not paused and the stations get model weather meanwhile.
        {.id = "MetarHostAsksToWait",
         .name = "Services: 429 with Retry-After: 30 from the METAR endpoint",
         .openMeteo = Host::StandInHttp,
         .faults = {{"/api/data/metar", "retry-after:429:30"}},
         .runOptions = {"--interval-sec", "5"},
         .steps = {{Kind::Line, "127.0.0.1:* asks to wait 30 s (HTTP 429): requests paused"},
                   {Kind::Fault, "/api/data/metar=none"},
                   {Kind::Line, "METAR: 3"},
                   {Kind::Stop}},
         .lines = {{"WARN", "127.0.0.1:* asks to wait 30 s (HTTP 429): requests paused", 1},
                   {"ERROR", "METAR fetch failed"},
                   {"OK", "[GLOB] synthesized"},
                   {"INFO", "METAR: 3"}},
         .absent = {kAnyTlsFallback, "HTTP 429 from *"},
         .counted = Counted{2, 3},
         .timing = {kPause, kPauseStep},
         .metarQuietSec = 30},
        // Reports minutes old, as the service gives them, so that they are young
        // enough to be kept. The SIGMETs still come, so that the records are
        // the first cycle's again.
        {.id = "MetarServiceDownReportsKept",
         .name = "Services: METAR service down from the second cycle, --keep-reports-min 90",
         .freshReports = true,
         .runOptions = {"--interval-sec", "5", "--keep-reports-min", "90"},
         .steps = brokenFromTheSecondCycle(onMetars("drop")),
         .lines = {{"ERROR", "METAR fetch failed"},
                   {"WARN", "METAR service not answering: 3 stations keep their last reports"}},
         .absent = {kAnyTlsFallback},
         .counted = Counted{2, 3},
         .timing = {kPause, kPauseStep},
         .recordsAsFirstCycle = true},
        {.id = "MetarServiceDownReportsNotKept",
         .name = "Services: METAR service down from the second cycle, reports not kept",
         .freshReports = true,
         .runOptions = {"--interval-sec", "5"},
         .steps = brokenFromTheSecondCycle(onMetars("drop")),
         .lines = {{"ERROR", "METAR fetch failed"}},
         .absent = {kAnyTlsFallback, "METAR service not answering: *"},
         .counted = Counted{2, 3},
         .timing = {kPause, kPauseStep},
         .recordsAsFirstCycle = false},

        {.id = "SimulatorAbsent",
         .name = "Simulator: absent at start",
         .simulator = std::nullopt,
         .lines = {{"ERROR", "FSUIPC connection failed."}, {"ERROR", "Cannot open FSUIPC"}},
         .absent = {"Engine stopped."},
         .exitStatus = 1},
        {.id = "SimulatorKilledDuringCycle",
         .name = "Simulator: killed during a cycle",
         .steps = {{Kind::Cycle, "", 2},
                   {Kind::Station},
                   {Kind::Kill},
                   {Kind::Line, "FSUIPC connection failed.", 2},
                   {Kind::Stop}},
         .lines = {{"ERROR", "FSUIPC connection lost."}, {"ERROR", "FSUIPC connection failed."}},
         .absent = {"*] NWI write failed"},
         .timing = {kAckTimeout, kReconnectPause}},
        {.id = "SimulatorKilledDuringPause",
         .name = "Simulator: killed during the pause",
         .runOptions = {"--interval-sec", "5"},
         .steps = {{Kind::Line, "NWI: 4 points activated"},
                   {Kind::Kill},
                   {Kind::Line, "FSUIPC connection failed."},
                   {Kind::Stop}},
         .lines = {{"ERROR", "FSUIPC connection lost."}, {"ERROR", "FSUIPC connection failed."}},
         .timing = {kPause, kPauseStep}},
        // The first cycle after the simulator is back writes every station.
        {.id = "SimulatorRestarted",
         .name = "Simulator: killed and started again",
         .runOptions = {"--interval-sec", "5"},
         .steps = {{Kind::Line, "NWI: 4 points activated"},
                   {Kind::Kill},
                   {Kind::Line, "FSUIPC connection failed."},
                   {Kind::Restart},
                   {Kind::Line, "NWI: 4 points activated", 2},
                   {Kind::Stop}},
         .lines = {{"ERROR", "FSUIPC connection lost."},
                   {"INFO", "NWI init: dynamics=0, clear weather..."},
                   {"OK", "NWI: 4 points activated"}},
         .counted = Counted{2, 3},
         .timing = {kPause, kPauseStep}},
        // Stop while a send waits for a window that takes no messages, as a
        // simulator loading a flight; once the system reports it hung, sends
        // fail at once.
        {.id = "SimulatorHung",
         .name = "Simulator: not answering (hung)",
         .steps = {{Kind::Line, "NWI: 4 points activated"},
                   {Kind::SimCommand, "hang 60000"},
                   {Kind::Wait, "", 1500},
                   {Kind::Stop}},
         .lines = {{"OK", "NWI: 4 points activated"}},
         .timing = {kUntilHung, kOneSend}},
        {.id = "SimulatorNeverAcknowledges",
         .name = "Simulator: never acknowledging",
         .simulator = std::vector<std::string>{"--ack-delay-ms", "-1"},
         .steps = stopAtCycle(2),
         .lines = {{"WARN", "NWI init: clear timeout."}, {"WARN", "*] NWI timeout"}},
         .absent = {"NWI: pending weather activated."},
         .counted = Counted{1, 0},
         .timing = {kAckTimeout, kStationWrite}},
        {.id = "SimulatorAcknowledgesLate",
         .name = "Simulator: acknowledging late (2.5 s)",
         .simulator = std::vector<std::string>{"--ack-delay-ms", "2500"},
         .steps = stopAtCycle(3),
         .lines = {{"WARN", "NWI init: clear timeout."}, {"OK", "NWI: 4 points activated"}},
         .counted = Counted{2, 3},
         .timing = {kAckTimeout, kStationWrite}},
        {.id = "SimulatorVersion8",
         .name = "Simulator: version 8, no NWI",
         .simulator = std::vector<std::string>{"--version", "8"},
         .steps = stopAtCycle(3),
         .lines = {{"INFO", "FS version (0x3308): 8 \xE2\x86\x92 NWI not available"},
                   {"WARN", "NWI not available."}},
         .absent = {"NWI: pending weather activated."},
         .counted = Counted{2, 0},
         .timing = {kAckTimeout, kQuickRequests}},
        {.id = "SimulatorRepliesNotOne",
         .name = "Simulator: replying 0 instead of 1, then 1 again",
         .steps = {{Kind::Line, "NWI: 4 points activated"},
                   {Kind::SimCommand, "reply 0"},
                   {Kind::Cycle, "", 4},
                   {Kind::SimCommand, "reply 1"},
                   {Kind::Station},
                   {Kind::Stop}},
         .lines = {{"ERROR", "*] NWI write failed"}},
         .counted = Counted{3, 0},
         .timing = {kAckTimeout, kStationWrite}},

        {.id = "AirportDownloadFailsWithoutCache",
         .name = "Airport list: download fails, no cache",
         .airportHost = Host::Refused,
         .airports = AirportList::NoCache,
         .lines = {{"INFO", "Downloading OurAirports DB (~12 MB)..."},
                   {"ERROR", "Failed to download airport DB."}},
         .absent = {kAnyTlsFallback, "Weather source: *"},
         .exitStatus = 1},
        {.id = "AirportDownloadFailsWithStaleCache",
         .name = "Airport list: download fails, stale cache",
         .airportHost = Host::Refused,
         .airports = AirportList::StaleCache,
         .steps = stopAtCycle(3),
         .lines = {{"ERROR", "Failed to download airport DB."}, {"INFO", "Airport DB loaded: 3 stations."}},
         .counted = Counted{2, 3},
         .timing = {kAckTimeout, kQuickRequests}},
        {.id = "AirportCacheIsHtml",
         .name = "Airport list: cache file is an HTML page",
         .airports = AirportList::HtmlCache,
         .steps = stopAtCycle(3),
         .lines = {{"INFO", "Downloading OurAirports DB (~12 MB)..."},
                   {"OK", "Airport DB downloaded."},
                   {"INFO", "Airport DB loaded: * stations."}},
         .absent = {"Airport DB: cache OK*"},
         .counted = Counted{2, 3},
         .timing = {kAckTimeout, kQuickRequests}},
    };
}

}  // namespace

const std::vector<FaultCase>& faultCases() {
    static const std::vector<FaultCase> cases = makeCases();
    return cases;
}

}  // namespace wx::test
