#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "support/win32/ChildProcess.h"

namespace wx::test {

// fsuipc-sim.exe started by a test. It is asked to "quit" before the
// child process's own shutdown closes its input.
class StandInProcess : public ChildProcess {
public:
    // Starts the stand-in with these options and waits for its "ready" line;
    // started() tells whether that came, and if not, what came instead.
    explicit StandInProcess(const std::vector<std::string>& options);
    ~StandInProcess() override;

    testing::AssertionResult started() const { return ready_; }
    // Asks it to quit and waits for it to end, so that every event it
    // printed has been read: all its lines. What a program did to the
    // simulator is counted on these, never on the lines read so far, whose
    // last ones may still be on their way.
    Awaited<std::vector<std::string>> quit(std::chrono::milliseconds timeout = std::chrono::seconds(30));

private:
    Awaited<nlohmann::json> ready_;
};

}  // namespace wx::test
