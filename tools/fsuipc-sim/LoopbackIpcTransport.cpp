#include "LoopbackIpcTransport.h"

#include "sim/LittleEndian.h"

namespace wx::standin {
namespace {

constexpr uint32_t kInvalidWindowError = 1400;  // ERROR_INVALID_WINDOW_HANDLE
constexpr uint32_t kTimeoutError = 1460;        // ERROR_TIMEOUT

class LoopbackAtom final : public IpcAtom {
public:
    LoopbackAtom(std::shared_ptr<LoopbackIpcTransport::Tables> tables, uint16_t value)
        : tables_(std::move(tables)), value_(value) {}
    ~LoopbackAtom() override { tables_->atoms.erase(value_); }
    uint16_t value() const override { return value_; }

private:
    std::shared_ptr<LoopbackIpcTransport::Tables> tables_;
    uint16_t value_;
};

class LoopbackView final : public IpcView {
public:
    explicit LoopbackView(std::shared_ptr<std::vector<uint8_t>> bytes) : bytes_(std::move(bytes)) {}
    uint8_t* data() override { return bytes_->data(); }

private:
    std::shared_ptr<std::vector<uint8_t>> bytes_;
};

class LoopbackMapping final : public IpcMapping {
public:
    LoopbackMapping(std::shared_ptr<LoopbackIpcTransport::Tables> tables, std::string name, bool viewFails)
        : tables_(std::move(tables)), name_(std::move(name)), viewFails_(viewFails) {}
    ~LoopbackMapping() override { tables_->areas.erase(name_); }
    std::unique_ptr<IpcView> mapView() override {
        if (viewFails_) {
            return nullptr;
        }
        return std::make_unique<LoopbackView>(tables_->areas.at(name_));
    }

private:
    std::shared_ptr<LoopbackIpcTransport::Tables> tables_;
    std::string name_;
    bool viewFails_;
};

// The length of a batch: its requests and the 4-byte end mark.
size_t batchLength(const std::vector<uint8_t>& area) {
    size_t at = 0;
    while (at + 4 <= area.size()) {
        const uint32_t kind = loadLe32(&area[at]);
        const size_t header = kind == 1 ? 16 : kind == 2 ? 12 : 0;
        if (header == 0 || at + header > area.size()) {
            break;
        }
        at += header + loadLe32(&area[at + 8]);
    }
    return std::min(at + 4, area.size());
}

}  // namespace

LoopbackIpcTransport::LoopbackIpcTransport(std::shared_ptr<SimModel> model, std::shared_ptr<Clock> clock)
    : model_(std::move(model)), clock_(std::move(clock)) {}

size_t LoopbackIpcTransport::liveAreas() const { return tables_->areas.size(); }

size_t LoopbackIpcTransport::liveAtoms() const { return tables_->atoms.size(); }

IpcWindow LoopbackIpcTransport::findWindow(const std::string& className) {
    return running_ && className == model_->settings().windowClass ? kWindow : 0;
}

uint32_t LoopbackIpcTransport::registerMessage(const std::string& name) {
    return faults_.noMessage || name != "FsasmLib:IPC" ? 0 : kMessage;
}

std::unique_ptr<IpcAtom> LoopbackIpcTransport::addAtom(const std::string& name) {
    if (faults_.noAtom) {
        return nullptr;
    }
    const uint16_t value = tables_->nextAtom++;
    tables_->atoms[value] = name;
    return std::make_unique<LoopbackAtom>(tables_, value);
}

std::unique_ptr<IpcMapping> LoopbackIpcTransport::createMapping(const std::string& name, size_t size) {
    if (faults_.noMapping || tables_->areas.count(name) != 0) {
        return nullptr;
    }
    tables_->areas[name] = std::make_shared<std::vector<uint8_t>>(size, 0);
    areaNames_.push_back(name);
    return std::make_unique<LoopbackMapping>(tables_, name, faults_.noView);
}

IpcSendResult LoopbackIpcTransport::send(IpcWindow window, uint32_t message, uintptr_t wParam, intptr_t,
                                         uint32_t) {
    ++sendCount_;
    if (faults_.unansweredSends > 0) {
        --faults_.unansweredSends;
        return {false, 0, faults_.sendErrorCode};
    }
    if (!running_ || window != kWindow) {
        return {false, 0, kInvalidWindowError, true};
    }
    if (clock_->now() < faults_.hungUntil) {
        return {false, 0, kTimeoutError, false, true};
    }
    if (message != kMessage) {
        return {false, 0, kInvalidWindowError};
    }
    const auto atom = tables_->atoms.find(static_cast<uint16_t>(wParam));
    if (atom == tables_->atoms.end()) {
        return {true, 0, 0};
    }
    const auto area = tables_->areas.find(atom->second);
    if (area == tables_->areas.end()) {
        return {true, 0, 0};
    }
    std::vector<uint8_t>& bytes = *area->second;
    if (historyKept_) {
        batches_.emplace_back(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(batchLength(bytes)));
    }
    return {true, model_->carryOut(bytes.data(), bytes.size(), clock_->now()), 0};
}

}  // namespace wx::standin
