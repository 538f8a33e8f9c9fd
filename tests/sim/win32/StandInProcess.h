#pragma once

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/win32/IpcHandles.h"

namespace wx::test {

// fsuipc-sim.exe started by a test, with pipes of its own for standard
// input and output (its standard error goes to NUL), so that it never holds
// the test runner's handles. Its event lines are read on a thread of their
// own and echoed to the test's output as "fsuipc-sim> " lines. The process
// is stopped when the object goes: "quit", then end of
// input, then, after 5 s, TerminateProcess; a job object that kills its
// processes when closed backs this up.
class StandInProcess {
public:
    // Starts the stand-in with these options and waits for its "ready" line;
    // started() tells whether that came.
    explicit StandInProcess(const std::vector<std::string>& options);
    ~StandInProcess();
    StandInProcess(const StandInProcess&) = delete;
    StandInProcess& operator=(const StandInProcess&) = delete;

    bool started() const { return started_; }
    // The next event line of that name, skipping others; empty after the
    // time-out or when the output ended.
    std::optional<nlohmann::json> waitForEvent(const std::string& name,
                                               std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // Sends one command line to its standard input.
    void sendLine(const std::string& line);
    // Closes its standard input and waits for it to end; its exit code, or
    // empty when it did not end within the time-out.
    std::optional<DWORD> closeInputAndWait(std::chrono::milliseconds timeout);
    // Every line it printed so far.
    std::vector<std::string> linesSoFar();

private:
    void readOutput();

    KernelHandle job_;
    KernelHandle process_;
    KernelHandle input_;
    KernelHandle output_;
    std::thread reader_;
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<std::string> unread_;
    std::vector<std::string> all_;
    bool ended_ = false;
    bool started_ = false;
};

}  // namespace wx::test
