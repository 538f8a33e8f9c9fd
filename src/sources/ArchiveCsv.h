#pragma once

#include <optional>
#include <string>
#include <vector>

#include "weather/UtcTime.h"

namespace wx {

// Reading the Mesonet's CSV answers.

// The lines that end in a line end ("\n" or "\r\n"), without it: a last
// line without one was cut off and is left out.
std::vector<std::string> completeLines(const std::string& body);

// One CSV line's fields; a quoted field may hold commas and doubled quotes.
std::vector<std::string> csvFields(const std::string& line);

// "2022-10-23 14:50" read as UTC; nothing for any other text.
std::optional<UtcMillis> archiveTime(const std::string& text);

// A list column as the archive writes it ("['BKN', 'OVC']", "[1200.0,
// 2500.0]", "{BKN,OVC}"): its items, without quotes and blanks.
std::vector<std::string> listItems(const std::string& text);

}  // namespace wx
