#include "airports/AirportCsv.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "util/LineInput.h"

namespace wx {
namespace {

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

char asciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string_view optionalField(const CsvRow& row, int column) {
    return column >= 0 && static_cast<size_t>(column) < row.size() ? row.field(static_cast<size_t>(column))
                                                                    : std::string_view{};
}

// Whole feet of an elevation field, truncated toward zero. A value that
// does not fit a 32-bit count of feet (or is not finite) is unreadable.
std::optional<int32_t> elevationFeet(const CsvRow& row, int column) {
    if (column < 0 || static_cast<size_t>(column) >= row.size() || row.field(static_cast<size_t>(column)).empty()) {
        return 0;
    }
    const auto value = leadingNumber(row.fieldText(static_cast<size_t>(column)));
    if (!value) {
        return std::nullopt;
    }
    const double feet = std::trunc(*value);
    if (!(feet >= std::numeric_limits<int32_t>::min() && feet <= std::numeric_limits<int32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<int32_t>(feet);
}

}  // namespace

AirportColumns parseAirportHeader(std::string_view line) {
    AirportColumns columns;
    const std::pair<std::string_view, int AirportColumns::*> names[] = {
        {"ident", &AirportColumns::ident},           {"latitude_deg", &AirportColumns::lat},
        {"longitude_deg", &AirportColumns::lon},     {"elevation_ft", &AirportColumns::elevation},
        {"name", &AirportColumns::name},             {"type", &AirportColumns::type},
    };
    int index = 0;
    size_t begin = 0;
    while (true) {
        const size_t comma = line.find(',', begin);
        std::string_view field = line.substr(begin, comma == std::string_view::npos ? line.npos : comma - begin);
        if (!field.empty() && field.front() == '"') {
            field = field.size() >= 2 ? field.substr(1, field.size() - 2) : std::string_view{};
        }
        for (const auto& [name, member] : names) {
            if (field == name && columns.*member < 0) {
                columns.*member = index;
            }
        }
        if (comma == std::string_view::npos) {
            break;
        }
        begin = comma + 1;
        ++index;
    }
    return columns;
}

void CsvRow::scan(std::string_view line) {
    text_.clear();
    starts_.clear();
    starts_.push_back(0);
    bool quoted = false;
    for (const char c : line) {
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            text_.push_back('\0');
            starts_.push_back(text_.size());
        } else {
            text_.push_back(c);
        }
    }
    text_.push_back('\0');
}

std::string_view CsvRow::field(size_t index) const {
    const size_t end = index + 1 < starts_.size() ? starts_[index + 1] - 1 : text_.size() - 1;
    return std::string_view(text_).substr(starts_[index], end - starts_[index]);
}

std::optional<double> leadingNumber(const char* text) {
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text, &end);
    if (end == text || errno == ERANGE) {
        return std::nullopt;
    }
    return value;
}

std::string normalizedIdent(std::string_view ident) {
    if (ident.size() != 4) {
        return {};
    }
    std::string upper(ident);
    for (char& c : upper) {
        if (!isAsciiLetter(c)) {
            return {};
        }
        c = asciiUpper(c);
    }
    return upper;
}

std::optional<AirportRow> airportFromRow(const CsvRow& row, const AirportColumns& columns) {
    const int widest = std::max({columns.ident, columns.lat, columns.lon});
    if (widest < 0 || row.size() < static_cast<size_t>(widest) + 1) {
        return std::nullopt;
    }
    std::string ident = normalizedIdent(row.field(static_cast<size_t>(columns.ident)));
    if (ident.empty()) {
        return std::nullopt;
    }
    const std::string_view type = optionalField(row, columns.type);
    if (type == "closed") {
        return std::nullopt;
    }
    const auto lat = leadingNumber(row.fieldText(static_cast<size_t>(columns.lat)));
    const auto lon = leadingNumber(row.fieldText(static_cast<size_t>(columns.lon)));
    if (!lat || !lon) {
        return std::nullopt;
    }
    const auto feet = elevationFeet(row, columns.elevation);
    if (!feet) {
        return std::nullopt;
    }
    AirportRow result{std::move(ident), {}};
    result.airport.lat = *lat;
    result.airport.lon = *lon;
    result.airport.elevationM = static_cast<int32_t>(*feet * 0.3048);
    result.airport.name = std::string(optionalField(row, columns.name));
    result.airport.type = std::string(type);
    return result;
}

bool readCsvLine(std::istream& in, std::string& line) { return readLine(in, line); }

}  // namespace wx
