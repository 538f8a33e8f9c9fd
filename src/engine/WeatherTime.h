#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "weather/UtcTime.h"

namespace wx {

// What a typed weather time comes to, against the present.
enum class WeatherTimeVerdict {
    Now,            // nothing typed, "Now" or "Сейчас": the weather of now
    Past,           // a time the services can give
    Unreadable,     // no UTC time of a form below
    Future,         // after the present
    BeforeArchive,  // before the METAR archive begins
};

struct WeatherTimeChoice {
    WeatherTimeVerdict verdict = WeatherTimeVerdict::Now;
    std::optional<UtcMillis> time;  // the time read, for every verdict but Now and Unreadable

    bool operator==(const WeatherTimeChoice&) const = default;
};

// The window's first entry of the field and its Russian twin.
inline constexpr const char* kWeatherTimeNow = "Now";
inline constexpr const char* kWeatherTimeNowRussian = "\xD0\xA1\xD0\xB5\xD0\xB9\xD1\x87\xD0\xB0\xD1\x81";

// The time a weather time's text names; nothing for now and for text that
// names no time. The forms are chooseWeatherTime's.
std::optional<UtcMillis> readWeatherTime(std::string_view text);

// Reads a weather time: a UTC time as parseUtcTime takes it
// ("2022-10-23T14:50Z", seconds optional) or as the window shows it
// ("2022-10-23 14:50"), blanks around it ignored; then checks it against
// `present`, the time the services live in.
WeatherTimeChoice chooseWeatherTime(std::string_view text, std::chrono::system_clock::time_point present);

// The oldest weather time the sources can give.
UtcMillis earliestWeatherTime();

// "2022-10-23 14:50Z": a weather time in log lines and refusals.
std::string weatherTimeText(UtcMillis time);
// "2022-10-23 14:50": a weather time as the window's field shows it.
std::string weatherTimeField(UtcMillis time);

// The one line that says why a time is refused and which times can be
// flown; empty for Now and Past.
std::string weatherTimeRefusal(const WeatherTimeChoice& choice, std::string_view typed,
                               std::chrono::system_clock::time_point present);

}  // namespace wx
