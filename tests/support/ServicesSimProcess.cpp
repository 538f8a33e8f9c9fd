#include "support/ServicesSimProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "support/Awaited.h"

extern char** environ;

namespace wx::test {
namespace {

// How long the stand-in may take to print its URLs. It makes three RSA keys
// first, under a second of work, but every test program of a parallel run
// starts one at the same moment, on a machine that may be busy with builds,
// where 30 s proved too short. What is left of a test's 120 s is enough for
// its own waits.
constexpr auto kReadyTimeout = std::chrono::seconds(90);

// Reads whole lines from fd until count lines arrived, the stream ended or
// the deadline passed.
std::vector<std::string> readLines(int fd, size_t count, std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::vector<std::string> lines;
    std::string pending;
    while (lines.size() < count) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd waiting{fd, POLLIN, 0};
        if (left.count() <= 0 || poll(&waiting, 1, static_cast<int>(left.count())) <= 0) {
            break;
        }
        char buffer[256];
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        pending.append(buffer, static_cast<size_t>(got));
        for (size_t end; (end = pending.find('\n')) != std::string::npos;) {
            lines.push_back(pending.substr(0, end));
            pending.erase(0, end + 1);
        }
    }
    return lines;
}

}  // namespace

ServicesSimProcess::ServicesSimProcess(const std::vector<std::string>& extraArgs) {
    char pattern[] = "/tmp/nubiro-services-sim-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        return;
    }
    dir_ = pattern;
    sim_.requestLogPath = dir_ + "/requests.log";
    sim_.authorityPath = dir_ + "/authority.pem";
    sim_.errorPath = dir_ + "/stderr";
    sim_.stateDir = dir_;
    std::vector<std::string> args{NUBIRO_SERVICES_SIM_PATH, "--http-port", "0", "--https-port", "0",
                                  "--request-log", sim_.requestLogPath, "--authority-out", sim_.authorityPath,
                                  "--exit-with", std::to_string(getpid())};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);

    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) {
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, sim_.errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int spawned = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        pid_ = -1;
        close(out[0]);
        return;
    }
    const auto lines = readLines(out[0], 3, kReadyTimeout);
    close(out[0]);
    if (lines.size() == 3 && lines[0].rfind("http://", 0) == 0 && lines[1].rfind("https://", 0) == 0 &&
        lines[2].rfind("https://", 0) == 0) {
        sim_.httpUrl = lines[0];
        sim_.httpsUrl = lines[1];
        sim_.wrongHostUrl = lines[2];
    } else {
        std::fprintf(stderr, "%s\n",
                     waitedFor(kReadyTimeout, "the web-services stand-in's three base URLs",
                               std::to_string(lines.size()) + " lines (its errors: " + sim_.errorPath + ")")
                         .c_str());
    }
}

ServicesSimProcess::~ServicesSimProcess() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        int status = 0;
        for (int i = 0; i < 100 && waitpid(pid_, &status, WNOHANG) == 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            if (i == 99) {
                kill(pid_, SIGKILL);
                waitpid(pid_, &status, 0);
            }
        }
    }
    if (!dir_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
}

}  // namespace wx::test
