#include "support/win32/StandInProcess.h"

namespace wx::test {

namespace {

// Starting a Wine process takes seconds, more while a parallel run starts
// many.
constexpr auto kReadyTimeout = std::chrono::seconds(60);

}  // namespace

StandInProcess::StandInProcess(const std::vector<std::string>& options)
    : ChildProcess(NUBIRO_FSUIPC_SIM_EXE, options, "fsuipc-sim"),
      ready_(launched() ? waitForEvent("ready", kReadyTimeout)
                        : Awaited<nlohmann::json>::missed("fsuipc-sim could not be started")) {}

StandInProcess::~StandInProcess() {
    if (launched()) {
        sendLine("quit");
    }
}

Awaited<std::vector<std::string>> StandInProcess::quit(std::chrono::milliseconds timeout) {
    sendLine("quit");
    if (!waitForExit(timeout)) {
        return Awaited<std::vector<std::string>>::missed(
            waitedFor(timeout, name() + " to end after \"quit\"",
                      "it still running after " + std::to_string(linesSoFar().size()) + " lines"));
    }
    return linesSoFar();
}

}  // namespace wx::test
