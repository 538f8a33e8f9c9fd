#pragma once

#include <cstdint>

namespace wx {

// The FSUIPC offsets the simulator link reads and writes.
struct SimOffsets {
    static constexpr uint32_t kLocalHour = 0x0238;
    static constexpr uint32_t kLocalMinute = 0x0239;
    static constexpr uint32_t kUtcHour = 0x023B;
    static constexpr uint32_t kUtcMinute = 0x023C;
    // The simulator's date, two bytes each, as FSUIPC's offset list gives
    // it: the day of the year (1 for January 1st, up to 366) and the year.
    static constexpr uint32_t kDayOfYear = 0x023E;
    static constexpr uint32_t kYear = 0x0240;
    static constexpr uint32_t kMagneticVariation = 0x02A0;
    // The ground speed: 4 bytes, metres per second × 65536.
    static constexpr uint32_t kGroundSpeed = 0x02B4;
    static constexpr uint32_t kLatitude = 0x0560;
    static constexpr uint32_t kLongitude = 0x0568;
    // The aircraft's altitude above sea level: whole metres, signed, in the
    // high half of the 8-byte value at 0x0570.
    static constexpr uint32_t kAltitudeMetres = 0x0574;
    // The weather at the aircraft, two bytes each, as FSUIPC's offset list
    // for programmers (the SDK's "FSUIPC for Programmers") gives them:
    // current visibility in statute miles × 100; outside air temperature in
    // °C × 256, signed; ambient wind speed in knots; ambient wind direction
    // × 360/65536, magnetic for surface winds (the aircraft below the
    // surface wind ceiling) and true for all upper winds; pressure (QNH) in
    // hPa × 16; the surface wind ceiling in metres above sea level.
    static constexpr uint32_t kAmbientVisibility = 0x0E8A;
    static constexpr uint32_t kAmbientTemperature = 0x0E8C;
    static constexpr uint32_t kAmbientWindSpeed = 0x0E90;
    static constexpr uint32_t kAmbientWindDirection = 0x0E92;
    static constexpr uint32_t kAmbientQnh = 0x0EC6;
    static constexpr uint32_t kSurfaceWindCeiling = 0x0EEE;
    // In the GPS area of FSUIPC's offset list: the GPS's estimated time en
    // route to the destination of its flight plan, 4 bytes, unsigned
    // seconds; 0 without a plan.
    static constexpr uint32_t kGpsTimeToDestination = 0x6198;
    static constexpr uint32_t kControl = 0x3110;
    static constexpr uint32_t kControlParameter = 0x3114;
    static constexpr uint32_t kTextSeconds = 0x32FA;
    static constexpr uint32_t kText = 0x3380;
    static constexpr uint32_t kTextSize = 128;
    static constexpr uint32_t kModuleVersion = 0x3304;
    static constexpr uint32_t kSimVersion = 0x3308;
    // Clients announce themselves here, in the upper half of the version
    // word: the year of the protocol they speak.
    static constexpr uint32_t kClientYear = 0x330A;
    static constexpr uint32_t kNwiCommand = 0xC800;
    static constexpr uint32_t kNwiCommandAux = 0xC802;
    static constexpr uint32_t kNwiStation = 0xC808;
    static constexpr uint32_t kNwiDynamics = 0xC80C;
    static constexpr uint32_t kNwiCompletion = 0xC824;
    static constexpr uint32_t kNwiRecordSize = 1024;
};

// NWI command words.
struct NwiCommand {
    static constexpr uint16_t kClear = 3;
    static constexpr uint16_t kInit = 4;
    static constexpr uint16_t kActivate = 0x0100;
    static constexpr uint16_t kRecordPlaced = 0x0101;
};

// Simulator controls sent through the control offset.
struct SimControl {
    static constexpr uint32_t kClockHours = 1124;
    static constexpr uint32_t kClockMinutes = 1125;
};

// Position encodings of the latitude and longitude offsets.
constexpr double kLatitudeUnitsPer90Deg = 10001750.0 * 65536.0 * 65536.0;
constexpr double kLongitudeUnitsPer360Deg = 18446744073709551616.0;  // 2^64

}  // namespace wx
