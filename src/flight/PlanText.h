#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace wx {

// Small text helpers the plan readers share. They work on bytes: anything
// above 0x7F passes through untouched.

std::string_view trimmed(std::string_view text);
std::string lowerAscii(std::string_view text);
std::string upperAscii(std::string_view text);

// The fields between commas, each trimmed; "a, b," gives "a", "b", "".
std::vector<std::string_view> commaFields(std::string_view text);

// The text without a UTF-8 byte order mark at its start.
std::string_view withoutByteOrderMark(std::string_view text);

// An airport ident as plans give it: 3 or 4 ASCII letters or digits, in
// either case.
bool isAirportIdent(std::string_view ident);

// The 1-based line of the byte at offset.
int lineOfOffset(std::string_view text, size_t offset);

}  // namespace wx
