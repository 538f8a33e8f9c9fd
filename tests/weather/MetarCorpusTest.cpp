// Every real report of the corpus decodes without an exception into a record
// whose fields stay inside their documented ranges.

#include <gtest/gtest.h>

#include "support/TestData.h"
#include "weather/Clouds.h"
#include "weather/MetarDecoder.h"

namespace wx {
namespace {

void expectInRange(const WeatherData& w) {
    EXPECT_GE(w.windDirDeg, 0);
    EXPECT_LE(w.windDirDeg, 999);
    EXPECT_GE(w.windSpeedKt, 0);
    EXPECT_LE(w.windSpeedKt, 999);
    EXPECT_GE(w.windGustKt, 0);
    EXPECT_LE(w.windGustKt, 999);
    EXPECT_GE(w.visibilityM, 0);
    EXPECT_GE(w.qnhHpa, 0);
    EXPECT_LE(w.qnhHpa, 9999);
    EXPECT_GE(w.temperatureC, -99.0f);
    EXPECT_LE(w.temperatureC, 99.0f);
    EXPECT_GE(w.dewpointC, -99.0f);
    EXPECT_LE(w.dewpointC, 99.0f);
    EXPECT_GE(w.precipType, 0);
    EXPECT_LE(w.precipType, 2);
    EXPECT_TRUE(w.precipRate == 0 || w.precipRate == 2 || w.precipRate == 3 || w.precipRate == 5);
    EXPECT_EQ(w.precipType == 0, w.precipRate == 0);
    EXPECT_GE(w.turbulence, 0);
    EXPECT_LE(w.turbulence, 4);
    for (const CloudLayer& layer : w.clouds) {
        EXPECT_GE(layer.baseM, 0);
        EXPECT_GE(layer.coverOktas, 0);
        EXPECT_LE(layer.coverOktas, 8);
        EXPECT_GE(layer.icing, 0);
        EXPECT_LE(layer.icing, 4);
    }
}

TEST(MetarCorpus, EveryReportDecodesWithinRanges) {
    const auto lines = test::testDataLines("metar-corpus.txt");
    ASSERT_GT(lines.size(), 6000u);
    size_t withTime = 0;
    for (const std::string& line : lines) {
        SCOPED_TRACE(line);
        for (const bool cavokHaze : {true, false}) {
            std::optional<WeatherData> w;
            ASSERT_NO_THROW(w = decodeMetar("TEST", line, 0, cavokHaze, 12000));
            ASSERT_TRUE(w.has_value());
            expectInRange(*w);
            ASSERT_NO_THROW(finalizeClouds(*w));
            expectInRange(*w);
            for (size_t i = 1; i < w->clouds.size(); ++i) {
                EXPECT_LE(w->clouds[i - 1].baseM, w->clouds[i].baseM);
            }
        }
        std::optional<ObservationTime> time;
        ASSERT_NO_THROW(time = parseObservationTime(line));
        if (time) {
            ++withTime;
            EXPECT_LE(time->hour, 23);
            EXPECT_LE(time->minute, 59);
        }
    }
    EXPECT_GT(withTime, lines.size() * 9 / 10);
}

}  // namespace
}  // namespace wx
