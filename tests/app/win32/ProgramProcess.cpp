#include "win32/ProgramProcess.h"

#include <string>

#include "platform/win32/WideText.h"

namespace wx::test {
namespace {

BOOL CALLBACK closeTopLevel(HWND window, LPARAM processId) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == static_cast<DWORD>(processId)) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    return TRUE;
}

}  // namespace

ProgramProcess::ProgramProcess(const std::string& args) {
    job_ = KernelHandle(CreateJobObjectW(nullptr, nullptr));
    if (job_) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }
    const std::wstring program = toWide(NUBIRO_EXE);
    std::wstring line = L"\"" + program + L"\"" + (args.empty() ? L"" : L" " + toWide(args));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created{};
    if (CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &created) == 0) {
        return;
    }
    process_ = KernelHandle(created.hProcess);
    KernelHandle thread(created.hThread);
    id_ = created.dwProcessId;
    if (job_) {
        AssignProcessToJobObject(job_.get(), process_.get());
    }
}

ProgramProcess::~ProgramProcess() {
    if (process_ && !waitForExit(std::chrono::milliseconds(0))) {
        EnumWindows(closeTopLevel, static_cast<LPARAM>(id_));
        if (!waitForExit(std::chrono::seconds(10))) {
            TerminateProcess(process_.get(), 1);
            WaitForSingleObject(process_.get(), 5000);
        }
    }
}

std::optional<DWORD> ProgramProcess::waitForExit(std::chrono::milliseconds timeout) const {
    if (WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

}  // namespace wx::test
