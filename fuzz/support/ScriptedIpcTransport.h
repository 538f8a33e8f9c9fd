#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sim/IpcTransport.h"

namespace wx::fuzz {

// A script is a run of frames, one per send: a byte saying how the send is
// answered, a 16-bit little-endian length, and that many bytes, which the
// other side leaves at the start of the shared area before it answers. The
// length is cut to what the script and the area hold. The low two bits of
// the first byte: 0 replied with 1 (the batch was carried out), 1 not
// answered, 2 not answered with a system error, 3 replied with the value of
// the upper six bits.
//
// Appends the frame of a send that ended with outcome and left bytes at the
// start of the area.
void appendFrame(std::string& script, const IpcSendResult& outcome, const uint8_t* bytes, size_t size);

// An FSUIPC transport whose simulator is a script: every step of the
// connection succeeds, and each send plays the next frame into the area the
// client mapped. Once the script is used up, no send is answered.
class ScriptedIpcTransport final : public IpcTransport {
public:
    explicit ScriptedIpcTransport(std::string_view script) : script_(script) {}

    IpcWindow findWindow(const std::string& className) override;
    uint32_t registerMessage(const std::string& name) override;
    uint32_t processId() override { return 1; }
    uint32_t nextOpenCount() override { return ++openCount_; }
    std::unique_ptr<IpcAtom> addAtom(const std::string& name) override;
    std::unique_ptr<IpcMapping> createMapping(const std::string& name, size_t size) override;
    IpcSendResult send(IpcWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                       uint32_t timeoutMs) override;

private:
    std::string_view script_;
    std::shared_ptr<std::vector<uint8_t>> area_;
    uint32_t openCount_ = 0;
};

}  // namespace wx::fuzz
