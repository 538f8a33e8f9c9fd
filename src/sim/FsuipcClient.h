#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "sim/Clock.h"
#include "sim/IpcTransport.h"

namespace wx {

// The result code every client operation stores.
enum class FsuipcResult : int32_t {
    Ok = 0,
    AlreadyOpen = 1,
    NoWindow = 2,              // neither "UIPCMAIN" nor "FS98MAIN" exists
    MessageNotRegistered = 3,
    AtomNotAdded = 4,
    AreaNotCreated = 5,        // or an area of that name already existed
    AreaNotMapped = 6,
    VersionCheckUipcMain = 7,  // version check failed, window found as "UIPCMAIN"
    WrongSimVersion = 8,
    NotOpen = 9,
    NothingQueued = 10,
    NoReply = 11,              // no reply after all sends, no system error
    NoReplySystemError = 12,
    BadReply = 13,             // a reply other than 1
    VersionCheckFs98Main = 14, // version check failed, window found as "FS98MAIN"
    RequestTooLarge = 15,
};

// FSUIPC's inter-process protocol, client side: requests against the
// simulator's offset space are queued in a shared area and carried out
// together by one message to FSUIPC's window (process), which then copies
// the values read back to their destinations.
//
// A read request's 4-byte destination field holds a 1-based index into this
// client's table of pending destinations (0 for none), so that the request
// layout stays the same whatever the width of an address.
class FsuipcClient {
public:
    static constexpr size_t kAreaSize = 0x8000;
    // Queued requests end here; the last 256 bytes of the area stay unused.
    static constexpr size_t kQueueLimit = 0x7F00;

    explicit FsuipcClient(std::shared_ptr<IpcTransport> transport = defaultIpcTransport(),
                          std::shared_ptr<Clock> clock = makeSteadyClock());
    ~FsuipcClient();
    FsuipcClient(const FsuipcClient&) = delete;
    FsuipcClient& operator=(const FsuipcClient&) = delete;

    // Connects and checks versions; `requestedSimVersion` 0 accepts any simulator.
    bool open(uint32_t requestedSimVersion);
    // Releases everything; safe when not open.
    void close();
    // Queues a read; `destination` must stay valid until the next process.
    bool read(uint32_t offset, uint32_t size, void* destination);
    // Queues a write; the bytes are copied at once.
    bool write(uint32_t offset, uint32_t size, const void* source);
    // Sends the batch, waits for it and delivers the values read.
    bool process();

    FsuipcResult result() const { return result_; }
    // Whether the last process failed because FSUIPC's window no longer
    // exists: the simulator has gone, and only a new open can reach it.
    bool windowGone() const { return windowGone_; }
    bool isOpen() const { return view_ != nullptr; }
    uint32_t moduleVersion() const { return moduleVersion_; }
    // The simulator version word; after a successful open its low 16 bits only.
    uint32_t simVersion() const { return simVersion_; }

private:
    struct PendingRead {
        uint8_t* destination;
        uint32_t size;
    };

    bool succeed();
    bool fail(FsuipcResult code);
    bool failAndClose(FsuipcResult code);
    bool fits(uint32_t size) const;
    bool exchangeVersions();
    bool sendBatch();
    void deliverReads(const std::vector<PendingRead>& pending);

    std::shared_ptr<IpcTransport> transport_;
    std::shared_ptr<Clock> clock_;
    IpcWindow window_ = 0;
    uint32_t message_ = 0;
    std::unique_ptr<IpcAtom> atom_;
    std::unique_ptr<IpcMapping> mapping_;
    std::unique_ptr<IpcView> view_;
    size_t queuedBytes_ = 0;
    std::vector<PendingRead> pendingReads_;
    uint32_t moduleVersion_ = 0;
    uint32_t simVersion_ = 0;
    FsuipcResult result_ = FsuipcResult::Ok;
    bool windowGone_ = false;
};

}  // namespace wx
