#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "faults/FaultCases.h"
#include "faults/FaultRig.h"
#include "faults/Observation.h"

namespace wx::test {

// Carries out a case's steps against the running program, waiting for the
// lines a step waits for by reading everything printed so far.
class Scenario {
public:
    explicit Scenario(FaultRig& rig) : rig_(rig) {}

    // False when a wait ran out or the program ended first; failure() says
    // which.
    bool run(const std::vector<Step>& steps);

    std::optional<std::chrono::steady_clock::time_point> stopSent() const { return stopSent_; }
    const std::string& failure() const { return failure_; }

private:
    bool carryOut(const Step& step);
    bool waitUntil(const std::string& what, const std::function<bool(const Observation&)>& done);

    FaultRig& rig_;
    std::optional<std::chrono::steady_clock::time_point> stopSent_;
    std::string failure_;
};

}  // namespace wx::test
