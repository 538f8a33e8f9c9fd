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
        PixelRect tabs;
        PixelRect view;
        PixelSize minimum;
    };
    // The log at (160, 140), the status line 16 pixels high at 96 DPI, the
    // tabs' top at 300 and 20 pixels high: at 192 DPI the status line pushes
    // the tabs down.
    const Case cases[] = {
        {96, {1000, 700}, {160, 140, 832, 90}, {160, 234, 832, 16}, {8, 300, 984, 20}, {8, 320, 984, 372}, {700, 500}},
        {144, {1500, 1050}, {160, 140, 1328, 135}, {160, 281, 1328, 24}, {12, 311, 1476, 30}, {12, 341, 1476, 697},
         {1050, 750}},
        {192, {2000, 1400}, {160, 140, 1824, 180}, {160, 328, 1824, 32}, {16, 368, 1968, 40}, {16, 408, 1968, 976},
         {1400, 1000}},
        // smaller than the controls
        {120, {100, 200}, {160, 140, 0, 113}, {160, 258, 0, 20}, {10, 300, 80, 25}, {10, 325, 80, 0}, {875, 625}},
    };
    for (const Case& c : cases) {
        const ControlPlacement placement =
            placeControls(c.client, 160, 140, scaleToDpi(16, c.dpi), 300, scaleToDpi(20, c.dpi), c.dpi);
        EXPECT_EQ(placement.log, c.log) << c.dpi;
        EXPECT_EQ(placement.status, c.status) << c.dpi;
        EXPECT_EQ(placement.tabs, c.tabs) << c.dpi;
        EXPECT_EQ(placement.view, c.view) << c.dpi;
        EXPECT_EQ(minimumWindowSize(c.dpi).width, c.minimum.width) << c.dpi;
        EXPECT_EQ(minimumWindowSize(c.dpi).height, c.minimum.height) << c.dpi;
    }
}

}  // namespace
}  // namespace wx
