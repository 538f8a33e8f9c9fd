#include <gtest/gtest.h>

#include "app/WindowLayout.h"

namespace wx {
namespace {

TEST(WindowLayout, MarginsLogHeightAndMinimumSizeScaleWithTheDpi) {
    struct Case {
        unsigned dpi;
        PixelSize client;
        PixelRect log;
        PixelRect table;
        PixelSize minimum;
    };
    // The log at (160, 140), the table's top at 300.
    const Case cases[] = {
        {96, {1000, 700}, {160, 140, 832, 90}, {8, 300, 984, 392}, {700, 500}},
        {144, {1500, 1050}, {160, 140, 1328, 135}, {12, 300, 1476, 738}, {1050, 750}},
        {192, {2000, 1400}, {160, 140, 1824, 180}, {16, 300, 1968, 1084}, {1400, 1000}},
        {120, {100, 200}, {160, 140, 0, 113}, {10, 300, 80, 0}, {875, 625}},  // smaller than the controls
    };
    for (const Case& c : cases) {
        const ControlPlacement placement = placeControls(c.client, 160, 140, 300, c.dpi);
        EXPECT_EQ(placement.log, c.log) << c.dpi;
        EXPECT_EQ(placement.table, c.table) << c.dpi;
        EXPECT_EQ(minimumWindowSize(c.dpi).width, c.minimum.width) << c.dpi;
        EXPECT_EQ(minimumWindowSize(c.dpi).height, c.minimum.height) << c.dpi;
    }
}

}  // namespace
}  // namespace wx
