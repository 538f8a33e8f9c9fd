#pragma once

#include <string>
#include <vector>

#include "sim/AmbientWeather.h"
#include "weather/WeatherData.h"

namespace wx {

// One side of a read-back, in whole units; the wind direction magnetic.
struct ReadBackValues {
    int32_t windDirDeg = 0;
    int32_t windSpeedKt = 0;
    int32_t qnhHpa = 0;
    int32_t temperatureC = 0;
    int32_t visibilityM = 0;

    bool operator==(const ReadBackValues&) const = default;
};

// What the simulator has at the aircraft against the record written for
// the station nearest to it (or the point at the aircraft).
struct ReadBack {
    std::string stationId;
    ReadBackValues simulator;
    ReadBackValues sent;
    // Every value agrees within what its offset can hold.
    bool matches = false;
    // The values that differ beyond what a pilot would accept: "QNH",
    // "wind speed", "wind direction".
    std::vector<std::string> differing;

    bool operator==(const ReadBack&) const = default;
};

// Compares in the same units and the same reference, magnetic: the sent
// direction (true) and a simulator direction given true (an aircraft above
// the surface wind) are turned magnetic with the cycle's magnetic
// variation. Tolerances beyond which values differ: QNH
// 2 hPa, wind speed 10 kt, direction 30° when both speeds are 5 kt or more.
ReadBack compareReadBack(const AmbientWeather& simulator, const WeatherData& sent, double magVarDeg);

// "Read-back: wind 220°/6 kt (sent 220°/6), QNH 1019 (1019), OAT 15 °C (15),
// vis 9994 m (9999)".
std::string readBackLine(const ReadBack& readBack);
// "Read-back differs from the weather sent: " and the differing values.
std::string readBackWarning(const ReadBack& readBack);

// Which read-backs deserve a warning: the second of two in a row whose
// values differ, and after that only once the values have agreed again.
class ReadBackWatch {
public:
    bool warns(const ReadBack& readBack);

private:
    int differingInARow_ = 0;
    bool warned_ = false;
};

}  // namespace wx
