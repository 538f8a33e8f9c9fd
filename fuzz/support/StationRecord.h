#pragma once

#include "weather/WeatherData.h"

namespace wx::fuzz {

// A finished station record of the kind the engine writes, built field by
// field rather than decoded, so that the targets spend their time on the
// input rather than on the decoder.
inline WeatherData stationRecord() {
    WeatherData weather;
    weather.stationId = "EGLL";
    weather.elevationM = 25;
    weather.windDirDeg = 270;
    weather.windSpeedKt = 15;
    weather.windGustKt = 28;
    weather.qnhHpa = 1013;
    weather.temperatureC = 15.0f;
    weather.dewpointC = 9.0f;
    weather.precipType = 1;
    weather.precipRate = 2;
    weather.turbulence = 3;
    weather.rawMetar = "EGLL 071020Z 27015G28KT 9999 -RA FEW035 BKN250 15/09 Q1013";
    weather.clouds = {{400, 6, "ST", 0, 0, "PRECIP", 0, false},
                      {1066, 2, "", 0, 0, "METAR", 0, false},
                      {7620, 6, "", 0, 0, "METAR", 0, false}};
    weather.upperAir = {{3000, 270, 40, -5.0f, true, 1, 1, 0, "SYNTH"}};
    return weather;
}

}  // namespace wx::fuzz
