#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace wx::fuzz {

// The fuzzer's bytes as text.
inline std::string inputText(const uint8_t* data, size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// Stops the run when a property the code promises does not hold, so that
// libFuzzer keeps the input as a crash.
inline void require(bool holds) {
    if (!holds) {
        __builtin_trap();
    }
}

}  // namespace wx::fuzz
