#include <gtest/gtest.h>

#include "app/ReadBackStatus.h"

namespace wx {
namespace {

ReadBack readBack(ReadBackValues simulator, bool matches, std::vector<std::string> differing) {
    ReadBack result;
    result.stationId = "EGLL";
    result.simulator = simulator;
    result.sent = {221, 6, 1019, 15, 9999};
    result.matches = matches;
    result.differing = std::move(differing);
    return result;
}

TEST(ReadBackStatus, ShowsTheSimulatorsWeatherAndTheVerdict) {
    struct Case {
        Language language;
        ReadBack readBack;
        const char* expected;
    };
    const Case cases[] = {
        {Language::English, readBack({221, 6, 1019, 15, 9994}, true, {}),
         "Simulator: wind 221°/6 kt, QNH 1019, OAT 15 °C, vis 9994 m — matches"},
        {Language::English, readBack({221, 6, 1018, 15, 9994}, false, {}),
         "Simulator: wind 221°/6 kt, QNH 1018, OAT 15 °C, vis 9994 m — nearly matches"},
        {Language::English, readBack({221, 6, 990, 15, 9994}, false, {"QNH"}),
         "Simulator: wind 221°/6 kt, QNH 990, OAT 15 °C, vis 9994 m — differs: QNH 990 (sent 1019)"},
        {Language::Russian, readBack({300, 25, 1019, -2, 800}, false, {"wind speed", "wind direction"}),
         "Симулятор: ветер 300°/25 уз, QNH 1019, OAT -2 °C, вид. 800 м — расходится: скорость ветра 25 уз "
         "(отправлено 6), направление ветра 300° (отправлено 221°)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(readBackStatus(c.language, c.readBack), c.expected);
    }
}

}  // namespace
}  // namespace wx
