#include <gtest/gtest.h>

#include "weather/MetarDecoder.h"

namespace wx {
namespace {

WeatherData decode(const std::string& raw, bool cavokHaze = true) {
    return *decodeMetar("TEST", raw, 0, cavokHaze, 12000);
}

struct SurfaceCase {
    const char* raw;
    int32_t windDirDeg;
    int32_t windSpeedKt;
    int32_t windGustKt;
    int32_t visibilityM;
    int32_t qnhHpa;
    float temperatureC;
    float dewpointC;
    int32_t turbulence;
};

class SurfaceGroups : public testing::TestWithParam<SurfaceCase> {};

TEST_P(SurfaceGroups, DecodeAsReported) {
    const SurfaceCase& c = GetParam();
    const WeatherData w = decode(c.raw);
    EXPECT_EQ(w.windDirDeg, c.windDirDeg);
    EXPECT_EQ(w.windSpeedKt, c.windSpeedKt);
    EXPECT_EQ(w.windGustKt, c.windGustKt);
    EXPECT_EQ(w.visibilityM, c.visibilityM);
    EXPECT_EQ(w.qnhHpa, c.qnhHpa);
    EXPECT_FLOAT_EQ(w.temperatureC, c.temperatureC);
    EXPECT_FLOAT_EQ(w.dewpointC, c.dewpointC);
    EXPECT_EQ(w.turbulence, c.turbulence);
}

INSTANTIATE_TEST_SUITE_P(
    Reports, SurfaceGroups,
    testing::Values(
        SurfaceCase{"EGLL 121250Z 27015G28KT 9999 FEW035 BKN250 15/09 Q1013", 270, 15, 28, 9999, 1013, 15, 9, 3},
        SurfaceCase{"LFPG 121250Z VRB03KT 0800 FG 05/05 Q1020", 0, 3, 0, 800, 1020, 5, 5, 0},
        SurfaceCase{"KJFK 121251Z 18010KT 10SM CLR 22/14 A2992", 180, 10, 0, 16093, 1013, 22, 14, 0},
        SurfaceCase{"KBOS 121251Z 18010KT 3SM BR 02/01 A3000", 180, 10, 0, 4828, 1016, 2, 1, 0},
        // Metres per second and kilometres per hour become whole knots, gusts too.
        SurfaceCase{"UUEE 121230Z 36005MPS 9999 M05/M10 Q1030", 360, 10, 0, 9999, 1030, -5, -10, 0},
        SurfaceCase{"UNNT 121230Z 27008G15MPS 9999 15/10 Q1010", 270, 16, 29, 9999, 1010, 15, 10, 3},
        SurfaceCase{"ZBAA 121230Z VRB02MPS 9999 15/10 Q1010", 0, 4, 0, 9999, 1010, 15, 10, 0},
        SurfaceCase{"ZXXX 121230Z 18036KMH 9999 15/10 Q1010", 180, 19, 0, 9999, 1010, 15, 10, 0},
        // Both pressure groups: the inch value wins.
        SurfaceCase{"XXXX 121250Z 00000KT 9999 10/05 Q0990 A2992", 0, 0, 0, 9999, 1013, 10, 5, 0},
        // Gust spreads at the turbulence steps: 3 is none, 4 light, 8 moderate, 12 severe.
        SurfaceCase{"AAAA 121250Z 09010G13KT 15/10", 90, 10, 13, 9999, 1013, 15, 10, 0},
        SurfaceCase{"AAAA 121250Z 09010G14KT 15/10", 90, 10, 14, 9999, 1013, 15, 10, 1},
        SurfaceCase{"AAAA 121250Z 09010G18KT 15/10", 90, 10, 18, 9999, 1013, 15, 10, 2},
        SurfaceCase{"AAAA 121250Z 090100G112KT 15/10", 90, 100, 112, 9999, 1013, 15, 10, 3},
        // Statute-mile fractions are read whole.
        SurfaceCase{"KSFO 121256Z 28005KT 1/2SM FG 12/12 A2992", 280, 5, 0, 804, 1013, 12, 12, 0},
        SurfaceCase{"KSFO 121256Z 28005KT 1 1/2SM BR 12/12 A2992", 280, 5, 0, 2414, 1013, 12, 12, 0},
        SurfaceCase{"KSFO 121256Z 28005KT M1/4SM FG 12/12 A2992", 280, 5, 0, 402, 1013, 12, 12, 0},
        SurfaceCase{"KSFO 121256Z 28005KT 2 1/4SM BR 12/12 A2992", 280, 5, 0, 3621, 1013, 12, 12, 0},
        SurfaceCase{"KSFO 121256Z 28005KT 1/16SM FG 12/12 A2992", 280, 5, 0, 100, 1013, 12, 12, 0},
        SurfaceCase{"KSFO 121256Z 28005KT P6SM 12/12 A2992", 280, 5, 0, 9656, 1013, 12, 12, 0},
        // The first standalone four-digit group is the metric visibility.
        SurfaceCase{"EDDM 121250Z 24008KT 1200 R26/0600 BR 03/02 Q1015", 240, 8, 0, 1200, 1015, 3, 2, 0},
        // A group too long for a 32-bit number, or a zero denominator, counts as absent.
        SurfaceCase{"KXXX 121256Z 28005KT 99999999999SM 12/12 A2992", 280, 5, 0, 9999, 1013, 12, 12, 0},
        SurfaceCase{"KXXX 121256Z 28005KT 1/0SM 12/12 A2992", 280, 5, 0, 9999, 1013, 12, 12, 0},
        SurfaceCase{"KXXX 121256Z 28005KT 9999999SM 12/12 A2992", 280, 5, 0, 9999, 1013, 12, 12, 0},
        // Nothing recognisable: the defaults.
        SurfaceCase{"no groups at all", 0, 0, 0, 9999, 1013, 15, 10, 0}));

// A corrupt report from the network may hold an endless digit run; the
// search must stay linear and must not exhaust the stack.
TEST(MetarDecoder, HugeDigitRunsAreNoVisibilityGroup) {
    const std::string digits(200000, '7');
    const std::string reports[] = {
        "KXXX 121256Z 28005KT " + digits + "SM 12/12 A2992",
        "KXXX 121256Z 28005KT 1/" + digits + "SM 12/12 A2992",
        "KXXX 121256Z 28005KT " + digits + " 12/12 A2992",
    };
    for (const std::string& raw : reports) {
        const WeatherData w = decode(raw);
        EXPECT_EQ(w.windDirDeg, 280);
        EXPECT_EQ(w.visibilityM, 9999);
        EXPECT_EQ(w.qnhHpa, 1013);
        EXPECT_FLOAT_EQ(w.temperatureC, 12);
    }
}

TEST(MetarDecoder, CopiesIdentityAndReportAndLeavesModelFieldsEmpty) {
    const auto w = decodeMetar("eddf", "EDDF 121250Z 27008KT CAVOK 15/09 Q1013", 111, false, 12000);
    ASSERT_TRUE(w.has_value());
    EXPECT_EQ(w->stationId, "eddf");
    EXPECT_EQ(w->elevationM, 111);
    EXPECT_EQ(w->rawMetar, "EDDF 121250Z 27008KT CAVOK 15/09 Q1013");
    EXPECT_FALSE(w->synthesized);
    EXPECT_TRUE(w->upperAir.empty());
    EXPECT_TRUE(w->sigmets.empty());
}

TEST(MetarDecoder, CloudGroupsBecomeLayersInTextOrder) {
    const WeatherData w = decode("KXXX 121250Z 00000KT 10SM FEW035 SCT008TCU BKN250 OVC100CB VV002 15/10 A2992");
    const std::vector<CloudLayer> expected = {
        {1066, 2, "", 0, 0, "METAR", 0, false}, {243, 4, "TCU", 0, 0, "METAR", 0, false},
        {7620, 6, "", 0, 0, "METAR", 0, false}, {3048, 8, "CB", 0, 0, "METAR", 0, false},
        {60, 0, "", 0, 0, "METAR", 0, false},
    };
    EXPECT_EQ(w.clouds, expected);
}

TEST(MetarDecoder, CavokWithHazeSettingReplacesVisibilityCloudsAndWeather) {
    const std::string raw = "EDDF 121250Z 27008KT 4000 CAVOK FEW020 15/09 Q1013 RMK RA";
    const WeatherData haze = decode(raw, true);
    EXPECT_TRUE(haze.cavok);
    EXPECT_EQ(haze.visibilityM, 12000);
    EXPECT_TRUE(haze.clouds.empty());
    EXPECT_EQ(haze.precipType, 0);

    const WeatherData plain = decode(raw, false);
    EXPECT_TRUE(plain.cavok);
    EXPECT_EQ(plain.visibilityM, 4000);
    EXPECT_EQ(plain.clouds.size(), 1u);
    EXPECT_EQ(plain.precipType, 1);
}

struct PrecipCase {
    const char* raw;
    int32_t type;
    int32_t rate;
};

class WeatherGroups : public testing::TestWithParam<PrecipCase> {};

TEST_P(WeatherGroups, ClassifyThroughTheTokenTable) {
    const WeatherData w = decode(GetParam().raw);
    EXPECT_EQ(w.precipType, GetParam().type) << GetParam().raw;
    EXPECT_EQ(w.precipRate, GetParam().rate) << GetParam().raw;
}

INSTANTIATE_TEST_SUITE_P(Reports, WeatherGroups,
                         testing::Values(PrecipCase{"AAAA 121250Z 9999 -RA 10/08", 1, 2},
                                         PrecipCase{"AAAA 121250Z 9999 -SHRA 10/08", 1, 3},
                                         PrecipCase{"AAAA 121250Z 9999 +SN M02/M03", 2, 5},
                                         PrecipCase{"AAAA 121250Z 9999 FZRA M02/M03", 1, 3},
                                         PrecipCase{"AAAA 121250Z 9999 PL M02/M03", 2, 3},
                                         PrecipCase{"AAAA 121250Z 9999 +TSRA 20/18", 1, 3},
                                         PrecipCase{"AAAA 121250Z 9999 DZ 10/09", 1, 3},
                                         PrecipCase{"AAAA 121250Z 9999 10/09 RMK RAB15", 1, 3},
                                         PrecipCase{"AAAA 121250Z 9999 BR 10/09", 0, 0}));

struct TokenCase {
    const char* tokens;
    int32_t type;
    int32_t rate;
};

class PrecipitationClasses : public testing::TestWithParam<TokenCase> {};

TEST_P(PrecipitationClasses, HighestPriorityEarliestWins) {
    const auto [type, rate] = classifyPrecipitation(GetParam().tokens);
    EXPECT_EQ(type, GetParam().type) << GetParam().tokens;
    EXPECT_EQ(rate, GetParam().rate) << GetParam().tokens;
}

INSTANTIATE_TEST_SUITE_P(Tokens, PrecipitationClasses,
                         testing::Values(TokenCase{"", 0, 0}, TokenCase{"VCSH VCTS", 0, 0},
                                         TokenCase{"-RA RA ", 1, 2}, TokenCase{"RA -SN", 2, 2},
                                         TokenCase{"+TSSN RA", 2, 5}, TokenCase{"SHSN FZDZ", 1, 3},
                                         TokenCase{"SG", 2, 3}, TokenCase{"GR +RA", 2, 3},
                                         TokenCase{"BR HZ", 0, 0}, TokenCase{"DZ -DZ", 1, 3}));

struct TimeCase {
    const char* raw;
    bool present;
    int32_t hour;
    int32_t minute;
};

class ObservationTimes : public testing::TestWithParam<TimeCase> {};

TEST_P(ObservationTimes, ReadHourAndMinute) {
    const auto time = parseObservationTime(GetParam().raw);
    ASSERT_EQ(time.has_value(), GetParam().present) << GetParam().raw;
    if (time) {
        EXPECT_EQ(*time, (ObservationTime{GetParam().hour, GetParam().minute}));
    }
}

INSTANTIATE_TEST_SUITE_P(Reports, ObservationTimes,
                         testing::Values(TimeCase{"EGLL 121250Z 27015KT", true, 12, 50},
                                         TimeCase{"METAR EGLL 010000Z 27015KT", true, 0, 0},
                                         TimeCase{"EGLL 121260Z 27015KT", false, 0, 0},
                                         TimeCase{"EGLL 122450Z 27015KT", false, 0, 0},
                                         TimeCase{"EGLL 27015KT 9999", false, 0, 0},
                                         TimeCase{"EGLL 1121250Z 27015KT", false, 0, 0}));

}  // namespace
}  // namespace wx
