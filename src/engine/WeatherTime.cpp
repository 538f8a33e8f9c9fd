#include "engine/WeatherTime.h"

#include "flight/PlanText.h"
#include "sources/PastReach.h"

namespace wx {
namespace {

using namespace std::chrono;

bool isNow(std::string_view text) {
    return text.empty() || text == kWeatherTimeNowRussian || lowerAscii(text) == "now";
}

// "2022-10-23 14:50", the window's form, is the ISO form with a blank for
// the "T" and no zone.
std::optional<UtcMillis> readTime(std::string_view text) {
    if (text.size() == 16 && text[10] == ' ') {
        std::string iso(text);
        iso[10] = 'T';
        return parseUtcTime(iso + "Z");
    }
    return parseUtcTime(text);
}

std::string rangeText(system_clock::time_point present) {
    return "from " + weatherTimeText(earliestWeatherTime()) + " to " +
           weatherTimeText(time_point_cast<milliseconds>(present));
}

}  // namespace

UtcMillis earliestWeatherTime() { return UtcMillis{kMetarArchiveStart}; }

std::optional<UtcMillis> readWeatherTime(std::string_view text) {
    const std::string_view typed = trimmed(text);
    return isNow(typed) ? std::nullopt : readTime(typed);
}

WeatherTimeChoice chooseWeatherTime(std::string_view text, system_clock::time_point present) {
    const std::string_view typed = trimmed(text);
    if (isNow(typed)) {
        return {};
    }
    const std::optional<UtcMillis> time = readTime(typed);
    if (!time) {
        return {WeatherTimeVerdict::Unreadable, std::nullopt};
    }
    if (*time > present) {
        return {WeatherTimeVerdict::Future, time};
    }
    if (*time < earliestWeatherTime()) {
        return {WeatherTimeVerdict::BeforeArchive, time};
    }
    return {WeatherTimeVerdict::Past, time};
}

std::string weatherTimeField(UtcMillis time) { return formatUtcTime(time).replace(10, 1, " ").substr(0, 16); }

std::string weatherTimeText(UtcMillis time) { return weatherTimeField(time) + "Z"; }

std::string weatherTimeRefusal(const WeatherTimeChoice& choice, std::string_view typed,
                               system_clock::time_point present) {
    switch (choice.verdict) {
    case WeatherTimeVerdict::Unreadable:
        return "Weather time \"" + std::string(trimmed(typed)) +
               "\" is no UTC time such as 2022-10-23T14:50Z or 2022-10-23 14:50: the weather can be flown " +
               rangeText(present);
    case WeatherTimeVerdict::Future:
        return "Weather time " + weatherTimeText(*choice.time) + " is in the future: the weather can be flown " +
               rangeText(present);
    case WeatherTimeVerdict::BeforeArchive:
        return "Weather time " + weatherTimeText(*choice.time) +
               " is older than the METAR archive: the weather can be flown " + rangeText(present);
    default:
        return {};
    }
}

}  // namespace wx
