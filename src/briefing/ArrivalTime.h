#pragma once

#include <optional>

#include "weather/UtcTime.h"

namespace wx {

// What the arrival time is worked out from.
struct ArrivalInputs {
    UtcMillis now{};
    std::optional<UtcMillis> typed;      // the pilot's own
    std::optional<double> simEteSec;     // the simulator's GPS time to the destination
    std::optional<double> remainingNm;   // the route left from the aircraft
    std::optional<double> groundSpeedKt;
    double planLengthNm = 0.0;
};

// Below this the ground speed tells nothing of the flight (taxiing, held).
inline constexpr double kArrivalMinGroundSpeedKt = 50.0;
// The speed the plan's length is flown at when nothing better is known.
inline constexpr double kArrivalAssumedSpeedKt = 250.0;
// The simulator's time to the destination is taken up to this many hours;
// beyond is no flight this program briefs (a GPS without a plan).
inline constexpr double kArrivalMaxEteHours = 36.0;

// The typed time; else now plus the simulator's time to the destination
// when it gives one above zero and up to kArrivalMaxEteHours; else now plus
// the route left over the ground speed when that is above 50 kt; else now
// plus the plan's length at 250 kt.
UtcMillis arrivalTime(const ArrivalInputs& inputs);

}  // namespace wx
