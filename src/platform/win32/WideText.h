#pragma once

#include <string>

namespace wx {

// UTF-8 to UTF-16 and back, for the Win32 calls only.
std::wstring toWide(const std::string& text);
std::string fromWide(const std::wstring& text);

}  // namespace wx
