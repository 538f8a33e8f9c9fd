#include "faults/Scenario.h"

#include <thread>

#include "support/Awaited.h"

namespace wx::test {
namespace {

using namespace std::chrono_literals;
using std::chrono::steady_clock;

constexpr auto kStepTimeout = 180s;
constexpr auto kPoll = 50ms;

}  // namespace

bool Scenario::run(const std::vector<Step>& steps) {
    for (const Step& step : steps) {
        if (!carryOut(step)) {
            return false;
        }
    }
    return true;
}

bool Scenario::carryOut(const Step& step) {
    const auto count = static_cast<size_t>(step.count);
    switch (step.kind) {
    case Step::Kind::Cycle:
        return waitUntil("cycle " + std::to_string(count) + " to begin", count, "cycles",
                         [](const Observation& seen) { return seen.cycles(); });
    case Step::Kind::Line:
        return waitUntil("\"" + step.text + "\" logged " + std::to_string(count) + " times", count, "of them",
                         [&step](const Observation& seen) { return seen.loggedCount(step.text); });
    case Step::Kind::Station: {
        const size_t wanted = Observation(rig_.cliLines()).stationsWritten() + 1;
        return waitUntil("station " + std::to_string(wanted) + " written", wanted, "stations written",
                         [](const Observation& seen) { return seen.stationsWritten(); });
    }
    case Step::Kind::SimCommand:
        rig_.simulatorCommand(step.text);
        return true;
    case Step::Kind::Kill:
        rig_.killSimulator();
        return true;
    case Step::Kind::Restart:
        rig_.restartSimulator();
        return true;
    case Step::Kind::Wait:
        std::this_thread::sleep_for(std::chrono::milliseconds(step.count));
        return true;
    case Step::Kind::Stop:
        stopSent_ = steady_clock::now();
        rig_.sendToCli("stop");
        return true;
    case Step::Kind::Fault: {
        const size_t equals = step.text.find('=');
        if (!setFault_(step.text.substr(0, equals), step.text.substr(equals + 1))) {
            failure_ = "the stand-in refused the fault " + step.text;
            return false;
        }
        return true;
    }
    }
    return false;
}

// The awaited line may be the last the program printed before it ended, so
// whether it ended is asked before its lines are read: once it has ended,
// its output has been read to the end.
bool Scenario::waitUntil(const std::string& what, size_t wanted, const std::string& unit,
                         const std::function<size_t(const Observation&)>& count) {
    const auto deadline = steady_clock::now() + kStepTimeout;
    while (true) {
        const bool ended = rig_.waitForCliExit(0ms).has_value();
        const size_t seen = count(Observation(rig_.cliLines()));
        if (seen >= wanted) {
            return true;
        }
        if (ended) {
            failure_ = "nubiro-cli ended while waiting for " + what + ", saw " + std::to_string(seen) + " " + unit;
            return false;
        }
        if (steady_clock::now() >= deadline) {
            failure_ = waitedFor(kStepTimeout, what, std::to_string(seen) + " " + unit);
            return false;
        }
        std::this_thread::sleep_for(kPoll);
    }
}

}  // namespace wx::test
