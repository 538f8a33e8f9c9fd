#include "engine/SmoothChange.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace wx {
namespace {

constexpr int32_t kQnhStepHpa = 1;
constexpr int32_t kSpeedStepKt = 3;
constexpr int32_t kDirectionStepDeg = 10;
constexpr int32_t kTurnNeedsKt = 3;
constexpr int64_t kLeastVisibilityStepM = 100;

int32_t towards(int32_t from, int32_t to, int32_t step) { return std::clamp(to, from - step, from + step); }

int32_t normalDegrees(int32_t degrees) { return ((degrees % 360) + 360) % 360; }

// The direction turned at most one step from `from` toward `to`, the
// shorter way; a light wind turns at once.
int32_t turned(int32_t from, int32_t to, int32_t fromSpeedKt, int32_t toSpeedKt) {
    if (fromSpeedKt < kTurnNeedsKt || toSpeedKt < kTurnNeedsKt) {
        return to;
    }
    int32_t difference = normalDegrees(to - from);
    if (difference > 180) {
        difference -= 360;
    }
    if (std::abs(difference) <= kDirectionStepDeg) {
        return to;
    }
    return normalDegrees(from + (difference > 0 ? kDirectionStepDeg : -kDirectionStepDeg));
}

}  // namespace

WeatherData smoothStep(const WeatherData& last, const WeatherData& target) {
    WeatherData step = target;
    step.qnhHpa = towards(last.qnhHpa, target.qnhHpa, kQnhStepHpa);
    step.windSpeedKt = towards(last.windSpeedKt, target.windSpeedKt, kSpeedStepKt);
    step.windDirDeg = turned(last.windDirDeg, target.windDirDeg, last.windSpeedKt, target.windSpeedKt);
    // From no visibility at all twice nothing would stay nothing: a fog
    // that lifts opens up by at least 100 m a write.
    const int64_t lowest = std::max<int64_t>(0, (int64_t{last.visibilityM} + 1) / 2);
    const int64_t highest = std::max<int64_t>(int64_t{last.visibilityM} * 2, kLeastVisibilityStepM);
    step.visibilityM = static_cast<int32_t>(std::clamp<int64_t>(target.visibilityM, lowest, highest));
    const size_t matched = std::min(last.upperAir.size(), target.upperAir.size());
    for (size_t i = 0; i < matched; ++i) {
        const UpperAirLayer& from = last.upperAir[i];
        UpperAirLayer& layer = step.upperAir[i];
        layer.windSpeedKt = towards(from.windSpeedKt, layer.windSpeedKt, kSpeedStepKt);
        layer.windDirDeg = turned(from.windDirDeg, layer.windDirDeg, from.windSpeedKt, target.upperAir[i].windSpeedKt);
    }
    return step;
}

void SmoothChanges::reset() {
    written_.clear();
    moving_.clear();
    lastFetch_.reset();
    atOnce_ = true;
    writingAtOnce_ = true;
}

WeatherData SmoothChanges::next(const std::string& stationId, const WeatherData& target) const {
    const auto last = written_.find(stationId);
    return writingAtOnce_ || last == written_.end() ? target : smoothStep(last->second, target);
}

WeatherData SmoothChanges::stepOn(const MovingStation& moving) const {
    return next(moving.station.stationId, moving.target);
}

void SmoothChanges::written(const StationEntry& station, const WeatherData& step, const WeatherData& target) {
    written_[station.stationId] = step;
    if (!(step == target)) {
        moving_.push_back({station, target});
    }
}

void SmoothChanges::fullCycleBegins(Clock::TimePoint now) {
    writingAtOnce_ = atOnce_;
    atOnce_ = false;
    moving_.clear();
    lastFetch_ = now;
}

bool SmoothChanges::onlyMoving(Clock::TimePoint now, int32_t intervalSec) const {
    if (atOnce_ || moving_.empty() || !lastFetch_) {
        return false;
    }
    return intervalSec <= kStepPauseSec || now - *lastFetch_ < std::chrono::seconds(intervalSec);
}

std::vector<MovingStation> SmoothChanges::takeMoving() {
    writingAtOnce_ = false;
    std::vector<MovingStation> moving;
    moving.swap(moving_);
    return moving;
}

}  // namespace wx
