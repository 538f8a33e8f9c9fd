#include "app/ReadBackStatus.h"

#include "app/UiText.h"

namespace wx {
namespace {

constexpr char kDash[] = " \xE2\x80\x94 ";

struct Field {
    const char* name;
    TextId text;
    int32_t ReadBackValues::*value;
};
// The names compareReadBack gives the values that differ.
constexpr Field kFields[] = {
    {"QNH", TextId::ReadBackQnh, &ReadBackValues::qnhHpa},
    {"wind speed", TextId::ReadBackWindSpeed, &ReadBackValues::windSpeedKt},
    {"wind direction", TextId::ReadBackWindDirection, &ReadBackValues::windDirDeg},
};

std::string differences(Language language, const ReadBack& readBack) {
    std::string list;
    for (const std::string& name : readBack.differing) {
        for (const Field& field : kFields) {
            if (name != field.name) {
                continue;
            }
            if (!list.empty()) {
                list += ", ";
            }
            const std::string shown = std::to_string(readBack.simulator.*field.value);
            const std::string sent = std::to_string(readBack.sent.*field.value);
            list += uiText(language, field.text, {shown, sent});
        }
    }
    return list;
}

}  // namespace

std::string readBackStatus(Language language, const ReadBack& readBack) {
    const ReadBackValues& shown = readBack.simulator;
    std::string status = uiText(language, TextId::ReadBackValues,
                                {std::to_string(shown.windDirDeg), std::to_string(shown.windSpeedKt),
                                 std::to_string(shown.qnhHpa), std::to_string(shown.temperatureC),
                                 std::to_string(shown.visibilityM)});
    status += kDash;
    if (readBack.matches) {
        return status + uiText(language, TextId::ReadBackMatches);
    }
    const std::string differing = differences(language, readBack);
    if (differing.empty()) {
        return status + uiText(language, TextId::ReadBackNearlyMatches);
    }
    return status + uiText(language, TextId::ReadBackDiffers, differing);
}

}  // namespace wx
