#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "platform/win32/IpcHandles.h"

namespace wx::driver {

// A block of memory inside the process that owns a window, for the list
// view and tab requests whose parameters are pointers (the system copies only
// plain texts between processes). Freed when the object goes.
class RemoteMemory {
public:
    RemoteMemory(HWND window, size_t size);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    explicit operator bool() const { return address_ != nullptr; }
    LPARAM lParam() const { return reinterpret_cast<LPARAM>(address_); }
    // The address, in the other process, of the text area at that offset.
    wchar_t* textAddress(size_t offset) const;
    // Copies a request to the start of the block and empties the text area
    // that follows it.
    void writeRequest(const void* data, size_t size) const;
    // The zero-terminated UTF-16 text at that offset, as UTF-8.
    std::string readText(size_t offset, size_t maxChars) const;
    // Copies the start of the block out; false when it cannot be read.
    bool read(void* data, size_t size) const;

private:
    KernelHandle process_;
    void* address_ = nullptr;
};

}  // namespace wx::driver
