#pragma once

#include <optional>
#include <string_view>

#include "weather/UtcTime.h"

namespace wx {

// What the arrival field ("Arrival (UTC)") says: nothing typed (the engine
// works the arrival time out), a time, or a text it does not understand.
struct ArrivalReading {
    bool understood = true;
    std::optional<UtcMillis> at;

    bool operator==(const ArrivalReading&) const = default;
};

// The field's text read at `now`, spaces around it ignored: empty; "HH:MM",
// the next such time from `now` on (the current minute included, so at
// most 24 hours ahead); or "YYYY-MM-DD HH:MM" ("T" for the space is taken
// too). Either may end in "Z". Anything else, an impossible date or time
// included, is not understood.
ArrivalReading readArrivalField(std::string_view text, UtcMillis now);

}  // namespace wx
