#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "airports/AirportDb.h"
#include "airports/Distance.h"
#include "support/ScratchDir.h"

namespace wx {

void PrintTo(const NearbyAirport& a, std::ostream* os) { *os << "{" << a.ident << ", " << a.distanceNm << "}"; }

namespace {

using test::ScratchDir;

constexpr double kDegree = 3.141592653589793 / 180.0;

struct DistanceCase {
    double lat1, lon1, lat2, lon2;
    double expectedNm;
};

class Distance : public testing::TestWithParam<DistanceCase> {};

TEST_P(Distance, IsTheHaversineOnTheNubiroSphere) {
    const DistanceCase& c = GetParam();
    EXPECT_NEAR(distanceNm(c.lat1, c.lon1, c.lat2, c.lon2), c.expectedNm, 1e-9 * std::max(1.0, c.expectedNm));
    EXPECT_NEAR(distanceNm(c.lat2, c.lon2, c.lat1, c.lon1), c.expectedNm, 1e-9 * std::max(1.0, c.expectedNm));
}

INSTANTIATE_TEST_SUITE_P(
    Points, Distance,
    testing::Values(DistanceCase{0, 0, 0, 0, 0.0},
                    DistanceCase{0, 0, 0, 1, 6880.13 * std::asin(std::sin(0.5 * kDegree))},  // about 60.04 nm
                    DistanceCase{0, 0, 1, 0, 6880.13 * std::asin(std::sin(0.5 * kDegree))},
                    DistanceCase{60, 10, 60, 11, 6880.13 * std::asin(std::cos(60 * kDegree) * std::sin(0.5 * kDegree))},
                    DistanceCase{90, 0, -90, 0, 6880.13 * 3.141592653589793 / 2},
                    DistanceCase{0, 179.5, 0, -179.5, 6880.13 * std::asin(std::sin(179.5 * kDegree))},
                    // Heathrow to Frankfurt, about 353.5 nm on this sphere.
                    DistanceCase{51.4706, -0.461941, 50.033333, 8.570556, 353.5419199380222}));

// Four airports one degree from (0, 0), whose distances come out bit for bit
// equal, one at the point itself and one farther out; written in an order
// unlike the result.
const char* const kTiedList =
    "ident,latitude_deg,longitude_deg,name\n"
    "DDDD,-1,0,South\n"
    "FARR,0,2,Far\n"
    "BBBB,0,1,East\n"
    "HERE,0,0,Here\n"
    "CCCC,0,-1,West\n"
    "AAAA,1,0,North\n"
    "NANN,nan,0,Nowhere\n";

class Nearest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(db_.loadFile(scratch_.write("tied.csv", kTiedList))); }

    std::vector<std::string> idents(double lat, double lon, int32_t count, double radiusNm) const {
        std::vector<std::string> out;
        for (const NearbyAirport& a : db_.nearestAirports(lat, lon, count, radiusNm)) {
            out.push_back(a.ident);
        }
        return out;
    }

    ScratchDir scratch_;
    AirportDb db_{nullptr};
};

const double kOneDegreeNm = distanceNm(0, 0, 0, 1);
using Idents = std::vector<std::string>;

TEST_F(Nearest, EqualDistancesComeOutInIdentOrder) {
    ASSERT_EQ(distanceNm(0, 0, 1, 0), kOneDegreeNm);
    ASSERT_EQ(distanceNm(0, 0, -1, 0), kOneDegreeNm);
    ASSERT_EQ(distanceNm(0, 0, 0, -1), kOneDegreeNm);
    EXPECT_EQ(idents(0, 0, 10, 1000), (Idents{"HERE", "AAAA", "BBBB", "CCCC", "DDDD", "FARR"}));
    EXPECT_EQ(idents(0, 0, 3, 1000), (Idents{"HERE", "AAAA", "BBBB"}));
}

TEST_F(Nearest, ResultsCarryDistanceNameAndIdent) {
    const auto result = db_.nearestAirports(0, 0, 2, kOneDegreeNm);
    EXPECT_EQ(result, (std::vector<NearbyAirport>{{0.0, "Here", "HERE"}, {kOneDegreeNm, "North", "AAAA"}}));
}

struct LimitCase {
    const char* name;
    int32_t count;
    double radiusNm;
    Idents expected;
};

void PrintTo(const LimitCase& c, std::ostream* os) { *os << c.name; }

class NearestLimits : public Nearest, public testing::WithParamInterface<LimitCase> {};

TEST_P(NearestLimits, KeepAtMostCountWithinTheRadius) {
    EXPECT_EQ(idents(0, 0, GetParam().count, GetParam().radiusNm), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, NearestLimits,
    testing::Values(LimitCase{"RadiusZeroKeepsOnlyThePointItself", 10, 0.0, {"HERE"}},
                    LimitCase{"RadiusEqualToADistanceKeepsIt", 10, kOneDegreeNm,
                              {"HERE", "AAAA", "BBBB", "CCCC", "DDDD"}},
                    LimitCase{"RadiusJustShortLeavesIt", 10, std::nextafter(kOneDegreeNm, 0.0), {"HERE"}},
                    LimitCase{"CountZero", 0, 1000, {}}, LimitCase{"NegativeCount", -5, 1000, {}},
                    LimitCase{"CountBeyondTheKept", 1000000, 1000, {"HERE", "AAAA", "BBBB", "CCCC", "DDDD", "FARR"}},
                    LimitCase{"NegativeRadius", 10, -1, {}},
                    LimitCase{"NanRadius", 10, std::numeric_limits<double>::quiet_NaN(), {}},
                    LimitCase{"InfiniteRadiusStillSkipsNanDistances", 10, std::numeric_limits<double>::infinity(),
                              {"HERE", "AAAA", "BBBB", "CCCC", "DDDD", "FARR"}}),
    [](const testing::TestParamInfo<LimitCase>& info) { return std::string(info.param.name); });

TEST_F(Nearest, AirportWithoutAPositionIsFoundButNeverNear) {
    ASSERT_TRUE(db_.findAirport("NANN").has_value());
    EXPECT_TRUE(std::isnan(db_.findAirport("nann")->lat));
}

TEST(NearestOrder, DoesNotDependOnTheFileOrder) {
    ScratchDir scratch;
    AirportDb forward(nullptr);
    AirportDb backward(nullptr);
    ASSERT_TRUE(forward.loadFile(
        scratch.write("f.csv", "ident,latitude_deg,longitude_deg\nZZZZ,0,1\nMMMM,1,0\nAAAA,0,-1\nQQQQ,-1,0\n")));
    ASSERT_TRUE(backward.loadFile(
        scratch.write("b.csv", "ident,latitude_deg,longitude_deg\nQQQQ,-1,0\nAAAA,0,-1\nMMMM,1,0\nZZZZ,0,1\n")));
    const auto expected = forward.nearestAirports(0, 0, 4, 100);
    ASSERT_EQ(expected.size(), 4u);
    EXPECT_EQ(expected[0].ident, "AAAA");
    EXPECT_EQ(expected[3].ident, "ZZZZ");
    EXPECT_EQ(backward.nearestAirports(0, 0, 4, 100), expected);
}

TEST(NearestOrder, EmptyDatabaseFindsNothing) {
    const AirportDb db(nullptr);
    EXPECT_TRUE(db.nearestAirports(51, 0, 20, 1e9).empty());
    EXPECT_FALSE(db.findAirport("EGLL").has_value());
}

}  // namespace
}  // namespace wx
