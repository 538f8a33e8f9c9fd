#pragma once

#include <windows.h>

#include <utility>

namespace wx {

// Owners of the Win32 objects of FSUIPC's inter-process protocol, each
// released exactly once when its owner goes.

// A kernel handle (the file mapping), closed with CloseHandle.
class KernelHandle {
public:
    KernelHandle() = default;
    explicit KernelHandle(HANDLE handle) : handle_(handle) {}
    ~KernelHandle() { reset(); }
    KernelHandle(KernelHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    KernelHandle& operator=(KernelHandle&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;

    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset() {
        if (handle_ != nullptr) {
            CloseHandle(handle_);
            handle_ = nullptr;
        }
    }

private:
    HANDLE handle_ = nullptr;
};

// A mapped view of a file mapping, unmapped with UnmapViewOfFile.
class MappedView {
public:
    MappedView() = default;
    explicit MappedView(void* address) : address_(address) {}
    ~MappedView() {
        if (address_ != nullptr) {
            UnmapViewOfFile(address_);
        }
    }
    MappedView(MappedView&& other) noexcept : address_(std::exchange(other.address_, nullptr)) {}
    MappedView& operator=(MappedView&&) = delete;
    MappedView(const MappedView&) = delete;
    MappedView& operator=(const MappedView&) = delete;

    void* get() const { return address_; }
    explicit operator bool() const { return address_ != nullptr; }

private:
    void* address_ = nullptr;
};

// A global atom, deleted with GlobalDeleteAtom.
class GlobalAtom {
public:
    explicit GlobalAtom(ATOM atom) : atom_(atom) {}
    ~GlobalAtom() {
        if (atom_ != 0) {
            GlobalDeleteAtom(atom_);
        }
    }
    GlobalAtom(const GlobalAtom&) = delete;
    GlobalAtom& operator=(const GlobalAtom&) = delete;

    ATOM get() const { return atom_; }

private:
    ATOM atom_ = 0;
};

}  // namespace wx
