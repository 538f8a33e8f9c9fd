#include "engine/TafKeeper.h"

#include <algorithm>
#include <chrono>

namespace wx {

bool TafKeeper::due(const std::vector<std::string>& stationIds, UtcMillis now) const {
    return stationIds != askedIds_ || !answeredAt_ || now - *answeredAt_ >= std::chrono::minutes(kTafRefreshMinutes) ||
           now < *answeredAt_;
}

void TafKeeper::received(const std::vector<std::string>& stationIds, std::optional<std::vector<Taf>> tafs,
                         UtcMillis now) {
    if (stationIds != askedIds_) {
        std::erase_if(tafs_, [&](const Taf& taf) {
            return std::find(stationIds.begin(), stationIds.end(), taf.stationId) == stationIds.end();
        });
        answeredAt_.reset();
        askedIds_ = stationIds;
    }
    if (tafs) {
        tafs_ = std::move(*tafs);
        answeredAt_ = now;
    }
}

std::optional<Taf> TafKeeper::find(const std::string& stationId) const {
    const auto it =
        std::find_if(tafs_.begin(), tafs_.end(), [&](const Taf& taf) { return taf.stationId == stationId; });
    return it == tafs_.end() ? std::nullopt : std::optional<Taf>(*it);
}

}  // namespace wx
