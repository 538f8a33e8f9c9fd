#include "briefing/ArrivalTime.h"

#include <chrono>
#include <cmath>

namespace wx {
namespace {

UtcMillis after(UtcMillis now, double hours) {
    return now + std::chrono::milliseconds(std::llround(hours * 3600.0 * 1000.0));
}

}  // namespace

UtcMillis arrivalTime(const ArrivalInputs& inputs) {
    if (inputs.typed) {
        return *inputs.typed;
    }
    if (inputs.simEteSec && *inputs.simEteSec > 0.0 && *inputs.simEteSec <= kArrivalMaxEteHours * 3600.0) {
        return after(inputs.now, *inputs.simEteSec / 3600.0);
    }
    if (inputs.remainingNm && inputs.groundSpeedKt && *inputs.groundSpeedKt > kArrivalMinGroundSpeedKt &&
        std::isfinite(*inputs.groundSpeedKt)) {
        return after(inputs.now, *inputs.remainingNm / *inputs.groundSpeedKt);
    }
    return after(inputs.now, inputs.planLengthNm / kArrivalAssumedSpeedKt);
}

}  // namespace wx
