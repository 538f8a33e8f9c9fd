#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "airports/Airport.h"

namespace wx {

// Column numbers of the fields the database reads, -1 when the header has
// no such column.
struct AirportColumns {
    int ident = -1;
    int lat = -1;
    int lon = -1;
    int elevation = -1;
    int name = -1;
    int type = -1;

    // Rows can be read only when the ident, latitude and longitude are there.
    bool usable() const { return ident >= 0 && lat >= 0 && lon >= 0; }
};

// Finds the columns by exact, case-sensitive name (the first field of that
// name). The header is split at every comma with no regard to quotes; a
// field that begins with a double quote loses its first and last character.
AirportColumns parseAirportHeader(std::string_view line);

// The fields of one row. A double quote switches quoting on or off and is
// itself dropped; a comma outside quotes ends a field; every other byte is
// kept. A line with k separating commas has k + 1 fields. One object is
// reused for every row so that a load does not allocate per field.
class CsvRow {
public:
    void scan(std::string_view line);

    size_t size() const { return starts_.size(); }
    std::string_view field(size_t index) const;
    // The field as a zero-terminated string, for the C number conversion.
    const char* fieldText(size_t index) const { return text_.data() + starts_[index]; }

private:
    std::string text_;            // every field followed by '\0'
    std::vector<size_t> starts_;  // where each field begins in text_
};

// The number at the start of text, converted as strtod does (leading white
// space skipped, the longest numeric prefix taken, the rest ignored);
// nothing when there is no numeric prefix or the value is out of range.
std::optional<double> leadingNumber(const char* text);

struct AirportRow {
    std::string ident;
    Airport airport;
};

// The airport of one row, or nothing when the row is dropped: too short for
// the ident or position, an ident that is not four ASCII letters once
// upper-cased, type "closed", an unreadable position or elevation.
std::optional<AirportRow> airportFromRow(const CsvRow& row, const AirportColumns& columns);

// Reads up to the next line feed. A carriage return that ends the line is
// dropped, as reading in text mode does on Windows, so that CR LF files read
// alike everywhere.
bool readCsvLine(std::istream& in, std::string& line);

// The ident as stored: upper-cased (ASCII); empty unless it is then exactly
// four ASCII letters.
std::string normalizedIdent(std::string_view ident);

}  // namespace wx
