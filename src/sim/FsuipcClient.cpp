#include "sim/FsuipcClient.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "sim/FsuipcBatch.h"
#include "sim/LittleEndian.h"
#include "sim/SimOffsets.h"

namespace wx {
namespace {

// The capacity rule counts this much for any request's header.
constexpr size_t kHeaderAllowance = 16;

constexpr uint16_t kProtocolYear = 2002;
constexpr uint32_t kMinimumModuleVersion = 0x19980005;
constexpr uint32_t kSimVersionMark = 0xFADE;
constexpr int kHandshakeRounds = 5;

constexpr int kSendAttempts = 9;
constexpr uint32_t kSendTimeoutMs = 2000;
constexpr std::chrono::milliseconds kPause{100};

std::string areaName(uint32_t processId, uint32_t openCount) {
    char name[48];
    std::snprintf(name, sizeof name, "FsasmLib:IPC:%X:%X", static_cast<unsigned>(processId),
                  static_cast<unsigned>(openCount));
    return name;
}

}  // namespace

FsuipcClient::FsuipcClient(std::shared_ptr<IpcTransport> transport, std::shared_ptr<Clock> clock)
    : transport_(std::move(transport)), clock_(std::move(clock)) {}

FsuipcClient::~FsuipcClient() { close(); }

bool FsuipcClient::open(uint32_t requestedSimVersion) {
    if (isOpen()) {
        return fail(FsuipcResult::AlreadyOpen);
    }
    moduleVersion_ = 0;
    simVersion_ = 0;

    bool foundAsFs98Main = false;
    IpcWindow window = transport_->findWindow("UIPCMAIN");
    if (window == 0) {
        window = transport_->findWindow("FS98MAIN");
        foundAsFs98Main = true;
    }
    if (window == 0) {
        return fail(FsuipcResult::NoWindow);
    }
    window_ = window;
    message_ = transport_->registerMessage("FsasmLib:IPC");
    if (message_ == 0) {
        return failAndClose(FsuipcResult::MessageNotRegistered);
    }

    const std::string name = areaName(transport_->processId(), transport_->nextOpenCount());
    atom_ = transport_->addAtom(name);
    if (!atom_) {
        return failAndClose(FsuipcResult::AtomNotAdded);
    }
    mapping_ = transport_->createMapping(name, kAreaSize);
    if (!mapping_) {
        return failAndClose(FsuipcResult::AreaNotCreated);
    }
    view_ = mapping_->mapView();
    if (!view_) {
        return failAndClose(FsuipcResult::AreaNotMapped);
    }
    queuedBytes_ = 0;
    pendingReads_.clear();

    if (!exchangeVersions()) {
        return failAndClose(result_);
    }
    if (moduleVersion_ < kMinimumModuleVersion || (simVersion_ >> 16) != kSimVersionMark) {
        return failAndClose(foundAsFs98Main ? FsuipcResult::VersionCheckFs98Main
                                            : FsuipcResult::VersionCheckUipcMain);
    }
    simVersion_ &= 0xFFFF;
    if (requestedSimVersion != 0 && requestedSimVersion != simVersion_) {
        return failAndClose(FsuipcResult::WrongSimVersion);
    }
    return succeed();
}

// Reads the module and simulator version words until both are non-zero, at
// most five rounds, announcing the client's year in the first.
bool FsuipcClient::exchangeVersions() {
    uint8_t moduleBytes[4] = {};
    uint8_t simBytes[4] = {};
    for (int round = 0; round < kHandshakeRounds; ++round) {
        if (moduleVersion_ != 0 && simVersion_ != 0) {
            break;
        }
        read(SimOffsets::kModuleVersion, 4, moduleBytes);
        read(SimOffsets::kSimVersion, 4, simBytes);
        if (round == 0) {
            uint8_t year[2];
            storeLe16(year, kProtocolYear);
            write(SimOffsets::kClientYear, 2, year);
        }
        if (!process()) {
            return false;
        }
        moduleVersion_ = loadLe32(moduleBytes);
        simVersion_ = loadLe32(simBytes);
        clock_->sleepFor(kPause);
    }
    return true;
}

void FsuipcClient::close() {
    window_ = 0;
    message_ = 0;
    atom_.reset();
    view_.reset();
    mapping_.reset();
    queuedBytes_ = 0;
    pendingReads_.clear();
}

bool FsuipcClient::fits(uint32_t size) const {
    return queuedBytes_ + static_cast<uint64_t>(size) + kHeaderAllowance <= kQueueLimit;
}

bool FsuipcClient::read(uint32_t offset, uint32_t size, void* destination) {
    if (!isOpen()) {
        return fail(FsuipcResult::NotOpen);
    }
    if (!fits(size)) {
        return fail(FsuipcResult::RequestTooLarge);
    }
    uint32_t destinationIndex = 0;
    if (destination != nullptr) {
        pendingReads_.push_back({static_cast<uint8_t*>(destination), size});
        destinationIndex = static_cast<uint32_t>(pendingReads_.size());
    }
    uint8_t* at = view_->data() + queuedBytes_;
    storeLe32(at, kBatchReadKind);
    storeLe32(at + 4, offset);
    storeLe32(at + 8, size);
    storeLe32(at + 12, destinationIndex);
    std::memset(at + kBatchReadHeader, 0, size);
    queuedBytes_ += kBatchReadHeader + size;
    return succeed();
}

bool FsuipcClient::write(uint32_t offset, uint32_t size, const void* source) {
    if (!isOpen()) {
        return fail(FsuipcResult::NotOpen);
    }
    if (!fits(size)) {
        return fail(FsuipcResult::RequestTooLarge);
    }
    uint8_t* at = view_->data() + queuedBytes_;
    storeLe32(at, kBatchWriteKind);
    storeLe32(at + 4, offset);
    storeLe32(at + 8, size);
    if (size != 0) {
        std::memcpy(at + kBatchWriteHeader, source, size);
    }
    queuedBytes_ += kBatchWriteHeader + size;
    return succeed();
}

bool FsuipcClient::process() {
    windowGone_ = false;
    if (!isOpen()) {
        return fail(FsuipcResult::NotOpen);
    }
    if (queuedBytes_ == 0) {
        return fail(FsuipcResult::NothingQueued);
    }
    storeLe32(view_->data() + queuedBytes_, 0);
    queuedBytes_ = 0;
    const std::vector<PendingRead> pending = std::move(pendingReads_);
    pendingReads_.clear();
    if (!sendBatch()) {
        return false;
    }
    deliverReads(pending);
    return succeed();
}

// One blocking send, tried up to nine times 100 ms apart; the reply must be 1.
// A window that is gone or hung, or a clock that was interrupted, ends the
// tries at once: none of them would be answered in time.
bool FsuipcClient::sendBatch() {
    IpcSendResult sent;
    for (int attempt = 1; attempt <= kSendAttempts; ++attempt) {
        sent = transport_->send(window_, message_, atom_->value(), 0, kSendTimeoutMs);
        if (sent.answered || sent.windowGone || sent.hung || clock_->interrupted()) {
            break;
        }
        if (attempt < kSendAttempts) {
            clock_->sleepFor(kPause);
        }
    }
    windowGone_ = !sent.answered && sent.windowGone;
    if (!sent.answered) {
        return fail(sent.systemError != 0 ? FsuipcResult::NoReplySystemError : FsuipcResult::NoReply);
    }
    if (sent.reply != 1) {
        return fail(FsuipcResult::BadReply);
    }
    return true;
}

// Walks the answered batch and copies every read's data area to its
// destination. The area is shared with another process, so the walk never
// leaves it and copies only what this client asked for: a destination index
// it handed out, with the size it was queued with.
void FsuipcClient::deliverReads(const std::vector<PendingRead>& pending) {
    const uint8_t* area = view_->data();
    forEachBatchRequest(area, kAreaSize, [&](const BatchRequest& request) {
        const uint32_t index = request.destinationIndex;
        if (request.read && index != 0 && request.size != 0 && index <= pending.size() &&
            pending[index - 1].size == request.size) {
            std::memcpy(pending[index - 1].destination, area + request.dataAt, request.size);
        }
    });
}

bool FsuipcClient::succeed() {
    result_ = FsuipcResult::Ok;
    return true;
}

bool FsuipcClient::fail(FsuipcResult code) {
    result_ = code;
    return false;
}

bool FsuipcClient::failAndClose(FsuipcResult code) {
    close();
    return fail(code);
}

}  // namespace wx
