#include "platform/win32/Win32IpcTransport.h"

#include <windows.h>

#include "platform/win32/IpcHandles.h"
#include "platform/win32/WideText.h"

namespace wx {
namespace {

class Win32Atom final : public IpcAtom {
public:
    explicit Win32Atom(ATOM atom) : atom_(atom) {}
    uint16_t value() const override { return atom_.get(); }

private:
    GlobalAtom atom_;
};

class Win32View final : public IpcView {
public:
    explicit Win32View(MappedView view) : view_(std::move(view)) {}
    uint8_t* data() override { return static_cast<uint8_t*>(view_.get()); }

private:
    MappedView view_;
};

class Win32Mapping final : public IpcMapping {
public:
    explicit Win32Mapping(KernelHandle handle) : handle_(std::move(handle)) {}
    std::unique_ptr<IpcView> mapView() override {
        MappedView view(MapViewOfFile(handle_.get(), FILE_MAP_WRITE, 0, 0, 0));
        if (!view) {
            return nullptr;
        }
        return std::make_unique<Win32View>(std::move(view));
    }

private:
    KernelHandle handle_;
};

}  // namespace

IpcWindow Win32IpcTransport::findWindow(const std::string& className) {
    return reinterpret_cast<IpcWindow>(FindWindowW(toWide(className).c_str(), nullptr));
}

uint32_t Win32IpcTransport::registerMessage(const std::string& name) {
    return RegisterWindowMessageW(toWide(name).c_str());
}

uint32_t Win32IpcTransport::processId() { return GetCurrentProcessId(); }

std::unique_ptr<IpcAtom> Win32IpcTransport::addAtom(const std::string& name) {
    const ATOM atom = GlobalAddAtomW(toWide(name).c_str());
    if (atom == 0) {
        return nullptr;
    }
    return std::make_unique<Win32Atom>(atom);
}

std::unique_ptr<IpcMapping> Win32IpcTransport::createMapping(const std::string& name, size_t size) {
    const std::wstring wideName = toWide(name);
    SetLastError(ERROR_SUCCESS);
    KernelHandle handle(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                           static_cast<DWORD>(size), wideName.c_str()));
    if (!handle || GetLastError() == ERROR_ALREADY_EXISTS) {
        return nullptr;
    }
    return std::make_unique<Win32Mapping>(std::move(handle));
}

IpcSendResult Win32IpcTransport::send(IpcWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                                      uint32_t timeoutMs) {
    // A window whose thread Windows reports hung (it has not taken messages
    // for seconds, as a simulator loading a flight) fails the send at once
    // instead of after the whole time-out.
    const HWND target = reinterpret_cast<HWND>(window);
    DWORD_PTR reply = 0;
    SetLastError(ERROR_SUCCESS);
    if (SendMessageTimeoutW(target, message, wParam, lParam, SMTO_BLOCK | SMTO_ABORTIFHUNG, timeoutMs, &reply) != 0) {
        return {true, reply, 0};
    }
    const DWORD error = GetLastError();
    const bool gone = IsWindow(target) == 0;
    return {false, 0, error, gone, !gone && IsHungAppWindow(target) != 0};
}

}  // namespace wx
