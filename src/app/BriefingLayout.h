#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/UiLanguage.h"
#include "app/WeatherColours.h"
#include "app/WindowLayout.h"
#include "briefing/Briefing.h"

namespace wx {

// The briefing's time axis: from one time to a later one across the pixels
// from left to right.
struct TimeAxis {
    UtcMillis from{};
    UtcMillis to{};
    int leftPx = 0;
    int rightPx = 0;

    bool contains(UtcMillis time) const { return time >= from && time <= to; }
    // Where a time lies, held to the axis' ends.
    int xOf(UtcMillis time) const;
};

// The axis over the shown forecasts: from the earliest start of validity
// to the latest end among the airports' TAFs; nothing without a TAF.
std::optional<TimeAxis> forecastAxis(const Briefing& briefing, int leftPx, int rightPx);

// A forecast period's box on the axis, in its category's colour (grey when
// the category cannot be told), named by its category, or by its change
// and category in the thinner band of TEMPO and PROB periods. A BECMG's
// change, from its start until the change is complete, is a box of its own
// marked as changing.
struct BriefingBox {
    PixelRect rect;
    Rgb colour;
    std::string label;
    bool changing = false;
};

enum class TextAlign { Left, Centre, Right };

// A text at its place: in one line, set as told within its rectangle, or
// wrapped within it.
struct BriefingLabel {
    std::string text;
    PixelRect rect;
    Rgb colour = mapColours::kText;
    TextAlign align = TextAlign::Left;
    bool wrapped = false;
};

// An hour on the axis, marked along the whole height of the forecasts.
struct BriefingTick {
    int x = 0;
    std::string label;
};

// Everything the briefing panel shows, in pixels of a panel of that size
// at that DPI, drawn in this order: the ticks' lines, the boxes, the
// arrival's line, the texts on the panel's colour (so that no line runs
// through them). A row per airport: its name, its report (after a swatch
// of its category's colour) and its TAF in a column at the left; its TAF's
// boxes on the axis to the right, the
// TEMPO and PROB periods in lanes of a thinner band below them; below
// those, the forecast at arrival in words. Then the SIGMETs across the
// route, a line each. Without a briefing only the note.
struct BriefingScene {
    int widthPx = 0;
    int heightPx = 0;
    int lineWidthPx = 1;
    std::vector<BriefingTick> ticks;
    int ticksTopPx = 0;
    int ticksBottomPx = 0;
    std::vector<BriefingBox> boxes;
    std::vector<BriefingBox> swatches;  // the reports' categories
    std::optional<int> arrivalX;        // empty when the arrival lies off the axis
    int arrivalTopPx = 0;
    int arrivalBottomPx = 0;
    std::vector<BriefingLabel> labels;
    std::string note;
};

// The scene of the last briefing (none yet, or no plan: the note that a
// plan is needed), for texts whose lines are lineHeightPx high.
BriefingScene buildBriefingScene(const std::optional<Briefing>& briefing, int widthPx, int heightPx, int lineHeightPx,
                                 unsigned dpi, Language language);

}  // namespace wx
