#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "engine/SigmetHazard.h"
#include "weather/FlightCategory.h"

namespace wx {

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;

    bool operator==(const Rgb&) const = default;
};

// The usual aviation colours of the flight categories (VFR green, MVFR
// blue, IFR red, LIFR magenta), dark enough that white text on them reads
// well, on a light window and on a dark one alike.
Rgb categoryColour(FlightCategory category);
// The category a table cell names ("VFR", ...); nothing for another text.
std::optional<FlightCategory> categoryNamed(std::string_view name);

// SIGMET outlines: thunderstorms and tropical cyclones red, turbulence
// orange, icing blue, volcanic ash grey.
Rgb hazardColour(SigmetHazard hazard);

// The map's own colours, the same in either colour scheme: a dark chart
// on which the category colours, white labels and the yellow aircraft
// stand out.
namespace mapColours {
inline constexpr Rgb kBackground{30, 38, 50};
inline constexpr Rgb kRing{96, 112, 132};
inline constexpr Rgb kText{232, 236, 240};
inline constexpr Rgb kAircraft{255, 214, 0};
inline constexpr Rgb kRoute{232, 110, 232};
}  // namespace mapColours

}  // namespace wx
