#pragma once

#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "support/TimedLine.h"

namespace wx::test {

// A program started by a native test, with a socket of its own for standard
// input (writing to it never raises SIGPIPE, even after the program died)
// and a pipe for standard output and error together. Its lines are read on a
// thread of their own, stamped with their arrival and echoed to the test's
// output after its name. When the object goes, its input is closed and it
// gets 5 s to end before it is killed.
class ChildProcess {
public:
    ChildProcess(const std::string& program, const std::vector<std::string>& args, std::string name);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool launched() const { return pid_ > 0; }
    // Sends one line to its standard input.
    void sendLine(const std::string& line);
    // Waits for it to end and for its last lines to be read: its exit
    // status, or minus the signal that ended it; empty when it still runs
    // after the time-out.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);
    // Every line it printed so far.
    std::vector<TimedLine> linesSoFar();

private:
    void readOutput();

    std::string name_;
    pid_t pid_ = -1;
    std::optional<int> status_;
    int input_ = -1;
    int output_ = -1;
    std::thread reader_;
    std::mutex mutex_;
    std::condition_variable ended_;
    bool outputEnded_ = false;
    std::vector<TimedLine> lines_;
};

}  // namespace wx::test
