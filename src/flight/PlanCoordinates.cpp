#include "flight/PlanCoordinates.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "flight/PlanText.h"

namespace wx {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

void skipSpaces(std::string_view& rest) {
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) {
        rest.remove_prefix(1);
    }
}

// Digits with an optional fraction ("27", "27.68", "27."), taken from the
// front of rest.
std::optional<double> takeNumber(std::string_view& rest) {
    size_t length = 0;
    while (length < rest.size() && isDigit(rest[length])) {
        ++length;
    }
    const size_t wholeDigits = length;
    if (length < rest.size() && rest[length] == '.') {
        ++length;
        while (length < rest.size() && isDigit(rest[length])) {
            ++length;
        }
    }
    if (wholeDigits == 0) {
        return std::nullopt;
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + length, value);
    if (error != std::errc() || !std::isfinite(value)) {
        return std::nullopt;
    }
    rest.remove_prefix(static_cast<size_t>(end - rest.data()));
    return value;
}

// '*' or one to four bytes above 0x7F (a degree sign in some encoding).
bool takeDegreeSign(std::string_view& rest) {
    if (!rest.empty() && rest.front() == '*') {
        rest.remove_prefix(1);
        return true;
    }
    size_t length = 0;
    while (length < rest.size() && static_cast<unsigned char>(rest[length]) > 0x7F) {
        ++length;
    }
    if (length == 0 || length > 4) {
        return false;
    }
    rest.remove_prefix(length);
    return true;
}

void takeMark(std::string_view& rest, char mark) {
    skipSpaces(rest);
    if (!rest.empty() && rest.front() == mark) {
        rest.remove_prefix(1);
    }
    skipSpaces(rest);
}

AngleResult failure(std::string reason) { return {std::nullopt, std::move(reason)}; }

}  // namespace

AngleResult parseAngle(std::string_view text, Axis axis) {
    const bool latitude = axis == Axis::Latitude;
    const std::string what = latitude ? "latitude" : "longitude";
    const std::string quoted = " \"" + std::string(trimmed(text)) + "\"";
    std::string_view rest = trimmed(text);
    if (rest.empty()) {
        return failure("missing " + what);
    }
    const char hemisphere = upperAscii(rest.substr(0, 1))[0];
    const char positive = latitude ? 'N' : 'E';
    const char negative = latitude ? 'S' : 'W';
    if (hemisphere != positive && hemisphere != negative) {
        return failure(what + quoted + " does not start with " + positive + " or " + negative);
    }
    rest.remove_prefix(1);
    skipSpaces(rest);
    std::string_view degreeDigits = rest;
    const auto degrees = takeNumber(rest);
    degreeDigits = degreeDigits.substr(0, degreeDigits.size() - rest.size());
    if (!degrees || degreeDigits.find('.') != std::string_view::npos) {
        return failure(what + quoted + " has no whole degrees");
    }
    skipSpaces(rest);
    if (!takeDegreeSign(rest)) {
        return failure(what + quoted + " has no degree sign after the degrees");
    }
    skipSpaces(rest);
    const auto minutes = takeNumber(rest);
    if (!minutes) {
        return failure(what + quoted + " has no minutes");
    }
    takeMark(rest, '\'');
    double seconds = 0.0;
    if (!rest.empty()) {
        const auto given = takeNumber(rest);
        if (!given) {
            return failure(what + quoted + " has unexpected text after the minutes");
        }
        seconds = *given;
        takeMark(rest, '"');
    }
    if (!rest.empty()) {
        return failure(what + quoted + " has unexpected text after the seconds");
    }
    const double limit = latitude ? 90.0 : 180.0;
    const double value = *degrees + *minutes / 60.0 + seconds / 3600.0;
    if (*minutes >= 60.0 || seconds >= 60.0 || value > limit) {
        return failure(what + quoted + " is out of range");
    }
    return {hemisphere == negative ? -value : value, {}};
}

std::optional<double> parseAltitudeFt(std::string_view text) {
    std::string_view rest = trimmed(text);
    bool negative = false;
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    const auto value = takeNumber(rest);
    if (!value || !rest.empty()) {
        return std::nullopt;
    }
    return negative ? -*value : *value;
}

std::optional<double> parseCruiseAltitudeFt(std::string_view text) {
    constexpr double kHighestCruiseFt = 100000.0;
    const auto altitude = parseAltitudeFt(text);
    if (!altitude || *altitude < 0.0 || *altitude > kHighestCruiseFt) {
        return std::nullopt;
    }
    return altitude;
}

PositionResult parsePosition(std::string_view text) {
    const auto fields = commaFields(text);
    if (fields.size() < 2 || fields.size() > 3) {
        return {std::nullopt, "position \"" + std::string(trimmed(text)) + "\" is not latitude, longitude, altitude"};
    }
    const AngleResult lat = parseAngle(fields[0], Axis::Latitude);
    if (!lat.degrees) {
        return {std::nullopt, lat.reason};
    }
    const AngleResult lon = parseAngle(fields[1], Axis::Longitude);
    if (!lon.degrees) {
        return {std::nullopt, lon.reason};
    }
    double altitudeFt = 0.0;
    if (fields.size() == 3) {
        const auto altitude = parseAltitudeFt(fields[2]);
        if (!altitude) {
            return {std::nullopt, "altitude \"" + std::string(fields[2]) + "\" is not a number"};
        }
        altitudeFt = *altitude;
    }
    return {Position{*lat.degrees, *lon.degrees, altitudeFt}, {}};
}

}  // namespace wx
