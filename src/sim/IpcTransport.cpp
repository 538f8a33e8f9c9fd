#include "sim/IpcTransport.h"

#include <atomic>

#include "util/ProcessDefault.h"

namespace wx {
namespace {

// No simulator: the search for its window always fails, so nothing past
// that step is ever asked for.
class NoSimulatorTransport final : public IpcTransport {
public:
    IpcWindow findWindow(const std::string&) override { return 0; }
    uint32_t registerMessage(const std::string&) override { return 0; }
    uint32_t processId() override { return 0; }
    uint32_t nextOpenCount() override { return ++openCount_; }
    std::unique_ptr<IpcAtom> addAtom(const std::string&) override { return nullptr; }
    std::unique_ptr<IpcMapping> createMapping(const std::string&, size_t) override { return nullptr; }
    IpcSendResult send(IpcWindow, uint32_t, uintptr_t, intptr_t, uint32_t) override { return {}; }

private:
    std::atomic<uint32_t> openCount_{0};
};

std::shared_ptr<IpcTransport> noSimulatorTransport() { return std::make_shared<NoSimulatorTransport>(); }

ProcessDefault<std::shared_ptr<IpcTransport>>& slot() {
    static ProcessDefault<std::shared_ptr<IpcTransport>> instance(noSimulatorTransport);
    return instance;
}

}  // namespace

std::shared_ptr<IpcTransport> defaultIpcTransport() { return slot().get(); }

void setDefaultIpcTransport(std::shared_ptr<IpcTransport> transport) { slot().set(std::move(transport)); }

}  // namespace wx
