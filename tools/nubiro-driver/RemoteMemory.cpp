#include "RemoteMemory.h"

#include <vector>

#include "platform/win32/WideText.h"

namespace wx::driver {

RemoteMemory::RemoteMemory(HWND window, size_t size) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    process_ = KernelHandle(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    if (process_) {
        address_ = VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
}

RemoteMemory::~RemoteMemory() {
    if (address_ != nullptr) {
        VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE);
    }
}

wchar_t* RemoteMemory::textAddress(size_t offset) const {
    return reinterpret_cast<wchar_t*>(static_cast<char*>(address_) + offset);
}

void RemoteMemory::writeRequest(const void* data, size_t size) const {
    std::vector<char> block(static_cast<const char*>(data), static_cast<const char*>(data) + size);
    block.resize(size + sizeof(wchar_t), '\0');
    SIZE_T written = 0;
    WriteProcessMemory(process_.get(), address_, block.data(), block.size(), &written);
}

std::string RemoteMemory::readText(size_t offset, size_t maxChars) const {
    std::vector<wchar_t> text(maxChars + 1, L'\0');
    SIZE_T read = 0;
    ReadProcessMemory(process_.get(), textAddress(offset), text.data(), maxChars * sizeof(wchar_t), &read);
    return fromWide(text.data());
}

bool RemoteMemory::read(void* data, size_t size) const {
    SIZE_T read = 0;
    return ReadProcessMemory(process_.get(), address_, data, size, &read) != 0 && read == size;
}

}  // namespace wx::driver
