#pragma once

#include <cstdio>
#include <string>

namespace wx {

// printf-style formatting into a string of whatever length the result needs.
template <typename... Args>
std::string formatText(const char* format, Args... args) {
    const int length = std::snprintf(nullptr, 0, format, args...);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, args...);
    text.resize(static_cast<size_t>(length));
    return text;
}

}  // namespace wx
