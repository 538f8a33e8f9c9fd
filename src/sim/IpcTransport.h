#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace wx {

// A window handle as the transport hands it out; 0 means no window.
using IpcWindow = uintptr_t;

// A global atom; deleted when the object is destroyed.
class IpcAtom {
public:
    virtual ~IpcAtom() = default;
    virtual uint16_t value() const = 0;
};

// A mapped view of the shared area; unmapped when the object is destroyed.
class IpcView {
public:
    virtual ~IpcView() = default;
    virtual uint8_t* data() = 0;
};

// A named shared area; its handle is closed when the object is destroyed.
class IpcMapping {
public:
    virtual ~IpcMapping() = default;
    // Maps the whole area for reading and writing; null when that fails.
    virtual std::unique_ptr<IpcView> mapView() = 0;
};

// The outcome of one blocking send.
struct IpcSendResult {
    bool answered = false;     // the receiver replied within the time-out
    uintptr_t reply = 0;       // its reply value, when answered
    uint32_t systemError = 0;  // when not answered: the system's error code, 0 when it reported none
    bool windowGone = false;   // when not answered: the window no longer exists
    bool hung = false;         // when not answered: the system reports the window's thread hung
};

// The platform steps of FSUIPC's inter-process protocol: find the window,
// register the message, add the atom naming the area, create and map the
// area, send one message and wait for the reply. The client drives them in
// the protocol's order; each step reports failure as a null or zero result.
//
// The transport is process-wide, and so is the count of open attempts that
// goes into the area name: it lives here, so that every client of the
// process numbers its areas in one sequence.
class IpcTransport {
public:
    virtual ~IpcTransport() = default;

    virtual IpcWindow findWindow(const std::string& className) = 0;
    // The registered message number; 0 when it could not be registered.
    virtual uint32_t registerMessage(const std::string& name) = 0;
    virtual uint32_t processId() = 0;
    // Counts one more open attempt and returns the new count (1 for the first).
    virtual uint32_t nextOpenCount() = 0;
    virtual std::unique_ptr<IpcAtom> addAtom(const std::string& name) = 0;
    // A read/write area of `size` bytes backed by the paging file; null when
    // it could not be created or an area of that name already existed.
    virtual std::unique_ptr<IpcMapping> createMapping(const std::string& name, size_t size) = 0;
    virtual IpcSendResult send(IpcWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                               uint32_t timeoutMs) = 0;
};

// The process-wide transport new clients use. Until a program installs its
// platform's transport there is no simulator: no window is ever found.
std::shared_ptr<IpcTransport> defaultIpcTransport();
void setDefaultIpcTransport(std::shared_ptr<IpcTransport> transport);

}  // namespace wx
