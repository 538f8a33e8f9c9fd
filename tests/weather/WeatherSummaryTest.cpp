#include <gtest/gtest.h>

#include "weather/WeatherSummary.h"

namespace wx {
namespace {

WeatherData eddf() {
    WeatherData w;
    w.stationId = "EDDF";
    w.windDirDeg = 270;
    w.windSpeedKt = 8;
    w.qnhHpa = 1013;
    w.visibilityM = 9999;
    w.clouds = {CloudLayer{}, CloudLayer{}};
    return w;
}

TEST(WeatherSummary, ShortLayout) {
    EXPECT_EQ(formatWeatherSummary(eddf(), false, 127, ""), "EDDF\nWIND 08kt/270  QNH 1013\nVIS 9999m  CLD 2");
}

TEST(WeatherSummary, TagsGustHazardsAndExtraLine) {
    WeatherData w = eddf();
    w.cavok = true;
    w.synthesized = true;
    w.sigmets = {"TS"};
    w.windSpeedKt = 15;
    w.windGustKt = 28;
    w.windDirDeg = 5;
    w.turbulence = 0;
    w.clouds = {CloudLayer{9000, 2, "CI", 0, 1, "METAR", 0, false}};
    EXPECT_EQ(formatWeatherSummary(w, false, 127, "SIGMET: TS"),
              "EDDF [CAVOK+SYNTH+SIGMET]\nWIND 15kt/005G28  QNH 1013\nVIS 9999m  CLD 1\nICE 1  TURB 0\nSIGMET: TS");
}

TEST(WeatherSummary, FullLayoutDropsTheStationWord) {
    WeatherData w = eddf();
    w.rawMetar = "EDDF 121250Z 27008KT CAVOK 15/09 Q1013";
    w.turbulence = 2;
    EXPECT_EQ(formatWeatherSummary(w, true, 127, ""),
              "EDDF\n121250Z 27008KT CAVOK 15/09 Q1013\nWIND 08kt/270 QNH 1013 VIS 9999 CLD 2 ICE 0 TURB 2");
}

TEST(WeatherSummary, FullLayoutWithoutReportFallsBackToShort) {
    EXPECT_EQ(formatWeatherSummary(eddf(), true, 127, ""), formatWeatherSummary(eddf(), false, 127, ""));
}

TEST(WeatherSummary, CutsToTheMaximumLength) {
    const std::string text = formatWeatherSummary(eddf(), false, 127, std::string(140, 'x'));
    EXPECT_EQ(text.size(), 127u);
    EXPECT_EQ(formatWeatherSummary(eddf(), false, 4, ""), "EDDF");
    EXPECT_EQ(formatWeatherSummary(eddf(), false, -1, ""), "");
}

struct StationWordCase {
    const char* report;
    const char* expected;
};

class StationWord : public testing::TestWithParam<StationWordCase> {};

TEST_P(StationWord, IsRemovedOnlyBeforeATimeGroup) {
    EXPECT_EQ(reportWithoutStation(GetParam().report), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Reports, StationWord,
    testing::Values(StationWordCase{"EDDF 121250Z 27008KT CAVOK", "121250Z 27008KT CAVOK"},
                    StationWordCase{"METAR EDDF 121250Z 27008KT", "METAR EDDF 121250Z 27008KT"},
                    StationWordCase{"EDDF 121250Z 27008KT\nTEMPO 4000", "121250Z 27008KT"},
                    StationWordCase{"EDDF", "EDDF"},
                    StationWordCase{"KS85 121250Z 27008KT", "KS85 121250Z 27008KT"},
                    StationWordCase{"EDDF 250Z 27008KT", "EDDF 250Z 27008KT"},
                    StationWordCase{"EDDF NIL", "EDDF NIL"}));

}  // namespace
}  // namespace wx
