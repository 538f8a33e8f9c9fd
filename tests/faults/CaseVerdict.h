#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "faults/FaultCases.h"
#include "faults/MatrixRow.h"
#include "faults/Observation.h"

namespace wx::test {

// How a case's run went, besides what the program printed.
struct CaseOutcome {
    std::optional<int> exitStatus;  // empty: still running
    std::optional<std::chrono::steady_clock::time_point> stopSent;
    std::string stepFailure;  // a step that could not be carried out
    std::vector<nlohmann::json> requests;  // what the stand-in's request log gained during the case
};

// The row a case earned and the problems that failed it (none: passed).
struct Verdict {
    MatrixRow row;
    std::vector<std::string> problems;
};

// Holds what the program printed and how the run went against what the
// case asks for. Measured times get some slack on top of the program's own
// limits: these machines run sanitizers, Wine and other work at once.
Verdict judgeCase(const FaultCase& c, const Observation& seen, const CaseOutcome& outcome);

}  // namespace wx::test
