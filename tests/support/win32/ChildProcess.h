#pragma once

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/win32/IpcHandles.h"
#include "support/Awaited.h"
#include "support/TimedLine.h"

namespace wx::test {

// A program started by a test, with pipes of its own for standard input and
// output (its standard error joins the output), so that it never holds the
// test runner's handles. Its lines are read on a thread of their own, until
// it has ended, and echoed to the test's output after its name. When the
// object goes, its input is closed and it gets 5 s to end before it is
// terminated; a job object that kills its processes when closed backs this
// up.
class ChildProcess {
public:
    // `name` stands for it in the echoed lines and in a failed wait's line.
    ChildProcess(const std::string& program, const std::vector<std::string>& options, std::string name);
    virtual ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool launched() const { return static_cast<bool>(process_); }
    const std::string& name() const { return name_; }
    // The next line, skipping others, that is a JSON object accepted by
    // `match`; missed after the time-out or when the output ended, saying
    // that it waited for `what` and which lines came instead.
    Awaited<nlohmann::json> waitFor(const std::string& what, const std::function<bool(const nlohmann::json&)>& match,
                                    std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // The next event line ({"event": name, ...}).
    Awaited<nlohmann::json> waitForEvent(const std::string& event,
                                         std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // Sends one line to its standard input.
    void sendLine(const std::string& line);
    // Closes its standard input and waits for it to end; its exit code, or
    // empty when it did not end within the time-out.
    std::optional<DWORD> closeInputAndWait(std::chrono::milliseconds timeout);
    // Waits for it to end by itself and for its last lines to be read, so
    // that linesSoFar() then holds everything it printed.
    std::optional<DWORD> waitForExit(std::chrono::milliseconds timeout);
    // Ends it at once, as a crash would.
    void kill();
    // Every line it printed so far, and when each arrived.
    std::vector<std::string> linesSoFar();
    std::vector<TimedLine> timedLinesSoFar();

private:
    void readOutput();

    std::string name_;
    KernelHandle job_;
    KernelHandle process_;
    KernelHandle input_;
    KernelHandle output_;
    std::thread reader_;
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<std::string> unread_;
    std::vector<TimedLine> all_;
    bool ended_ = false;
};

}  // namespace wx::test
