#pragma once

#include <atomic>

#include "sim/IpcTransport.h"

namespace wx {

// FSUIPC's inter-process steps on Win32: FindWindow, RegisterWindowMessage,
// GlobalAddAtom, a paging-file mapping and SendMessageTimeout.
class Win32IpcTransport final : public IpcTransport {
public:
    IpcWindow findWindow(const std::string& className) override;
    uint32_t registerMessage(const std::string& name) override;
    uint32_t processId() override;
    uint32_t nextOpenCount() override { return ++openCount_; }
    std::unique_ptr<IpcAtom> addAtom(const std::string& name) override;
    std::unique_ptr<IpcMapping> createMapping(const std::string& name, size_t size) override;
    IpcSendResult send(IpcWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                       uint32_t timeoutMs) override;

private:
    std::atomic<uint32_t> openCount_{0};
};

}  // namespace wx
