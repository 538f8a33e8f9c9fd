#include "support/win32/ChildProcess.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "platform/win32/WideText.h"

namespace wx::test {
namespace {

// The command line of CreateProcess: every word quoted.
std::wstring commandLine(const std::wstring& program, const std::vector<std::string>& options) {
    std::wstring line = L"\"" + program + L"\"";
    for (const std::string& option : options) {
        line += L" \"" + toWide(option) + L"\"";
    }
    return line;
}

// A line quoted in a failed wait's message, cut where it gets long.
std::string shortened(const std::string& line) {
    constexpr size_t kShown = 160;
    return line.size() > kShown ? line.substr(0, kShown) + "..." : line;
}

// How long the reader may take to read a program's last lines once it has
// ended: it polls every 20 ms, so only a machine stalled for that long
// misses it.
constexpr auto kDrain = std::chrono::seconds(30);

}  // namespace

ChildProcess::ChildProcess(const std::string& programPath, const std::vector<std::string>& options, std::string name)
    : name_(std::move(name)) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE childInputRaw = nullptr;
    HANDLE inputRaw = nullptr;
    HANDLE outputRaw = nullptr;
    HANDLE childOutputRaw = nullptr;
    if (CreatePipe(&childInputRaw, &inputRaw, &inherit, 0) == 0) {
        return;
    }
    KernelHandle childInput(childInputRaw);
    input_ = KernelHandle(inputRaw);
    if (CreatePipe(&outputRaw, &childOutputRaw, &inherit, 0) == 0) {
        return;
    }
    output_ = KernelHandle(outputRaw);
    KernelHandle childOutput(childOutputRaw);
    SetHandleInformation(input_.get(), HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(output_.get(), HANDLE_FLAG_INHERIT, 0);

    job_ = KernelHandle(CreateJobObjectW(nullptr, nullptr));
    if (job_) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childInput.get();
    startup.hStdOutput = childOutput.get();
    // Its error messages join its lines, so a program that fails to start
    // says why in the test log.
    startup.hStdError = childOutput.get();
    PROCESS_INFORMATION created{};
    const std::wstring program = toWide(programPath);
    std::wstring line = commandLine(program, options);
    // No console for the child: a console of its own would come with a
    // console host process that inherits the pipe ends too and may outlive
    // the child, so that its output never reports its end.
    if (CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr, nullptr,
                       &startup, &created) == 0) {
        return;
    }
    process_ = KernelHandle(created.hProcess);
    KernelHandle thread(created.hThread);
    if (job_) {
        AssignProcessToJobObject(job_.get(), process_.get());
    }
    reader_ = std::thread([this] { readOutput(); });
}

ChildProcess::~ChildProcess() {
    if (process_) {
        if (!closeInputAndWait(std::chrono::seconds(5))) {
            TerminateProcess(process_.get(), 1);
            WaitForSingleObject(process_.get(), 5000);
        }
    }
    if (reader_.joinable()) {
        reader_.join();
    }
}

// Reads until the program has ended and its output is drained. The end of
// the pipe is not waited for: under Wine a process the program starts (the
// desktop process, when the program's window is the session's first) keeps
// a copy of its standard error, and with it the pipe, open for as long as
// that process lives.
void ChildProcess::readOutput() {
    std::string pending;
    char buffer[1024];
    bool programEnded = false;
    while (true) {
        DWORD available = 0;
        if (PeekNamedPipe(output_.get(), nullptr, 0, nullptr, &available, nullptr) == 0) {
            break;
        }
        if (available == 0) {
            if (programEnded) {
                break;
            }
            programEnded = WaitForSingleObject(process_.get(), 20) == WAIT_OBJECT_0;
            continue;
        }
        DWORD got = 0;
        if (ReadFile(output_.get(), buffer, std::min<DWORD>(available, sizeof buffer), &got, nullptr) == 0 ||
            got == 0) {
            break;
        }
        const auto now = std::chrono::steady_clock::now();
        pending.append(buffer, got);
        std::lock_guard lock(mutex_);
        for (size_t end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
            unread_.push_back(pending.substr(0, end));
            all_.push_back({unread_.back(), now});
            std::printf("%s> %s\n", name_.c_str(), unread_.back().c_str());
            std::fflush(stdout);
            pending.erase(0, end + 1);
        }
        arrived_.notify_all();
    }
    std::lock_guard lock(mutex_);
    ended_ = true;
    arrived_.notify_all();
}

Awaited<nlohmann::json> ChildProcess::waitFor(const std::string& what,
                                              const std::function<bool(const nlohmann::json&)>& match,
                                              std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    size_t others = 0;
    std::string last;
    std::unique_lock lock(mutex_);
    while (true) {
        while (!unread_.empty()) {
            const std::string line = std::move(unread_.front());
            unread_.pop_front();
            auto value = nlohmann::json::parse(line, nullptr, false);
            if (value.is_object() && match(value)) {
                return value;
            }
            ++others;
            last = line;
        }
        if (ended_ || !arrived_.wait_until(lock, deadline, [this] { return ended_ || !unread_.empty(); })) {
            break;
        }
    }
    std::string seen = others == 0 ? "no line" : std::to_string(others) + " other lines, the last " + shortened(last);
    if (ended_ && unread_.empty()) {
        seen += ", then the end of its output";
    }
    return Awaited<nlohmann::json>::missed(waitedFor(timeout, what + " from " + name_, seen));
}

Awaited<nlohmann::json> ChildProcess::waitForEvent(const std::string& event, std::chrono::milliseconds timeout) {
    return waitFor("a \"" + event + "\" event",
                   [&event](const nlohmann::json& value) { return value.value("event", "") == event; }, timeout);
}

void ChildProcess::sendLine(const std::string& line) {
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(input_.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::optional<DWORD> ChildProcess::closeInputAndWait(std::chrono::milliseconds timeout) {
    input_.reset();
    return waitForExit(timeout);
}

std::optional<DWORD> ChildProcess::waitForExit(std::chrono::milliseconds timeout) {
    if (WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    // Its last lines are read by the time it counts as ended.
    {
        std::unique_lock lock(mutex_);
        arrived_.wait_for(lock, kDrain, [this] { return ended_; });
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

void ChildProcess::kill() {
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), 5000);
}

std::vector<std::string> ChildProcess::linesSoFar() {
    std::vector<std::string> texts;
    for (const TimedLine& line : timedLinesSoFar()) {
        texts.push_back(line.text);
    }
    return texts;
}

std::vector<TimedLine> ChildProcess::timedLinesSoFar() {
    std::lock_guard lock(mutex_);
    return all_;
}

}  // namespace wx::test
