#include "RunStandIn.h"

#include <charconv>
#include <chrono>
#include <optional>
#include <sstream>
#include <vector>
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

    IpcWindow findWindow(const std::string& className) override {
        std::lock_guard lock(*mutex_);
        return inner_->findWindow(className);
    }
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

std::vector<std::string> wordsOf(const std::string& line) {
    std::istringstream stream(line);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) {
        words.push_back(word);
    }
    return words;
}

std::optional<std::chrono::milliseconds> parseMilliseconds(const std::string& text) {
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0) {
        return std::nullopt;
    }
    return std::chrono::milliseconds(value);
}

}  // namespace

RunStandIn::RunStandIn(const standin::SimSettings& settings, std::function<void(const standin::SimEvent&)> listener)
    : model_(std::make_shared<standin::SimModel>(settings)) {
    // A run may last a whole flight: events go to the listener only, and
    // the batches are not kept.
    model_->setEventListener(std::move(listener));
    model_->setHistoryKept(false);
    loopback_ = std::make_shared<standin::LoopbackIpcTransport>(model_, clock_);
    loopback_->setHistoryKept(false);
    transport_ = std::make_shared<LockedTransport>(loopback_, mutex_);
}

void RunStandIn::setStationPositions(standin::StationPositions positions) {
    std::lock_guard lock(*mutex_);
    model_->setStationPositions(std::move(positions));
}

nlohmann::ordered_json RunStandIn::apply(const std::string& line) {
    std::lock_guard lock(*mutex_);
    const std::vector<std::string> words = wordsOf(line);
    if (words == std::vector<std::string>{"kill"} || words == std::vector<std::string>{"restart"}) {
        loopback_->setRunning(words[0] == "restart");
        return {{"event", words[0]}};
    }
    if (words.size() == 2 && words[0] == "hang") {
        const auto ms = parseMilliseconds(words[1]);
        if (!ms) {
            return {{"event", "error"}, {"message", "hang needs milliseconds, not \"" + words[1] + "\""}};
        }
        loopback_->faults().hungUntil = clock_->now() + *ms;
        return {{"event", "hang"}, {"ms", ms->count()}};
    }
    return standin::applyInputLine(*model_, line);
}

}  // namespace wx::cli
