#include "app/BriefingText.h"

#include <cstdio>
#include <vector>

#include "app/StationCells.h"
#include "app/UiText.h"

namespace wx {
namespace {

using namespace std::chrono;

// Visibilities from this on read "10 km or more", as 9999 does in reports.
constexpr int kTenKmOrMoreM = 9999;
constexpr const char* kEnDash = "\xE2\x80\x93";

std::string joined(const std::vector<std::string>& parts, const char* separator) {
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : separator) + part;
    }
    return text;
}

std::string windWords(Language language, const TafPeriod& period) {
    const bool gusts = period.gustKt.value_or(0) > 0;
    if (!period.windSpeedKt) {
        return "";
    }
    const std::string speed = std::to_string(*period.windSpeedKt);
    std::string wind;
    if (*period.windSpeedKt == 0 && !gusts) {
        return uiText(language, TextId::BriefingCalm);
    }
    if (period.windVariable) {
        wind = uiText(language, TextId::BriefingWindVariable, speed);
    } else if (period.windDirDeg) {
        char direction[8];
        std::snprintf(direction, sizeof direction, "%03d", *period.windDirDeg);
        wind = uiText(language, TextId::BriefingWind, {direction, speed});
    } else {
        return "";
    }
    if (gusts) {
        wind += ", " + uiText(language, TextId::BriefingGusts, std::to_string(*period.gustKt));
    }
    return wind;
}

std::string levelText(int feet) {
    char text[16];
    std::snprintf(text, sizeof text, "FL%03d", feet / 100);
    return text;
}

std::string levelsText(Language language, const BriefingSigmet& sigmet) {
    const std::string base = sigmet.baseFt.value_or(0) > 0 ? levelText(*sigmet.baseFt)
                                                           : uiText(language, TextId::BriefingSurface);
    if (!sigmet.topFt) {
        return uiText(language, TextId::BriefingAndAbove, base);
    }
    return base + kEnDash + levelText(*sigmet.topFt);
}

}  // namespace

std::string utcClockText(UtcMillis time) {
    const hh_mm_ss<milliseconds> clock{time - floor<days>(time)};
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02dZ", static_cast<int>(clock.hours().count()),
                  static_cast<int>(clock.minutes().count()));
    return text;
}

std::string dayTimeGroup(UtcMillis time) {
    const auto day = floor<days>(time);
    const hh_mm_ss<milliseconds> clock{time - day};
    char text[16];
    std::snprintf(text, sizeof text, "%02u%02d%02dZ", static_cast<unsigned>(year_month_day{day}.day()),
                  static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()));
    return text;
}

std::string categoryText(const std::optional<FlightCategory>& category) {
    return category ? flightCategoryName(*category) : "?";
}

std::string arrivalText(Language language, UtcMillis eta) {
    const year_month_day date{floor<days>(eta)};
    char day[16];
    std::snprintf(day, sizeof day, "%04d-%02u-%02u ", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return uiText(language, TextId::BriefingArrival, day + utcClockText(eta));
}

std::string airportName(const BriefingAirport& airport) {
    return stationRoleCell(airport.role) + " " + airport.stationId;
}

std::string reportText(Language language, const BriefingAirport& airport) {
    if (!airport.reportCategory) {
        return uiText(language, TextId::BriefingNoReport);
    }
    const std::string category = flightCategoryName(*airport.reportCategory);
    if (!airport.reportAgeMin) {
        return "METAR " + category;
    }
    return uiText(language, TextId::BriefingReport, {category, std::to_string(*airport.reportAgeMin)});
}

std::string tafText(Language language, const BriefingAirport& airport) {
    return airport.taf ? uiText(language, TextId::BriefingTaf, dayTimeGroup(airport.taf->issued))
                       : uiText(language, TextId::BriefingNoTaf);
}

std::string periodWords(Language language, const TafPeriod& period) {
    std::vector<std::string> parts;
    if (std::string wind = windWords(language, period); !wind.empty()) {
        parts.push_back(std::move(wind));
    }
    if (period.visibilityM) {
        parts.push_back(*period.visibilityM >= kTenKmOrMoreM
                            ? uiText(language, TextId::BriefingVisibilityTenKm)
                            : uiText(language, TextId::BriefingVisibility, std::to_string(*period.visibilityM)));
    }
    if (period.ceilingFt) {
        parts.push_back(uiText(language, TextId::BriefingCeiling, std::to_string(*period.ceilingFt)));
    } else if (period.cloudsGiven) {
        parts.push_back(uiText(language, TextId::BriefingNoCeiling));
    }
    if (!period.weather.empty()) {
        parts.push_back(period.weather);
    }
    return joined(parts, ", ");
}

std::string arrivalForecastText(Language language, const BriefingAirport& airport, UtcMillis eta) {
    const std::string heading = uiText(language, TextId::BriefingAtArrival, utcClockText(eta)) + ": ";
    if (!airport.atEta) {
        return heading + uiText(language, TextId::BriefingNoForecastAtArrival);
    }
    const TafPeriod& prevailing = airport.atEta->prevailing;
    const std::string words = periodWords(language, prevailing);
    std::string text = heading + categoryText(prevailing.category) + (words.empty() ? "" : " \xE2\x80\x94 " + words);
    for (const AlongsidePeriod& beside : airport.atEta->alongside) {
        const std::string besideWords = periodWords(language, beside.period);
        text += "; " + beside.change + " " + categoryText(beside.category) +
                (besideWords.empty() ? "" : ": " + besideWords);
    }
    return text;
}

std::string sigmetText(Language language, const BriefingSigmet& sigmet) {
    std::vector<std::string> legs;
    for (const int leg : sigmet.legs) {
        legs.push_back(std::to_string(leg));
    }
    std::string text = sigmet.hazard + ", " + levelsText(language, sigmet) + ", " +
                       uiText(language, TextId::BriefingLegs, joined(legs, ", ")) + ", " +
                       uiText(language, sigmet.atCruise ? TextId::BriefingAtCruise : TextId::BriefingNotAtCruise);
    return sigmet.id.empty() ? text : text + " (" + sigmet.id + ")";
}

}  // namespace wx
