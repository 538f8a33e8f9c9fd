#include "engine/SigmetEvaluation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

#include "engine/SigmetArea.h"
#include "weather/Clouds.h"

namespace wx {
namespace {

using nlohmann::json;

constexpr double kMetresPerFoot = 0.3048;
constexpr double kDefaultBaseFt = 800.0;
constexpr double kDefaultTopFt = 40000.0;
constexpr int32_t kLowestCbBaseM = 600;
constexpr int32_t kCbDepthWithoutTopM = 8000;

std::string textMember(const json& sigmet, const char* key, const std::string& fallback) {
    const auto it = sigmet.find(key);
    return it != sigmet.end() && it->is_string() ? it->get<std::string>() : fallback;
}

std::string upperCase(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

bool contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// A height in feet as whole metres. A number, or text starting with one;
// absent, null or another type gives the fallback. Text without a number,
// and a value that is not finite or whose metres do not fit 32 bits, are
// unreadable: they give the fallback too and set `unreadable`.
int32_t heightMetres(const json& sigmet, const char* key, double fallbackFt, bool& unreadable) {
    double feet = fallbackFt;
    const auto it = sigmet.find(key);
    try {
        if (it != sigmet.end() && it->is_number()) {
            feet = it->get<double>();
        } else if (it != sigmet.end() && it->is_string()) {
            feet = std::stod(it->get_ref<const std::string&>());
        }
    } catch (const std::logic_error&) {
        unreadable = true;
        feet = fallbackFt;
    }
    const double metres = std::trunc(feet * kMetresPerFoot);
    if (!std::isfinite(metres) || metres < std::numeric_limits<int32_t>::min() ||
        metres > std::numeric_limits<int32_t>::max()) {
        unreadable = true;
        return static_cast<int32_t>(fallbackFt * kMetresPerFoot);
    }
    return static_cast<int32_t>(metres);
}

class SigmetEvaluation {
public:
    SigmetEvaluation(WeatherData& weather, const LogFn& log) : weather_(weather), log_(log) {}

    // Applies one SIGMET that covers the point; false when its hazard is
    // none of the four handled.
    bool apply(const json& sigmet) {
        const std::string hazard = upperCase(textMember(sigmet, "hazard", ""));
        label_ = textMember(sigmet, "firId", textMember(sigmet, "firName", "?"));
        if (contains(hazard, "TS")) {
            thunderstorm(sigmet);
        } else if (contains(hazard, "TURB")) {
            weather_.turbulence = std::max(weather_.turbulence, 4);
            for (UpperAirLayer& layer : weather_.upperAir) {
                layer.turbulence = std::max(layer.turbulence, 4);
            }
            warn("SIGMET SEV TURB");
        } else if (contains(hazard, "ICE")) {
            for (CloudLayer& layer : weather_.clouds) {
                layer.icing = std::max(layer.icing, 3);
            }
            warn("SIGMET SEV ICE");
        } else if (contains(hazard, "VA")) {
            if (log_) {
                log_("[" + weather_.stationId + "] !!! SIGMET VA (" + label_ + ")", "ERROR");
            }
        } else {
            return false;
        }
        weather_.sigmets.push_back(hazard + "@" + label_);
        return true;
    }

private:
    void thunderstorm(const json& sigmet) {
        bool unreadable = false;
        const int32_t baseM = heightMetres(sigmet, "base", kDefaultBaseFt, unreadable);
        const int32_t topM = heightMetres(sigmet, "top", kDefaultTopFt, unreadable);
        if (unreadable) {
            warn("SIGMET TS", "): unreadable base or top, defaults used");
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
        warn("SIGMET TS");
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

void evaluateSigmets(WeatherData& weather, double lat, double lon, const std::vector<json>& sigmets,
                     const LogFn& log) {
    SigmetEvaluation evaluation(weather, log);
    int applied = 0;
    for (const json& sigmet : sigmets) {
        if (sigmet.is_object() && sigmetCovers(sigmetPolygon(sigmet), lat, lon) && evaluation.apply(sigmet)) {
            ++applied;
        }
    }
    if (applied == 0 && !sigmets.empty() && log) {
        log( "[" + weather.stationId + "] SIGMET: none in area (" + std::to_string(sigmets.size()) + " global)", "INFO");
    }
    sortByBase(weather.clouds);
}

}  // namespace wx
