#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wx {

enum class Axis { Latitude, Longitude };

// Degrees read from a plan's coordinate, or why it could not be read.
struct AngleResult {
    std::optional<double> degrees;  // north and east positive
    std::string reason;             // when degrees is empty
};

// A coordinate as plan files write it: a hemisphere letter (N/S for a
// latitude, E/W for a longitude, either case), whole degrees, a degree
// sign, minutes and optionally seconds:
//   N51* 28.65'    W0* 27.68'    E001* 17.07'    N53° 53' 55.87"
// The degree sign is '*' or any run of one to four bytes above 0x7F, so
// that the UTF-8 sign, the one-byte sign of the Windows and DOS code pages
// and a sign encoded twice all read alike. Minutes and seconds must be
// below 60 and the whole within 90 (latitude) or 180 (longitude) degrees.
AngleResult parseAngle(std::string_view text, Axis axis);

// An altitude in feet as plan files write it ("+000083.00", "-12.5",
// "1500"); nothing when the text is not such a number.
std::optional<double> parseAltitudeFt(std::string_view text);

// A plan's cruising altitude in feet ("9500", "14000.000", "00000"): a
// number from 0 to 100,000; nothing for any other text.
std::optional<double> parseCruiseAltitudeFt(std::string_view text);

struct Position {
    double latDeg = 0.0;
    double lonDeg = 0.0;
    double altitudeFt = 0.0;
};

struct PositionResult {
    std::optional<Position> position;
    std::string reason;  // when position is empty
};

// "latitude, longitude[, altitude]", fields separated by commas with any
// white space around them; a missing altitude reads as 0.
PositionResult parsePosition(std::string_view text);

}  // namespace wx
