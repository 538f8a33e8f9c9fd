#include "weather/WeatherSummary.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <optional>

#include "weather/Clouds.h"

namespace wx {
namespace {

bool isBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

struct Word {
    size_t begin = 0;
    size_t end = 0;
};

std::optional<Word> nextWord(const std::string& text, size_t from) {
    while (from < text.size() && isBlank(text[from])) {
        ++from;
    }
    if (from == text.size()) {
        return std::nullopt;
    }
    size_t end = from;
    while (end < text.size() && !isBlank(text[end])) {
        ++end;
    }
    return Word{from, end};
}

std::string windText(const WeatherData& weather) {
    char gust[16] = "";
    if (weather.windGustKt != 0) {
        std::snprintf(gust, sizeof gust, "G%d", weather.windGustKt);
    }
    char text[64];
    std::snprintf(text, sizeof text, "%02dkt/%03d%s", weather.windSpeedKt, weather.windDirDeg, gust);
    return text;
}

std::string tagPart(const WeatherData& weather) {
    std::string tags;
    const auto add = [&tags](const char* tag) {
        if (!tags.empty()) {
            tags += '+';
        }
        tags += tag;
    };
    if (weather.cavok) add("CAVOK");
    if (weather.synthesized) add("SYNTH");
    if (!weather.sigmets.empty()) add("SIGMET");
    return tags.empty() ? "" : " [" + tags + "]";
}

}  // namespace

std::string reportWithoutStation(const std::string& report) {
    const auto first = nextWord(report, 0);
    const auto second = first ? nextWord(report, first->end) : std::nullopt;
    if (!second) {
        return report;
    }
    const std::string station = report.substr(first->begin, first->end - first->begin);
    const std::string time = report.substr(second->begin, second->end - second->begin);
    const bool stationWord =
        station.size() == 4 && std::all_of(station.begin(), station.end(), [](char c) {
            return std::isalpha(static_cast<unsigned char>(c)) != 0;
        });
    if (!stationWord || time.size() <= 4 || time.back() != 'Z') {
        return report;
    }
    const size_t lineEnd = report.find('\n', second->end);
    return time + report.substr(second->end, lineEnd == std::string::npos ? std::string::npos : lineEnd - second->end);
}

std::string formatWeatherSummary(const WeatherData& weather, bool fullReport, int32_t maxLength,
                                 const std::string& extra) {
    const int32_t ice = highestIcing(weather);
    const int32_t turb = weather.turbulence;
    const bool hazards = ice > 0 || turb > 0;
    const std::string clouds = std::to_string(weather.clouds.size());

    std::string text = weather.stationId + tagPart(weather) + "\n";
    if (fullReport && !weather.rawMetar.empty()) {
        text += reportWithoutStation(weather.rawMetar) + "\n";
        text += "WIND " + windText(weather) + " QNH " + std::to_string(weather.qnhHpa) + " VIS " +
                std::to_string(weather.visibilityM) + " CLD " + clouds;
        if (hazards) {
            text += " ICE " + std::to_string(ice) + " TURB " + std::to_string(turb);
        }
    } else {
        text += "WIND " + windText(weather) + "  QNH " + std::to_string(weather.qnhHpa) + "\n";
        text += "VIS " + std::to_string(weather.visibilityM) + "m  CLD " + clouds;
        if (hazards) {
            text += "\nICE " + std::to_string(ice) + "  TURB " + std::to_string(turb);
        }
    }
    if (!extra.empty()) {
        text += "\n" + extra;
    }
    const size_t limit = static_cast<size_t>(std::max<int32_t>(maxLength, 0));
    if (text.size() > limit) {
        text.resize(limit);
    }
    return text;
}

}  // namespace wx
