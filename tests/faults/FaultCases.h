#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace wx::test {

// Where a service's base URL points: the web-services stand-in over HTTPS,
// the stand-in over plain HTTP (another host for the program), a port
// nothing listens on, HTTPS to the stand-in's plain HTTP port (the TLS
// handshake fails), or the stand-in's port whose certificate is made out to
// another host.
enum class Host { StandIn, StandInHttp, Refused, TlsOnPlainPort, WrongHost };

// The airport list a run loads: a file named on the command line, or the
// program's cache in one of three states.
enum class AirportList { File, NoCache, StaleCache, HtmlCache };

// One step of a case, carried out in order.
struct Step {
    enum class Kind {
        Cycle,       // wait for the count-th "--- Cycle (" line
        Line,        // wait for the count-th log line matching text
        Station,     // wait for the next station written
        SimCommand,  // send text to the simulator stand-in
        Kill,        // end the simulator's process, as a crash does
        Restart,     // start the simulator again
        Wait,        // let count milliseconds pass
        Stop,        // send "stop" to nubiro-cli
        Fault,       // set the stand-in's fault text, "PATH=KIND" ("PATH=none" clears it)
    };
    Kind kind{};
    std::string text{};
    int count = 1;
};

// A log line by level and message; one '*' in the message stands for any
// text there.
struct LogPattern {
    std::string level{};
    std::string message{};
    int times = 0;  // how often it must be logged; 0: at least once
};

// A time limit the program's behaviour sets, in seconds, as the matrix
// shows it.
struct Bound {
    double seconds = 0;
    std::string label{};
};

// The cycle whose stations a case counts, and how many it must have written.
struct Counted {
    int cycle = 0;
    int stations = 0;
};

// The longest silence while cycling, and the time from "stop" to the
// program's end (empty: the program ends by itself).
struct Timing {
    Bound longestWait{};
    std::optional<Bound> stopWithin{};
};

// One row of the fault matrix: what is broken, what the test does, and what
// the program must show. Cases run with the stations EGLL, EHAM and LFPG
// chosen by hand, the aircraft at Heathrow and no pause between cycles,
// unless their options say otherwise; the program trusts the stand-in's
// certificate authority, as it trusts the real services'.
struct FaultCase {
    std::string id{};    // the test's name
    std::string name{};  // the matrix's row
    bool nativeOnly = false;  // it only waits out a real time-out: not run again under Wine
    Host awc = Host::StandIn;
    Host openMeteo = Host::StandIn;
    Host airportHost = Host::StandIn;
    std::vector<std::pair<std::string, std::string>> faults{};  // stand-in path and fault from the start
    bool freshReports = false;  // the stand-in's reports minutes old instead of days
    AirportList airports = AirportList::File;
    std::optional<std::vector<std::string>> simulator = std::vector<std::string>{};  // absent: none runs
    std::vector<std::string> runOptions{};
    std::vector<Step> steps{};
    std::vector<LogPattern> lines{};    // must be logged
    std::vector<std::string> absent{};  // messages that must not be logged
    std::optional<Counted> counted{};  // empty: no cycle's stations counted
    bool withoutModelLayers = false;  // every station written has no layers aloft
    Timing timing{};
    int exitStatus = 0;
    std::optional<size_t> modelRequests{};      // the model requests the stand-in got during the case
    std::optional<bool> recordsAsFirstCycle{};  // the stations of cycle 2 are (or, false, are not) those of cycle 1
    int metarQuietSec = 0;  // after its first request none to the stand-in's HTTPS port (the METARs' host) for this long
};

const std::vector<FaultCase>& faultCases();

}  // namespace wx::test
