#include "app/LogLine.h"

#include <cstdio>

namespace wx {
namespace {

constexpr std::string_view kLineBreak = "\r\n";
// A UTF-8 character has at most three bytes after its first one.
constexpr size_t kMaxContinuationBytes = 3;

bool isContinuationByte(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

}  // namespace

std::string_view cutAtCharBoundary(std::string_view text, size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return text;
    }
    // text[end] is the first byte left out; while it continues a character,
    // that character starts inside the kept part and goes too. Bytes that
    // are no valid UTF-8 are cut where the limit falls.
    size_t end = maxBytes;
    for (size_t steps = 0; end > 0 && steps < kMaxContinuationBytes && isContinuationByte(text[end]); ++steps) {
        --end;
    }
    if (isContinuationByte(text[end])) {
        end = maxBytes;
    }
    return text.substr(0, end);
}

std::string formatLogLine(const LocalTime& time, const std::string& level, const std::string& message) {
    char stamp[48];
    std::snprintf(stamp, sizeof stamp, "[%02d:%02d:%02d] ", time.hour, time.minute, time.second);
    std::string text = stamp;
    text += "[" + level + "] " + message;
    std::string line(cutAtCharBoundary(text, kLogLineMaxBytes - kLineBreak.size()));
    line += kLineBreak;
    return line;
}

}  // namespace wx
