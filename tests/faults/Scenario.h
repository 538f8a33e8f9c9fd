#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "faults/FaultCases.h"
#include "faults/FaultRig.h"
#include "faults/Observation.h"

namespace wx::test {

// Carries out a case's steps against the running program, waiting for the
// lines a step waits for by reading everything printed so far.
class Scenario {
public:
    // Sets one of the stand-in's faults (path, kind); true when it took it.
    using SetFault = std::function<bool(const std::string& path, const std::string& kind)>;

    Scenario(FaultRig& rig, SetFault setFault) : rig_(rig), setFault_(std::move(setFault)) {}

    // False when a wait ran out or the program ended first; failure() says
    // which.
    bool run(const std::vector<Step>& steps);

    std::optional<std::chrono::steady_clock::time_point> stopSent() const { return stopSent_; }
    const std::string& failure() const { return failure_; }

private:
    bool carryOut(const Step& step);
    // Waits until `count` of what the program printed reaches `wanted`;
    // false when the time ran out or the program ended first, with a
    // failure naming `what` it waited for and how many `unit` it saw.
    bool waitUntil(const std::string& what, size_t wanted, const std::string& unit,
                   const std::function<size_t(const Observation&)>& count);

    FaultRig& rig_;
    SetFault setFault_;
    std::optional<std::chrono::steady_clock::time_point> stopSent_;
    std::string failure_;
};

}  // namespace wx::test
