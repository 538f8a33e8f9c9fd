#include <gtest/gtest.h>

#include "app/WindowLayout.h"

namespace wx {
namespace {

TEST(WindowLayout, MarginsLogHeightAndMinimumSizeScaleWithTheDpi) {
    struct Case {
        unsigned dpi;
        PixelSize client;
        PixelRect log;
        PixelRect status;
        PixelRect table;
        PixelSize minimum;
    };
    // The log at (160, 140), the status line 16 pixels high at 96 DPI, the
    // table's top at 300: at 192 DPI the status line pushes the table down.
    const Case cases[] = {
        {96, {1000, 700}, {160, 140, 832, 90}, {160, 234, 832, 16}, {8, 300, 984, 392}, {700, 500}},
        {144, {1500, 1050}, {160, 140, 1328, 135}, {160, 281, 1328, 24}, {12, 311, 1476, 727}, {1050, 750}},
        {192, {2000, 1400}, {160, 140, 1824, 180}, {160, 328, 1824, 32}, {16, 368, 1968, 1016}, {1400, 1000}},
        // smaller than the controls
        {120, {100, 200}, {160, 140, 0, 113}, {160, 258, 0, 20}, {10, 300, 80, 0}, {875, 625}},
    };
    for (const Case& c : cases) {
        const ControlPlacement placement =
            placeControls(c.client, 160, 140, scaleToDpi(16, c.dpi), 300, c.dpi);
        EXPECT_EQ(placement.log, c.log) << c.dpi;
        EXPECT_EQ(placement.status, c.status) << c.dpi;
        EXPECT_EQ(placement.table, c.table) << c.dpi;
        EXPECT_EQ(minimumWindowSize(c.dpi).width, c.minimum.width) << c.dpi;
        EXPECT_EQ(minimumWindowSize(c.dpi).height, c.minimum.height) << c.dpi;
    }
}

}  // namespace
}  // namespace wx
