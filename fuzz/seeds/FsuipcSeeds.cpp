// Seeds of the FSUIPC area target: the simulator stand-in's answers to the
// link's whole conversation, recorded frame by frame, for several simulator
// states and faults.

#include <algorithm>
#include <memory>

#include "LoopbackIpcTransport.h"
#include "SimModel.h"
#include "Seeds.h"
#include "sim/LittleEndian.h"
#include "support/ManualClock.h"
#include "support/ScriptedIpcTransport.h"
#include "support/SimSession.h"

namespace wx::fuzz {
namespace {

// The length of the answered batch at the start of the area: its requests
// and the 4-byte end mark.
size_t batchLength(const uint8_t* area, size_t size) {
    size_t at = 0;
    while (at + 4 <= size) {
        const uint32_t kind = loadLe32(area + at);
        const size_t header = kind == 1 ? 16 : kind == 2 ? 12 : 0;
        if (header == 0 || at + header > size) {
            break;
        }
        at += header + loadLe32(area + at + 8);
    }
    return std::min(at + 4, size);
}

// Passes every step to the stand-in's transport and writes each answer down
// as a frame: the answered batch and the outcome of the send.
class RecordingTransport final : public IpcTransport {
public:
    explicit RecordingTransport(std::shared_ptr<IpcTransport> inner) : inner_(std::move(inner)) {}

    const std::string& script() const { return script_; }

    IpcWindow findWindow(const std::string& className) override { return inner_->findWindow(className); }
    uint32_t registerMessage(const std::string& name) override { return inner_->registerMessage(name); }
    uint32_t processId() override { return inner_->processId(); }
    uint32_t nextOpenCount() override { return inner_->nextOpenCount(); }
    std::unique_ptr<IpcAtom> addAtom(const std::string& name) override { return inner_->addAtom(name); }
    std::unique_ptr<IpcMapping> createMapping(const std::string& name, size_t size) override {
        auto mapping = inner_->createMapping(name, size);
        if (mapping) {
            areaSize_ = size;
        }
        return mapping ? std::make_unique<Mapping>(std::move(mapping), area_) : nullptr;
    }
    IpcSendResult send(IpcWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                       uint32_t timeoutMs) override {
        const IpcSendResult result = inner_->send(window, message, wParam, lParam, timeoutMs);
        appendFrame(script_, result, *area_, batchLength(*area_, areaSize_));
        return result;
    }

private:
    // Keeps the area's address, which the recorder reads after each send.
    class Mapping final : public IpcMapping {
    public:
        Mapping(std::unique_ptr<IpcMapping> inner, std::shared_ptr<const uint8_t*> area)
            : inner_(std::move(inner)), area_(std::move(area)) {}
        std::unique_ptr<IpcView> mapView() override {
            auto view = inner_->mapView();
            if (view) {
                *area_ = view->data();
            }
            return view;
        }

    private:
        std::unique_ptr<IpcMapping> inner_;
        std::shared_ptr<const uint8_t*> area_;
    };

    std::shared_ptr<IpcTransport> inner_;
    std::shared_ptr<const uint8_t*> area_ = std::make_shared<const uint8_t*>(nullptr);
    size_t areaSize_ = 0;
    std::string script_;
};

std::string conversationWith(const standin::SimSettings& settings) {
    auto clock = std::make_shared<test::ManualClock>();
    auto model = std::make_shared<standin::SimModel>(settings);
    auto recorder = std::make_shared<RecordingTransport>(std::make_shared<standin::LoopbackIpcTransport>(model, clock));
    runSimSession(recorder, clock, nullptr);
    return recorder->script();
}

}  // namespace

void writeFsuipcAreaSeeds(SeedDir& seeds) {
    standin::SimSettings heathrow;
    heathrow.latitudeDeg = 51.4775;
    heathrow.longitudeDeg = -0.4614;
    heathrow.magVarDeg = -1.5;
    heathrow.localMinutes = 11 * 60 + 20;
    heathrow.utcMinutes = 10 * 60 + 20;
    seeds.add(conversationWith(heathrow));

    standin::SimSettings southWest;
    southWest.latitudeDeg = -33.9465;
    southWest.longitudeDeg = -151.1731;
    southWest.magVarDeg = 12.75;
    southWest.localMinutes = 30;
    southWest.utcMinutes = 23 * 60 + 10;
    seeds.add(conversationWith(southWest));

    standin::SimSettings otherSimulator;
    otherSimulator.simVersion = 8;
    seeds.add(conversationWith(otherSimulator));

    standin::SimSettings noAcknowledgement;
    noAcknowledgement.ackDelayMs = -1;
    seeds.add(conversationWith(noAcknowledgement));

    standin::SimSettings slowAcknowledgement;
    slowAcknowledgement.ackDelayMs = 2500;
    seeds.add(conversationWith(slowAcknowledgement));

    standin::SimSettings badReply;
    badReply.replyValue = 0;
    seeds.add(conversationWith(badReply));

    standin::SimSettings oldModule;
    oldModule.moduleVersion = 0x19970000;
    seeds.add(conversationWith(oldModule));
}

}  // namespace wx::fuzz
