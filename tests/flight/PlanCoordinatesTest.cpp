#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "flight/PlanCoordinates.h"

namespace wx {
namespace {

struct AngleCase {
    const char* text;
    Axis axis;
    std::optional<double> degrees;
    const char* reasonPart;  // when degrees is empty
};

class ParseAngle : public testing::TestWithParam<AngleCase> {};

TEST_P(ParseAngle, ReadsTheCoordinateOrSaysWhy) {
    const AngleCase& c = GetParam();
    const AngleResult result = parseAngle(c.text, c.axis);
    if (c.degrees) {
        ASSERT_TRUE(result.degrees) << result.reason;
        EXPECT_NEAR(*result.degrees, *c.degrees, 1e-9);
    } else {
        EXPECT_FALSE(result.degrees);
        EXPECT_NE(result.reason.find(c.reasonPart), std::string::npos) << result.reason;
    }
}

constexpr Axis kLat = Axis::Latitude;
constexpr Axis kLon = Axis::Longitude;

INSTANTIATE_TEST_SUITE_P(
    Readable, ParseAngle,
    testing::Values(AngleCase{"N51* 28.65'", kLat, 51 + 28.65 / 60, ""},
                    AngleCase{"W0* 27.68'", kLon, -(27.68 / 60), ""},
                    AngleCase{"E001* 17.07'", kLon, 1 + 17.07 / 60, ""},
                    AngleCase{"S22* 45.12'", kLat, -(22 + 45.12 / 60), ""},
                    AngleCase{"N53\xC2\xB0 53' 55.87\"", kLat, 53 + 53 / 60.0 + 55.87 / 3600, ""},
                    AngleCase{"W166\xC2\xB0 32' 40.78\"", kLon, -(166 + 32 / 60.0 + 40.78 / 3600), ""},
                    AngleCase{"E6\xC2\xB0 5' 32.33\"", kLon, 6 + 5 / 60.0 + 32.33 / 3600, ""},
                    // The degree sign of the Windows code page, of the DOS code page, and UTF-8 encoded twice.
                    AngleCase{"N47\xB0 27' 20.92\"", kLat, 47 + 27 / 60.0 + 20.92 / 3600, ""},
                    AngleCase{"N47\xF8 27' 20.92\"", kLat, 47 + 27 / 60.0 + 20.92 / 3600, ""},
                    AngleCase{"N47\xC3\x82\xC2\xB0 27' 20.92\"", kLat, 47 + 27 / 60.0 + 20.92 / 3600, ""},
                    AngleCase{"  n51 *28.65 '  ", kLat, 51 + 28.65 / 60, ""},
                    AngleCase{"S90* 0.00'", kLat, -90.0, ""},
                    AngleCase{"E180\xC2\xB0 0' 0.00\"", kLon, 180.0, ""},
                    AngleCase{"N45\xC2\xB0 55' 50\"", kLat, 45 + 55 / 60.0 + 50 / 3600.0, ""}));

INSTANTIATE_TEST_SUITE_P(
    Refused, ParseAngle,
    testing::Values(AngleCase{"N91* 0.00'", kLat, std::nullopt, "out of range"},
                    AngleCase{"N90* 0.01'", kLat, std::nullopt, "out of range"},
                    AngleCase{"E180* 0.01'", kLon, std::nullopt, "out of range"},
                    AngleCase{"N51* 60.00'", kLat, std::nullopt, "out of range"},
                    AngleCase{"N51\xC2\xB0 30' 60.00\"", kLat, std::nullopt, "out of range"},
                    AngleCase{"E51* 28.65'", kLat, std::nullopt, "does not start with N or S"},
                    AngleCase{"N1* 28.65'", kLon, std::nullopt, "does not start with E or W"},
                    AngleCase{"N51 28.65'", kLat, std::nullopt, "no degree sign"},
                    AngleCase{"N51\xC2\xB0\xC2\xB0\xC2\xB0 28.65'", kLat, std::nullopt, "no degree sign"},
                    AngleCase{"N* 28.65'", kLat, std::nullopt, "no whole degrees"},
                    AngleCase{"N51.5* 0.00'", kLat, std::nullopt, "no whole degrees"},
                    AngleCase{"N51*", kLat, std::nullopt, "no minutes"},
                    AngleCase{"N51* 28.65' x", kLat, std::nullopt, "after the minutes"},
                    AngleCase{"N51\xC2\xB0 28' 1.5\" 2", kLat, std::nullopt, "after the seconds"},
                    AngleCase{"", kLat, std::nullopt, "missing latitude"}));

TEST(ParseAltitude, ReadsSignedDecimalFeetOnly) {
    EXPECT_EQ(parseAltitudeFt("+000083.00"), 83.0);
    EXPECT_EQ(parseAltitudeFt(" -12.5 "), -12.5);
    EXPECT_EQ(parseAltitudeFt("1500"), 1500.0);
    for (const char* refused : {"", "+", "12ft", "1e5", "--1", ".5"}) {
        EXPECT_FALSE(parseAltitudeFt(refused)) << refused;
    }
}

TEST(ParsePosition, ReadsLatitudeLongitudeAndOptionalAltitude) {
    const PositionResult full = parsePosition("N53\xC2\xB0 53' 55.87\",W166\xC2\xB0 32' 40.78\",+000775.50");
    ASSERT_TRUE(full.position) << full.reason;
    EXPECT_NEAR(full.position->latDeg, 53.898853, 1e-6);
    EXPECT_NEAR(full.position->lonDeg, -166.544661, 1e-6);
    EXPECT_EQ(full.position->altitudeFt, 775.5);

    const PositionResult twoFields = parsePosition(" N1* 0.00', E2* 30.00' ");
    ASSERT_TRUE(twoFields.position) << twoFields.reason;
    EXPECT_EQ(twoFields.position->altitudeFt, 0.0);
    EXPECT_EQ(twoFields.position->lonDeg, 2.5);

    EXPECT_NE(parsePosition("N1* 0.00'").reason.find("is not latitude, longitude, altitude"), std::string::npos);
    EXPECT_NE(parsePosition("N1* 0.00', E1* 0.00', +0, 4").reason.find("is not latitude"), std::string::npos);
    EXPECT_NE(parsePosition("N1* 0.00', E1* 0.00', high").reason.find("altitude \"high\""), std::string::npos);
    EXPECT_NE(parsePosition("N1* 0.00', E190* 0.00'").reason.find("out of range"), std::string::npos);
}

}  // namespace
}  // namespace wx
