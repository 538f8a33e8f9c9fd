#pragma once

#include <string>

namespace wx {

// UTF-8 inside the program, UTF-16 at Win32 calls. Invalid sequences
// become U+FFFD.
std::wstring toWide(const std::string& utf8);
std::string fromWide(const std::wstring& utf16);

}  // namespace wx
