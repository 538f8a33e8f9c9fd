#include "support/posix/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>

extern char** environ;

namespace wx::test {

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args, std::string name)
    : name_(std::move(name)) {
    int input[2];
    int output[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, input) != 0) {
        return;
    }
    if (pipe2(output, O_CLOEXEC) != 0) {
        close(input[0]);
        close(input[1]);
        return;
    }
    std::vector<std::string> words{program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[1], 0);
    posix_spawn_file_actions_adddup2(&actions, output[1], 1);
    posix_spawn_file_actions_adddup2(&actions, output[1], 2);
    const int spawned = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(input[1]);
    close(output[1]);
    input_ = input[0];
    output_ = output[0];
    if (spawned != 0) {
        pid_ = -1;
        return;
    }
    reader_ = std::thread([this] { readOutput(); });
}

ChildProcess::~ChildProcess() {
    if (input_ >= 0) {
        close(input_);
    }
    if (launched() && !waitForExit(std::chrono::seconds(5))) {
        ::kill(pid_, SIGKILL);
        waitForExit(std::chrono::seconds(5));
    }
    if (reader_.joinable()) {
        reader_.join();
    }
    if (output_ >= 0) {
        close(output_);
    }
}

void ChildProcess::readOutput() {
    std::string pending;
    char buffer[4096];
    for (ssize_t got; (got = read(output_, buffer, sizeof buffer)) != 0;) {
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        const auto now = std::chrono::steady_clock::now();
        pending.append(buffer, static_cast<size_t>(got));
        std::lock_guard lock(mutex_);
        for (size_t end; (end = pending.find('\n')) != std::string::npos;) {
            lines_.push_back({pending.substr(0, end), now});
            std::printf("%s> %s\n", name_.c_str(), lines_.back().text.c_str());
            pending.erase(0, end + 1);
        }
        std::fflush(stdout);
    }
    std::lock_guard lock(mutex_);
    outputEnded_ = true;
    ended_.notify_all();
}

void ChildProcess::sendLine(const std::string& line) {
    const std::string text = line + "\n";
    size_t sent = 0;
    while (input_ >= 0 && sent < text.size()) {
        const ssize_t done = send(input_, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
        if (done <= 0) {
            return;
        }
        sent += static_cast<size_t>(done);
    }
}

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (launched() && !status_) {
        int status = 0;
        const pid_t ended = waitpid(pid_, &status, WNOHANG);
        if (ended == pid_) {
            status_ = WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status);
        } else if (ended < 0 || std::chrono::steady_clock::now() >= deadline) {
            break;
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    // Its last lines are read by the time it counts as ended: the pipe ends
    // with the program, and only a machine stalled for this long misses it.
    if (status_) {
        std::unique_lock lock(mutex_);
        ended_.wait_for(lock, std::chrono::seconds(30), [this] { return outputEnded_; });
    }
    return status_;
}

std::vector<TimedLine> ChildProcess::linesSoFar() {
    std::lock_guard lock(mutex_);
    return lines_;
}

}  // namespace wx::test
