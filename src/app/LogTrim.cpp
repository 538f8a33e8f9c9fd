#include "app/LogTrim.h"

namespace wx {

size_t oldLinesToDrop(std::wstring_view text, size_t maxChars, size_t keepChars) {
    if (text.size() <= maxChars || text.size() <= keepChars) {
        return 0;
    }
    const size_t least = text.size() - keepChars;
    const size_t lineEnd = text.find(L'\n', least - 1);
    return lineEnd == std::wstring_view::npos ? text.size() : lineEnd + 1;
}

}  // namespace wx
