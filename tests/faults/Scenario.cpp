#include "faults/Scenario.h"

#include <thread>

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
        return waitUntil("cycle " + std::to_string(count),
                         [count](const Observation& seen) { return seen.cycles() >= count; });
    case Step::Kind::Line:
        return waitUntil("\"" + step.text + "\" #" + std::to_string(count), [&step, count](const Observation& seen) {
            return seen.loggedCount(step.text) >= count;
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

bool Scenario::waitUntil(const std::string& what, const std::function<bool(const Observation&)>& done) {
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
    failure_ = "no " + what + " within " + std::to_string(kStepTimeout.count()) + " s";
    return false;
}

}  // namespace wx::test
