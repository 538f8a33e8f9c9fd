#include "engine/SigmetEvaluation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>

#include "engine/SigmetArea.h"
#include "engine/SigmetHazard.h"
#include "sim/NwiRecord.h"
#include "weather/Clouds.h"

namespace wx {
namespace {

using nlohmann::json;

constexpr double kMetresPerFoot = 0.3048;
// 800 and 40000 ft, the thunderstorm's base and top when a SIGMET gives none.
constexpr int32_t kDefaultBaseM = 243;
constexpr int32_t kDefaultTopM = 12192;
constexpr int32_t kLowestCbBaseM = 600;
constexpr int32_t kCbDepthWithoutTopM = 8000;

// A height in feet as whole metres: a number, or text starting with one.
// Absent, null or another type gives nothing. Text without a number, and a
// value that is not finite or whose metres do not fit 32 bits, are
// unreadable: they give nothing too and set `unreadable`.
std::optional<int32_t> heightMetres(const json& sigmet, const char* key, bool& unreadable) {
    std::optional<double> feet;
    try {
        feet = sigmetNumber(sigmet, key);
    } catch (const std::logic_error&) {
        unreadable = true;
        return std::nullopt;
    }
    if (!feet) {
        return std::nullopt;
    }
    const double metres = std::trunc(*feet * kMetresPerFoot);
    if (!std::isfinite(metres) || metres < std::numeric_limits<int32_t>::min() ||
        metres > std::numeric_limits<int32_t>::max()) {
        unreadable = true;
        return std::nullopt;
    }
    return static_cast<int32_t>(metres);
}

// The heights a SIGMET gives for its hazard, metres above sea level.
struct LevelBand {
    int64_t baseM = 0;
    int64_t topM = 0;

    // Whether a layer from lower to upper reaches into the band.
    bool overlaps(int64_t lowerM, int64_t upperM) const { return lowerM < topM && upperM > baseM; }
};

// The band of a SIGMET that gives both its base and its top readably, the
// top above the base; without one the hazard counts at every level.
std::optional<LevelBand> levelBand(const json& sigmet) {
    bool unreadable = false;
    const std::optional<int32_t> baseM = heightMetres(sigmet, "base", unreadable);
    const std::optional<int32_t> topM = heightMetres(sigmet, "top", unreadable);
    if (!baseM || !topM || *topM <= *baseM) {
        return std::nullopt;
    }
    return LevelBand{*baseM, *topM};
}

bool inBand(const std::optional<LevelBand>& band, int64_t lowerM, int64_t upperM) {
    return !band || band->overlaps(lowerM, upperM);
}

class SigmetEvaluation {
public:
    SigmetEvaluation(WeatherData& weather, const LogFn& log) : weather_(weather), log_(log) {}

    // Applies one SIGMET that covers the point; false when its hazard is
    // none of the five handled.
    bool apply(const json& sigmet) {
        const SigmetIdentity identity = sigmetIdentity(sigmet);
        label_ = identity.label;
        switch (identity.hazardClass) {
        case SigmetHazard::Thunderstorm:
            thunderstorm(sigmet, "SIGMET TS");
            break;
        case SigmetHazard::Turbulence:
            turbulence(levelBand(sigmet));
            warn("SIGMET SEV TURB");
            break;
        case SigmetHazard::Icing:
            icing(levelBand(sigmet));
            warn("SIGMET SEV ICE");
            break;
        case SigmetHazard::VolcanicAsh:
            if (log_) {
                log_("[" + weather_.stationId + "] !!! SIGMET VA (" + label_ + ")", "ERROR");
            }
            break;
        case SigmetHazard::Cyclone:
            // A tropical cyclone is a field of thunderstorms.
            thunderstorm(sigmet, "SIGMET TC");
            break;
        case SigmetHazard::None:
            return false;
        }
        weather_.sigmets.push_back(identity.tag());
        return true;
    }

private:
    void thunderstorm(const json& sigmet, const char* what) {
        bool unreadable = false;
        const int32_t baseM = heightMetres(sigmet, "base", unreadable).value_or(kDefaultBaseM);
        const int32_t topM = heightMetres(sigmet, "top", unreadable).value_or(kDefaultTopM);
        if (unreadable) {
            warn(what, "): unreadable base or top, defaults used");
        }
        CloudLayer layer;
        layer.baseM = std::max(baseM, kLowestCbBaseM);
        layer.coverOktas = 8;
        layer.type = "CB";
        layer.turbulence = 4;
        layer.icing = 2;
        layer.source = "SIGMET";
        layer.topM = topM > baseM ? topM
                                  : static_cast<int32_t>(std::min<int64_t>(int64_t{baseM} + kCbDepthWithoutTopM,
                                                                           std::numeric_limits<int32_t>::max()));
        layer.hasTop = true;
        weather_.clouds.push_back(std::move(layer));
        if (weather_.precipType == 0) {
            weather_.precipType = 1;
            weather_.precipRate = 4;
        } else {
            weather_.precipRate = std::max(weather_.precipRate, 4);
        }
        weather_.turbulence = std::max(weather_.turbulence, 3);
        warn(what);
    }

    // Severe turbulence in every wind layer that reaches into the band, each
    // layer spanning from the top of the one below it to its own top, as
    // the simulator receives them: the surface layer from the station up
    // 1000 m, then each layer aloft up (or down) to its altitude.
    void turbulence(const std::optional<LevelBand>& band) {
        const int64_t elevationM = weather_.elevationM;
        int64_t previousM = elevationM + NwiLayout::kSurfaceWindDepthM;
        if (inBand(band, elevationM, previousM)) {
            weather_.turbulence = std::max(weather_.turbulence, 4);
        }
        for (UpperAirLayer& layer : weather_.upperAir) {
            const int64_t altitudeM = layer.altitudeM;
            if (inBand(band, std::min(previousM, altitudeM), std::max(previousM, altitudeM))) {
                layer.turbulence = std::max(layer.turbulence, 4);
            }
            previousM = altitudeM;
        }
    }

    // Severe icing in every cloud layer that reaches into the band, each as
    // thick as the simulator receives it.
    void icing(const std::optional<LevelBand>& band) {
        for (CloudLayer& layer : weather_.clouds) {
            const int64_t baseM = int64_t{weather_.elevationM} + layer.baseM;
            if (inBand(band, baseM, baseM + NwiLayout::kCloudDepthM)) {
                layer.icing = std::max(layer.icing, 3);
            }
        }
    }

    void warn(const char* what, const char* ending = ")") {
        if (log_) {
            log_("[" + weather_.stationId + "] " + what + " (" + label_ + ending, "WARN");
        }
    }

    WeatherData& weather_;
    const LogFn& log_;
    std::string label_;
};

}  // namespace

void evaluateSigmets(WeatherData& weather, double lat, double lon, const SigmetList& sigmets, const LogFn& log) {
    SigmetEvaluation evaluation(weather, log);
    int applied = 0;
    for (const json& sigmet : sigmets.applicable) {
        if (sigmet.is_object() && sigmetCovers(sigmetPolygons(sigmet), lat, lon) && evaluation.apply(sigmet)) {
            ++applied;
        }
    }
    if (applied == 0 && sigmets.listed > 0 && log) {
        log("[" + weather.stationId + "] SIGMET: none in area (" + std::to_string(sigmets.listed) + " global)", "INFO");
    }
    sortByBase(weather.clouds);
}

}  // namespace wx
