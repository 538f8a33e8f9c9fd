#include "support/win32/StandInProcess.h"

namespace wx::test {

StandInProcess::StandInProcess(const std::vector<std::string>& options)
    : ChildProcess(NUBIRO_FSUIPC_SIM_EXE, options, "fsuipc-sim> ") {
    started_ = launched() && waitForEvent("ready").has_value();
}

StandInProcess::~StandInProcess() {
    if (launched()) {
        sendLine("quit");
    }
}

}  // namespace wx::test
