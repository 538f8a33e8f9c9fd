#pragma once

#include <windows.h>

#include "platform/win32/UniqueHandle.h"

namespace wx {

// Owners of the Win32 objects of FSUIPC's inter-process protocol, each
// released exactly once when its owner goes.

// A kernel handle (the file mapping), closed with CloseHandle.
using KernelHandle = UniqueHandle<HANDLE, &CloseHandle>;

// A mapped view of a file mapping, unmapped with UnmapViewOfFile.
using MappedView = UniqueHandle<void*, &UnmapViewOfFile>;

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
