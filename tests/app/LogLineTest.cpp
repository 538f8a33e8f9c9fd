#include <gtest/gtest.h>

#include <string>

#include "app/LogLine.h"
#include "app/LogTrim.h"

namespace wx {
namespace {

const std::string kZhe = "\xD0\x96";  // Cyrillic capital Zhe, two bytes

std::string repeated(const std::string& piece, size_t count) {
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        text += piece;
    }
    return text;
}

TEST(LogLine, StampsLevelAndLineBreak) {
    EXPECT_EQ(formatLogLine({9, 5, 3}, "INFO", "Загрузка базы аэропортов..."),
              "[09:05:03] [INFO] Загрузка базы аэропортов...\r\n");
    EXPECT_EQ(formatLogLine({23, 59, 0}, "METAR", ""), "[23:59:00] [METAR] \r\n");
}

TEST(LogLine, LongLinesAreCutBeforeAWholeCharacterAndKeepTheirBreak) {
    const std::string prefix = "[00:00:00] [INFO] ";  // 18 bytes
    struct Case {
        std::string message;
        std::string expected;
    };
    const Case cases[] = {
        // 1021 bytes of text and the break fit exactly.
        {std::string(1003, 'x'), prefix + std::string(1003, 'x') + "\r\n"},
        {std::string(2000, 'x'), prefix + std::string(1003, 'x') + "\r\n"},
        // 1003 bytes of room hold 501 two-byte characters, not 501 and a half.
        {repeated(kZhe, 600), prefix + repeated(kZhe, 501) + "\r\n"},
        {"a" + repeated(kZhe, 600), prefix + "a" + repeated(kZhe, 501) + "\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.size());
        const std::string line = formatLogLine({0, 0, 0}, "INFO", c.message);
        EXPECT_LE(line.size(), kLogLineMaxBytes);
        EXPECT_EQ(line, c.expected);
    }
}

TEST(LogLine, CutAtCharBoundary) {
    struct Case {
        std::string text;
        size_t maxBytes;
        std::string expected;
    };
    const Case cases[] = {
        {"abc", 5, "abc"},
        {"abc", 3, "abc"},
        {"abc", 2, "ab"},
        {"a" + kZhe, 2, "a"},
        {"\xE2\x82\xAC", 2, ""},                        // a three-byte character
        {"\xF0\x9F\x98\x80z", 3, ""},                   // a four-byte character
        {"\xF0\x9F\x98\x80z", 4, "\xF0\x9F\x98\x80"},
        {"\x80\x80\x80\x80\x80", 3, "\x80\x80\x80"},    // no UTF-8: cut at the limit
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text) + " " + std::to_string(c.maxBytes));
        EXPECT_EQ(cutAtCharBoundary(c.text, c.maxBytes), c.expected);
    }
}

TEST(LogTrim, DropsWholeOldLinesOnlyPastTheBound) {
    struct Case {
        std::wstring text;
        size_t maxChars;
        size_t keepChars;
        size_t expected;
    };
    const Case cases[] = {
        {L"a\r\nb\r\nc\r\n", 9, 5, 0},     // within the bound
        {L"a\r\nb\r\nc\r\n", 8, 5, 6},     // "c\r\n" remains
        {L"a\r\nb\r\nc\r\n", 8, 6, 3},     // cut falls on a line start
        {L"aaaa\r\nb\r\n", 8, 4, 6},       // the cut point is inside the first line
        {L"aaaaaaaaaa", 8, 4, 10},         // no break at all: everything goes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        EXPECT_EQ(oldLinesToDrop(c.text, c.maxChars, c.keepChars), c.expected);
    }
}

}  // namespace
}  // namespace wx
