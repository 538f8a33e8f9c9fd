#include <gtest/gtest.h>

#include "weather/FlightCategory.h"
#include "weather/MetarDecoder.h"

namespace wx {
namespace {

struct CategoryCase {
    const char* report;  // clouds and visibility as a METAR gives them
    FlightCategory expected;
};

class FlightCategoryOfReport : public testing::TestWithParam<CategoryCase> {};

// Each boundary from both sides, through the decoder, so that the record's
// whole metres are those a real report gives.
TEST_P(FlightCategoryOfReport, AtEveryBoundary) {
    const CategoryCase& c = GetParam();
    const auto weather = decodeMetar("KXYZ", std::string("KXYZ 121250Z 27010KT ") + c.report + " 15/10 Q1013", 0,
                                     false, 9999);
    ASSERT_TRUE(weather.has_value());
    EXPECT_EQ(flightCategoryName(flightCategory(*weather)), flightCategoryName(c.expected)) << c.report;
}

INSTANTIATE_TEST_SUITE_P(
    Reports, FlightCategoryOfReport,
    testing::Values(CategoryCase{"9999 FEW005 SCT008", FlightCategory::Vfr},  // no layer of 5 oktas or more
                    CategoryCase{"9999 BKN004", FlightCategory::Lifr}, CategoryCase{"9999 BKN005", FlightCategory::Ifr},
                    CategoryCase{"9999 OVC009", FlightCategory::Ifr}, CategoryCase{"9999 BKN010", FlightCategory::Mvfr},
                    CategoryCase{"9999 BKN030", FlightCategory::Mvfr}, CategoryCase{"9999 BKN031", FlightCategory::Vfr},
                    CategoryCase{"1600", FlightCategory::Lifr}, CategoryCase{"1SM", FlightCategory::Ifr},
                    CategoryCase{"4800", FlightCategory::Ifr}, CategoryCase{"3SM", FlightCategory::Mvfr},
                    CategoryCase{"5SM", FlightCategory::Mvfr}, CategoryCase{"8100", FlightCategory::Vfr},
                    CategoryCase{"9999 BKN040 OVC004", FlightCategory::Lifr},  // the lowest layer counts
                    CategoryCase{"1200 BKN020", FlightCategory::Lifr}));       // the worse of the two

}  // namespace
}  // namespace wx
