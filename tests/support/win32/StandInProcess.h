#pragma once

#include <string>
#include <vector>

#include "support/win32/ChildProcess.h"

namespace wx::test {

// fsuipc-sim.exe started by a test. It is asked to "quit" before the
// child process's own shutdown closes its input.
class StandInProcess : public ChildProcess {
public:
    // Starts the stand-in with these options and waits for its "ready" line;
    // started() tells whether that came.
    explicit StandInProcess(const std::vector<std::string>& options);
    ~StandInProcess() override;

    bool started() const { return started_; }

private:
    bool started_ = false;
};

}  // namespace wx::test
