#include "ScriptedIpcTransport.h"

#include <algorithm>
#include <cstring>

namespace wx::fuzz {
namespace {

constexpr IpcWindow kWindow = 0x5150;
constexpr uint32_t kMessage = 0xC1A0;
constexpr uint16_t kAtom = 0xC000;
constexpr uint32_t kInvalidWindowError = 1400;
constexpr size_t kFrameHeader = 3;

enum class FrameAnswer : uint8_t { Reply = 0, NoReply = 1, NoReplySystemError = 2, OtherReply = 3 };

uint8_t frameControl(const IpcSendResult& outcome) {
    if (!outcome.answered) {
        return static_cast<uint8_t>(outcome.systemError != 0 ? FrameAnswer::NoReplySystemError : FrameAnswer::NoReply);
    }
    if (outcome.reply == 1) {
        return static_cast<uint8_t>(FrameAnswer::Reply);
    }
    return static_cast<uint8_t>(static_cast<uint8_t>(FrameAnswer::OtherReply) | (outcome.reply & 0x3F) << 2);
}

class FixedAtom final : public IpcAtom {
public:
    uint16_t value() const override { return kAtom; }
};

class AreaView final : public IpcView {
public:
    explicit AreaView(std::shared_ptr<std::vector<uint8_t>> area) : area_(std::move(area)) {}
    uint8_t* data() override { return area_->data(); }

private:
    std::shared_ptr<std::vector<uint8_t>> area_;
};

class AreaMapping final : public IpcMapping {
public:
    explicit AreaMapping(std::shared_ptr<std::vector<uint8_t>> area) : area_(std::move(area)) {}
    std::unique_ptr<IpcView> mapView() override { return std::make_unique<AreaView>(area_); }

private:
    std::shared_ptr<std::vector<uint8_t>> area_;
};

}  // namespace

void appendFrame(std::string& script, const IpcSendResult& outcome, const uint8_t* bytes, size_t size) {
    const size_t length = std::min<size_t>(size, 0xFFFF);
    script += static_cast<char>(frameControl(outcome));
    script += static_cast<char>(length & 0xFF);
    script += static_cast<char>(length >> 8);
    script.append(reinterpret_cast<const char*>(bytes), length);
}

IpcWindow ScriptedIpcTransport::findWindow(const std::string& className) {
    return className == "FS98MAIN" ? kWindow : 0;
}

uint32_t ScriptedIpcTransport::registerMessage(const std::string&) { return kMessage; }

std::unique_ptr<IpcAtom> ScriptedIpcTransport::addAtom(const std::string&) { return std::make_unique<FixedAtom>(); }

std::unique_ptr<IpcMapping> ScriptedIpcTransport::createMapping(const std::string&, size_t size) {
    area_ = std::make_shared<std::vector<uint8_t>>(size, 0);
    return std::make_unique<AreaMapping>(area_);
}

IpcSendResult ScriptedIpcTransport::send(IpcWindow, uint32_t, uintptr_t, intptr_t, uint32_t) {
    if (script_.size() < kFrameHeader || !area_) {
        script_ = {};
        return {false, 0, 0};
    }
    const auto control = static_cast<uint8_t>(script_[0]);
    const size_t declared = static_cast<uint8_t>(script_[1]) | static_cast<size_t>(static_cast<uint8_t>(script_[2])) << 8;
    script_.remove_prefix(kFrameHeader);
    const size_t length = std::min({declared, script_.size(), area_->size()});
    if (length != 0) {
        std::memcpy(area_->data(), script_.data(), length);
    }
    script_.remove_prefix(length);
    switch (static_cast<FrameAnswer>(control & 3)) {
        case FrameAnswer::Reply:
            return {true, 1, 0};
        case FrameAnswer::NoReply:
            return {false, 0, 0};
        case FrameAnswer::NoReplySystemError:
            return {false, 0, kInvalidWindowError};
        case FrameAnswer::OtherReply:
            return {true, static_cast<uintptr_t>(control >> 2), 0};
    }
    return {};
}

}  // namespace wx::fuzz
