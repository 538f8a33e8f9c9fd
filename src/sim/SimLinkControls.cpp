// The simulator link's position, magnetic variation, clock and text operations.

#include <algorithm>
#include <chrono>

#include "sim/FormatText.h"
#include "sim/LittleEndian.h"
#include "sim/SimLink.h"
#include "sim/SimOffsets.h"

namespace wx {
namespace {

constexpr int64_t kMinutesPerDay = 1440;
constexpr int64_t kHalfDayMinutes = 720;
constexpr size_t kMaxTextBytes = 127;
constexpr std::chrono::milliseconds kAfterHourPause{100};
constexpr std::chrono::milliseconds kAfterMinutePause{300};
constexpr double kKnotsPerMetrePerSecond = 3600.0 / 1852.0;

// The simulator's local-to-UTC offset in minutes, brought into -720..720.
int64_t localOffsetMinutes(int64_t localMinutes, int64_t utcMinutes) {
    int64_t offset = localMinutes - utcMinutes;
    if (offset > kHalfDayMinutes) {
        offset -= (offset + kHalfDayMinutes - 1) / kMinutesPerDay * kMinutesPerDay;
    }
    if (offset < -kHalfDayMinutes) {
        offset += (kHalfDayMinutes - 1 - offset) / kMinutesPerDay * kMinutesPerDay;
    }
    return offset;
}

}  // namespace

std::optional<SimPosition> SimLink::readPosition() {
    uint8_t latitude[8] = {};
    uint8_t longitude[8] = {};
    uint8_t groundSpeed[4] = {};
    uint8_t timeToDestination[4] = {};
    if (!client_.read(SimOffsets::kLatitude, 8, latitude) || !client_.read(SimOffsets::kLongitude, 8, longitude) ||
        !client_.read(SimOffsets::kGroundSpeed, 4, groundSpeed) ||
        !client_.read(SimOffsets::kGpsTimeToDestination, 4, timeToDestination) || !process()) {
        return std::nullopt;
    }
    SimPosition position;
    position.groundSpeedKt = static_cast<int32_t>(loadLe32(groundSpeed)) / 65536.0 * kKnotsPerMetrePerSecond;
    position.gpsTimeToDestinationSec = loadLe32(timeToDestination);
    const auto latitudeWord = static_cast<int64_t>(loadLe64(latitude));
    const auto longitudeWord = static_cast<int64_t>(loadLe64(longitude));
    position.latitudeDeg = static_cast<double>(latitudeWord) * 90.0 / kLatitudeUnitsPer90Deg;
    position.longitudeDeg = static_cast<double>(longitudeWord) * 360.0 / kLongitudeUnitsPer360Deg;
    if (position.latitudeDeg < -90.0 || position.latitudeDeg > 90.0 || position.longitudeDeg < -180.0 ||
        position.longitudeDeg > 180.0) {
        return std::nullopt;
    }
    return position;
}

double SimLink::readMagneticVariation() {
    uint8_t variation[2] = {};
    if (!client_.read(SimOffsets::kMagneticVariation, 2, variation) || !process()) {
        return 0.0;
    }
    return static_cast<int16_t>(loadLe16(variation)) * 360.0 / 65536.0;
}

std::optional<AmbientWeather> SimLink::readAmbient() {
    uint8_t visibility[2] = {};
    uint8_t temperature[2] = {};
    uint8_t windSpeed[2] = {};
    uint8_t windDirection[2] = {};
    uint8_t qnh[2] = {};
    uint8_t altitude[4] = {};
    uint8_t ceiling[2] = {};
    if (!client_.read(SimOffsets::kAmbientVisibility, 2, visibility) ||
        !client_.read(SimOffsets::kAmbientTemperature, 2, temperature) ||
        !client_.read(SimOffsets::kAmbientWindSpeed, 2, windSpeed) ||
        !client_.read(SimOffsets::kAmbientWindDirection, 2, windDirection) ||
        !client_.read(SimOffsets::kAmbientQnh, 2, qnh) || !client_.read(SimOffsets::kAltitudeMetres, 4, altitude) ||
        !client_.read(SimOffsets::kSurfaceWindCeiling, 2, ceiling) || !process()) {
        return std::nullopt;
    }
    AmbientWords words;
    words.visibilityHundredthsMile = loadLe16(visibility);
    words.temperature256 = static_cast<int16_t>(loadLe16(temperature));
    words.windSpeedKt = loadLe16(windSpeed);
    words.windDirection = loadLe16(windDirection);
    words.qnh16 = loadLe16(qnh);
    words.altitudeM = static_cast<int32_t>(loadLe32(altitude));
    words.surfaceWindCeilingM = static_cast<int16_t>(loadLe16(ceiling));
    return ambientFromWords(words);
}

// The simulator's local-to-UTC offset, read from its two clocks.
std::optional<int64_t> SimLink::readLocalOffsetMinutes() {
    uint8_t localHour = 0;
    uint8_t localMinute = 0;
    uint8_t utcHour = 0;
    uint8_t utcMinute = 0;
    if (!client_.read(SimOffsets::kLocalHour, 1, &localHour) ||
        !client_.read(SimOffsets::kLocalMinute, 1, &localMinute) || !client_.read(SimOffsets::kUtcHour, 1, &utcHour) ||
        !client_.read(SimOffsets::kUtcMinute, 1, &utcMinute) || !process()) {
        return std::nullopt;
    }
    return localOffsetMinutes(localHour * 60 + localMinute, utcHour * 60 + utcMinute);
}

// The hour, then the minute, each followed by the pause the simulator
// needs before the next control.
void SimLink::setClock(int64_t localMinutes) {
    sendControl(SimControl::kClockHours, static_cast<uint32_t>(localMinutes / 60));
    clock_->sleepFor(kAfterHourPause);
    sendControl(SimControl::kClockMinutes, static_cast<uint32_t>(localMinutes % 60));
    clock_->sleepFor(kAfterMinutePause);
}

bool SimLink::syncTime(int32_t hourUtc, int32_t minuteUtc) {
    const std::optional<int64_t> offset = readLocalOffsetMinutes();
    if (!offset) {
        return false;
    }
    const int64_t target =
        ((static_cast<int64_t>(hourUtc) * 60 + minuteUtc + *offset) % kMinutesPerDay + kMinutesPerDay) %
        kMinutesPerDay;
    logLine(log_,
            formatText("Time sync: offset %+d min, Zulu %02d:%02d \xE2\x86\x92 Local %02d:%02d",
                       static_cast<int>(*offset), hourUtc, minuteUtc, static_cast<int>(target / 60),
                       static_cast<int>(target % 60)),
            "INFO");
    setClock(target);
    return true;
}

bool SimLink::syncDateTime(UtcMillis timeUtc) {
    using namespace std::chrono;
    const std::optional<int64_t> offset = readLocalOffsetMinutes();
    if (!offset) {
        return false;
    }
    const auto utcMinute = floor<minutes>(timeUtc);
    const auto local = utcMinute + minutes{*offset};
    const sys_days localDay = floor<days>(local);
    const year_month_day localDate{localDay};
    const auto dayOfYear = static_cast<uint16_t>((localDay - sys_days{localDate.year() / January / 1}).count() + 1);
    const auto year = static_cast<uint16_t>(static_cast<int>(localDate.year()));
    const int64_t localMinutes = (local - localDay).count();
    const int64_t utcMinutes = (utcMinute - floor<days>(utcMinute)).count();
    logLine(log_,
            formatText("Time sync: offset %+d min, Zulu %s %02d:%02d \xE2\x86\x92 Local day %d of %d, %02d:%02d",
                       static_cast<int>(*offset), formatUtcTime(timeUtc).substr(0, 10).c_str(),
                       static_cast<int>(utcMinutes / 60), static_cast<int>(utcMinutes % 60),
                       static_cast<int>(dayOfYear), static_cast<int>(year), static_cast<int>(localMinutes / 60),
                       static_cast<int>(localMinutes % 60)),
            "INFO");
    uint8_t date[4];
    storeLe16(date, dayOfYear);
    storeLe16(date + 2, year);
    client_.write(SimOffsets::kDayOfYear, 2, date);
    client_.write(SimOffsets::kYear, 2, date + 2);
    if (!process()) {
        return false;
    }
    setClock(localMinutes);
    return true;
}

// The simulator carries out a control as soon as its number is written,
// with whatever parameter is there then; so the number and its parameter
// go in one write.
void SimLink::sendControl(uint32_t control, uint32_t parameter) {
    uint8_t words[8];
    storeLe32(words, control);
    storeLe32(words + 4, parameter);
    client_.write(SimOffsets::kControl, sizeof words, words);
    process();
}

bool SimLink::showText(const std::string& text, int32_t seconds) {
    uint8_t buffer[SimOffsets::kTextSize] = {};
    std::copy_n(text.begin(), std::min(text.size(), kMaxTextBytes), buffer);
    for (uint32_t at = 0; at < SimOffsets::kTextSize; at += 4) {
        client_.write(SimOffsets::kText + at, 4, buffer + at);
    }
    uint8_t time[2];
    storeLe16(time, static_cast<uint16_t>(seconds & 0x7FFF));
    client_.write(SimOffsets::kTextSeconds, 2, time);
    return process();
}

}  // namespace wx
