#include "engine/ReadBack.h"

#include <cmath>
#include <cstdlib>

namespace wx {
namespace {

constexpr int32_t kQnhToleranceHpa = 2;
constexpr int32_t kSpeedToleranceKt = 10;
constexpr int32_t kDirectionToleranceDeg = 30;
constexpr int32_t kCompareDirectionNeedsKt = 5;
// What the simulator's words can hold: directions are written in whole
// degrees and read back from 65536ths of a circle, visibility in hundredths
// of a statute mile (16.09 m).
constexpr int32_t kDirectionRoundingDeg = 1;
constexpr int32_t kVisibilityRoundingM = 17;

double normalDegrees(double degrees) { return std::fmod(std::fmod(degrees, 360.0) + 360.0, 360.0); }

int32_t angleBetween(int32_t a, int32_t b) {
    const int32_t difference = std::abs(a - b) % 360;
    return std::min(difference, 360 - difference);
}

std::string wind(const ReadBackValues& values) {
    return std::to_string(values.windDirDeg) + "\xC2\xB0/" + std::to_string(values.windSpeedKt);
}

}  // namespace

ReadBack compareReadBack(const AmbientWeather& simulator, const WeatherData& sent, double magVarDeg) {
    ReadBack result;
    result.stationId = sent.stationId;
    const double simulatorMagneticDeg = simulator.windDirTrue ? simulator.windDirDeg - magVarDeg : simulator.windDirDeg;
    result.simulator = {static_cast<int32_t>(std::lround(normalDegrees(simulatorMagneticDeg))) % 360,
                        simulator.windSpeedKt,
                        static_cast<int32_t>(std::lround(simulator.qnhHpa)),
                        static_cast<int32_t>(std::lround(simulator.temperatureC)), simulator.visibilityM};
    // The sent direction turned magnetic as the record was written: whole
    // degrees, cut.
    result.sent = {static_cast<int32_t>(normalDegrees(sent.windDirDeg - magVarDeg)), sent.windSpeedKt, sent.qnhHpa,
                   static_cast<int32_t>(std::lround(sent.temperatureC)), sent.visibilityM};
    const ReadBackValues& a = result.simulator;
    const ReadBackValues& b = result.sent;
    const bool calm = a.windSpeedKt == 0 && b.windSpeedKt == 0;
    result.matches = a.windSpeedKt == b.windSpeedKt &&
                     (calm || angleBetween(a.windDirDeg, b.windDirDeg) <= kDirectionRoundingDeg) &&
                     a.qnhHpa == b.qnhHpa && a.temperatureC == b.temperatureC &&
                     std::abs(a.visibilityM - b.visibilityM) <= kVisibilityRoundingM;
    if (std::abs(a.qnhHpa - b.qnhHpa) > kQnhToleranceHpa) {
        result.differing.push_back("QNH");
    }
    if (std::abs(a.windSpeedKt - b.windSpeedKt) > kSpeedToleranceKt) {
        result.differing.push_back("wind speed");
    }
    if (a.windSpeedKt >= kCompareDirectionNeedsKt && b.windSpeedKt >= kCompareDirectionNeedsKt &&
        angleBetween(a.windDirDeg, b.windDirDeg) > kDirectionToleranceDeg) {
        result.differing.push_back("wind direction");
    }
    return result;
}

std::string readBackLine(const ReadBack& readBack) {
    const ReadBackValues& a = readBack.simulator;
    const ReadBackValues& b = readBack.sent;
    return "Read-back: wind " + wind(a) + " kt (sent " + wind(b) + "), QNH " + std::to_string(a.qnhHpa) + " (" +
           std::to_string(b.qnhHpa) + "), OAT " + std::to_string(a.temperatureC) + " \xC2\xB0" "C (" +
           std::to_string(b.temperatureC) + "), vis " + std::to_string(a.visibilityM) + " m (" +
           std::to_string(b.visibilityM) + ")";
}

bool ReadBackWatch::warns(const ReadBack& readBack) {
    if (readBack.differing.empty()) {
        differingInARow_ = 0;
        warned_ = false;
        return false;
    }
    if (++differingInARow_ < 2 || warned_) {
        return false;
    }
    warned_ = true;
    return true;
}

std::string readBackWarning(const ReadBack& readBack) {
    std::string text = "Read-back differs from the weather sent:";
    const ReadBackValues& a = readBack.simulator;
    const ReadBackValues& b = readBack.sent;
    for (size_t i = 0; i < readBack.differing.size(); ++i) {
        const std::string& field = readBack.differing[i];
        text += i == 0 ? " " : ", ";
        if (field == "QNH") {
            text += "QNH " + std::to_string(a.qnhHpa) + " (sent " + std::to_string(b.qnhHpa) + ")";
        } else if (field == "wind speed") {
            text += "wind speed " + std::to_string(a.windSpeedKt) + " kt (sent " + std::to_string(b.windSpeedKt) + ")";
        } else {
            text += "wind direction " + std::to_string(a.windDirDeg) + "\xC2\xB0 (sent " +
                    std::to_string(b.windDirDeg) + "\xC2\xB0)";
        }
    }
    return text;
}

}  // namespace wx
