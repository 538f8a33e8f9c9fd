#pragma once

#include <filesystem>
#include <string>

namespace wx {

// Paths travel through the program as UTF-8 text; file-system calls take them
// through here so that non-ASCII folders (a Cyrillic user name) reach the
// wide-character file API on Windows intact.
inline std::filesystem::path utf8Path(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string utf8String(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace wx
