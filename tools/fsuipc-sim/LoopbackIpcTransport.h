#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "SimModel.h"
#include "sim/Clock.h"
#include "sim/IpcTransport.h"

namespace wx::standin {

// The protocol's platform steps served in-process: a window of the model's
// class, atoms and named areas kept in tables of this transport, and a send
// that hands the named area to the model at the clock's current time. For
// native tests, which also use its knobs to make each step fail and its
// record of every batch sent.
class LoopbackIpcTransport final : public IpcTransport {
public:
    static constexpr IpcWindow kWindow = 0x5150;
    static constexpr uint32_t kMessage = 0xC1A0;

    // Steps made to fail.
    struct Faults {
        bool noMessage = false;
        bool noAtom = false;
        bool noMapping = false;
        bool noView = false;
        int unansweredSends = 0;      // this many sends fail before one is answered
        uint32_t sendErrorCode = 0;   // the system error those sends report
        Clock::TimePoint hungUntil{};  // until then every send fails at once, the window's thread reported hung
    };

    LoopbackIpcTransport(std::shared_ptr<SimModel> model, std::shared_ptr<Clock> clock);

    SimModel& model() { return *model_; }
    Faults& faults() { return faults_; }
    // Whether the simulator's window exists.
    void setRunning(bool running) { running_ = running; }
    void setProcessId(uint32_t processId) { processId_ = processId; }

    // Every batch handed to the model: the area's bytes up to and including
    // the end mark; kept unless a stand-in that serves for hours says not to.
    const std::vector<std::vector<uint8_t>>& batches() const { return batches_; }
    void setHistoryKept(bool kept) { historyKept_ = kept; }
    // Names of the areas created, in order.
    const std::vector<std::string>& areaNames() const { return areaNames_; }
    int sendCount() const { return sendCount_; }
    // Areas and atoms currently held by clients.
    size_t liveAreas() const;
    size_t liveAtoms() const;

    IpcWindow findWindow(const std::string& className) override;
    uint32_t registerMessage(const std::string& name) override;
    uint32_t processId() override { return processId_; }
    uint32_t nextOpenCount() override { return ++openCount_; }
    std::unique_ptr<IpcAtom> addAtom(const std::string& name) override;
    std::unique_ptr<IpcMapping> createMapping(const std::string& name, size_t size) override;
    IpcSendResult send(IpcWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                       uint32_t timeoutMs) override;

    // The atom and area tables, shared with the objects handed out so that
    // releasing one removes it.
    struct Tables {
        std::map<uint16_t, std::string> atoms;
        std::map<std::string, std::shared_ptr<std::vector<uint8_t>>> areas;
        uint16_t nextAtom = 0xC000;
    };

private:
    std::shared_ptr<SimModel> model_;
    std::shared_ptr<Clock> clock_;
    std::shared_ptr<Tables> tables_ = std::make_shared<Tables>();
    Faults faults_;
    bool running_ = true;
    bool historyKept_ = true;
    uint32_t processId_ = 0x1A2B;
    uint32_t openCount_ = 0;
    int sendCount_ = 0;
    std::vector<std::vector<uint8_t>> batches_;
    std::vector<std::string> areaNames_;
};

}  // namespace wx::standin
