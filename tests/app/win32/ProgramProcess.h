#pragma once

#include <windows.h>

#include <chrono>
#include <optional>

#include "platform/win32/IpcHandles.h"

namespace wx::test {

// Nubiro.exe started by a test, with this process's environment and none of
// its handles. When the object goes a program still running is asked to
// close, then, after 10 s, ended; a job object that kills its processes
// when closed backs this up.
class ProgramProcess {
public:
    // Nubiro.exe with these arguments after its name.
    explicit ProgramProcess(const std::string& args = "");
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    bool started() const { return static_cast<bool>(process_); }
    DWORD id() const { return id_; }
    // Its exit code, or empty when it did not end within the time-out.
    std::optional<DWORD> waitForExit(std::chrono::milliseconds timeout) const;

private:
    KernelHandle job_;
    KernelHandle process_;
    DWORD id_ = 0;
};

}  // namespace wx::test
