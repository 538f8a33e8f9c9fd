#include "RunStandIn.h"

#include <utility>

#include "StandInCommands.h"

namespace wx::cli {
namespace {

// The loopback transport with its sends, which reach the model, under the
// shared lock.
class LockedTransport final : public IpcTransport {
public:
    LockedTransport(std::shared_ptr<standin::LoopbackIpcTransport> inner, std::shared_ptr<std::mutex> mutex)
        : inner_(std::move(inner)), mutex_(std::move(mutex)) {}

    IpcWindow findWindow(const std::string& className) override { return inner_->findWindow(className); }
    uint32_t registerMessage(const std::string& name) override { return inner_->registerMessage(name); }
    uint32_t processId() override { return inner_->processId(); }
    uint32_t nextOpenCount() override { return inner_->nextOpenCount(); }
    std::unique_ptr<IpcAtom> addAtom(const std::string& name) override { return inner_->addAtom(name); }
    std::unique_ptr<IpcMapping> createMapping(const std::string& name, size_t size) override {
        return inner_->createMapping(name, size);
    }
    IpcSendResult send(IpcWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                       uint32_t timeoutMs) override {
        std::lock_guard lock(*mutex_);
        return inner_->send(window, message, wParam, lParam, timeoutMs);
    }

private:
    std::shared_ptr<standin::LoopbackIpcTransport> inner_;
    std::shared_ptr<std::mutex> mutex_;
};

}  // namespace

RunStandIn::RunStandIn(const standin::SimSettings& settings, std::function<void(const standin::SimEvent&)> listener)
    : model_(std::make_shared<standin::SimModel>(settings)) {
    model_->setEventListener(std::move(listener));
    transport_ = std::make_shared<LockedTransport>(
        std::make_shared<standin::LoopbackIpcTransport>(model_, makeSteadyClock()), mutex_);
}

nlohmann::ordered_json RunStandIn::apply(const std::string& line) {
    std::lock_guard lock(*mutex_);
    return standin::applyInputLine(*model_, line);
}

}  // namespace wx::cli
