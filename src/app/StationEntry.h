#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wx {

// How much of the station entry field is read.
inline constexpr size_t kStationEntryMaxChars = 15;

// The station identifier a typed entry stands for: the entry upper-cased
// (ASCII rules) when it has exactly four characters; nothing otherwise. An
// entry holding a character outside ASCII is refused as a whole, since
// identifiers are shown and sent byte for byte.
std::optional<std::string> stationIdFromEntry(std::string_view entry);

// Appends the entry's identifier to the list unless the entry is refused or
// the identifier is listed already; true when the list changed.
bool addStationEntry(std::vector<std::string>& stations, std::string_view entry);

// Removes the station at index (a list box selection, -1 for none); true
// when the list changed.
bool removeStationAt(std::vector<std::string>& stations, int index);

}  // namespace wx
