#include "app/BriefingLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/BriefingText.h"
#include "app/UiText.h"

namespace wx {
namespace {

using namespace std::chrono;

// Lengths at 96 DPI.
constexpr int kMarginPx = 8;
constexpr int kColumnPx = 180;  // the airports' names, reports and TAFs
constexpr int kColumnGapPx = 10;
constexpr int kMinTickGapPx = 56;  // hour labels never come closer
constexpr int kBandGapPx = 2;
// The hours between two ticks: the first of these that keeps them apart.
constexpr int kTickHours[] = {1, 2, 3, 6, 12, 24};
// A period whose category cannot be told.
constexpr Rgb kUnknownCategory{110, 118, 128};

bool isMainLine(const TafPeriod& period) {
    return period.change == "BASE" || period.change == "FM" || period.change == "BECMG";
}

// A main-line period ends where the next one begins: some answers give the
// base period the whole validity, with the groups after it laid over it.
UtcMillis mainLineEnd(const Taf& taf, size_t index) {
    const TafPeriod& period = taf.periods[index];
    for (size_t next = index + 1; next < taf.periods.size(); ++next) {
        const TafPeriod& later = taf.periods[next];
        if (isMainLine(later) && later.from > period.from) {
            return std::min(later.from, period.to);
        }
    }
    return period.to;
}

Rgb colourOf(const std::optional<FlightCategory>& category) {
    return category ? categoryColour(*category) : kUnknownCategory;
}

std::string tickLabel(UtcMillis time) {
    const auto day = floor<days>(time);
    const auto hour = static_cast<int>(duration_cast<hours>(time - day).count());
    char text[16];
    if (hour == 0) {
        std::snprintf(text, sizeof text, "%02u/00Z", static_cast<unsigned>(year_month_day{day}.day()));
    } else {
        std::snprintf(text, sizeof text, "%02dZ", hour);
    }
    return text;
}

class SceneBuilder {
public:
    SceneBuilder(const Briefing& briefing, int widthPx, int heightPx, int lineHeightPx, unsigned dpi, Language language)
        : briefing_(briefing),
          language_(language),
          line_(std::max(1, lineHeightPx)),
          margin_(scaleToDpi(kMarginPx, dpi)),
          column_(scaleToDpi(kColumnPx, dpi)),
          minTickGap_(scaleToDpi(kMinTickGapPx, dpi)),
          bandGap_(scaleToDpi(kBandGapPx, dpi)) {
        scene_.widthPx = widthPx;
        scene_.heightPx = heightPx;
        scene_.lineWidthPx = std::max(1, scaleToDpi(1, dpi));
        axisLeft_ = margin_ + column_ + scaleToDpi(kColumnGapPx, dpi);
        axis_ = forecastAxis(briefing, axisLeft_, std::max(axisLeft_, widthPx - margin_));
    }

    BriefingScene build() {
        int y = margin_;
        label(arrivalText(language_, briefing_.eta), {margin_, y, column_, line_});
        if (axis_ && axis_->contains(briefing_.eta)) {
            arrivalLabel(axis_->xOf(briefing_.eta), y);
        }
        scene_.arrivalTopPx = y;
        y += line_;
        if (axis_) {
            ticks(y);
            y += line_;
        }
        scene_.ticksTopPx = y;
        for (const BriefingAirport& airport : briefing_.airports) {
            y = airportRow(airport, y + line_ / 2);
        }
        scene_.ticksBottomPx = y;
        scene_.arrivalBottomPx = y;
        sigmets(y + line_);
        return std::move(scene_);
    }

private:
    void label(std::string text, PixelRect rect, Rgb colour = mapColours::kText, TextAlign align = TextAlign::Left,
               bool wrapped = false) {
        scene_.labels.push_back({std::move(text), rect, colour, align, wrapped});
    }

    // The arrival's time beside its line: to the right of it, or to the
    // left where the axis ends close after it.
    void arrivalLabel(int x, int y) {
        scene_.arrivalX = x;
        const int room = minTickGap_ * 2;
        const int gap = 3 * scene_.lineWidthPx;
        if (x + room > axis_->rightPx) {
            label(utcClockText(briefing_.eta), {x - gap - room, y, room, line_}, mapColours::kAircraft,
                  TextAlign::Right);
        } else {
            label(utcClockText(briefing_.eta), {x + gap, y, room, line_}, mapColours::kAircraft);
        }
    }

    // Whole hours of the step that keeps their labels apart, each label
    // centred in the room between its neighbours; none when even a day
    // apart they would come too close (an axis of many days, or a panel
    // too narrow).
    void ticks(int y) {
        const double spanHours = duration<double, std::ratio<3600>>(axis_->to - axis_->from).count();
        const double pxPerHour = (axis_->rightPx - axis_->leftPx) / spanHours;
        const auto fitting = std::find_if(std::begin(kTickHours), std::end(kTickHours),
                                          [&](int hoursApart) { return hoursApart * pxPerHour >= minTickGap_; });
        if (fitting == std::end(kTickHours)) {
            return;
        }
        const int step = *fitting;
        const hours stepHours{step};
        const auto first = ceil<hours>(axis_->from);
        const auto startHour = duration_cast<hours>(first.time_since_epoch()).count();
        UtcMillis tick = first + hours{(step - startHour % step) % step};
        const int room = static_cast<int>(std::lround(step * pxPerHour));
        for (; tick <= axis_->to; tick += stepHours) {
            const int x = axis_->xOf(tick);
            scene_.ticks.push_back({x, tickLabel(tick)});
            // A label that would reach past the panel ends at its edge.
            if (x + room / 2 > scene_.widthPx - scene_.lineWidthPx) {
                const int right = scene_.widthPx - scene_.lineWidthPx;
                label(tickLabel(tick), {right - room, y, room, line_}, mapColours::kRing, TextAlign::Right);
            } else {
                label(tickLabel(tick), {x - room / 2, y, room, line_}, mapColours::kRing, TextAlign::Centre);
            }
        }
    }

    int airportRow(const BriefingAirport& airport, int y) {
        label(airportName(airport), {margin_, y, column_, line_});
        int reportLeft = margin_;
        if (airport.reportCategory) {
            const int side = line_ * 2 / 3;
            const PixelRect square{margin_, y + line_ + (line_ - side) / 2, side, side};
            scene_.swatches.push_back({square, categoryColour(*airport.reportCategory), "", false});
            reportLeft += side + side / 2;
        }
        label(reportText(language_, airport), {reportLeft, y + line_, column_ - (reportLeft - margin_), line_});
        label(tafText(language_, airport), {margin_, y + 2 * line_, column_, line_});
        int bottom = y + 3 * line_;
        if (airport.taf && axis_) {
            const int bandsBottom = periodBoxes(*airport.taf, y);
            const int wordsTop = bandsBottom + bandGap_;
            label(arrivalForecastText(language_, airport, briefing_.eta),
                  {axis_->leftPx, wordsTop, axis_->rightPx - axis_->leftPx, 2 * line_}, mapColours::kText,
                  TextAlign::Left, true);
            bottom = std::max(bottom, wordsTop + 2 * line_);
        }
        return bottom;
    }

    // The main line's boxes in a strip, the TEMPO and PROB periods below it
    // in as many lanes as their overlaps need; where the band ends.
    int periodBoxes(const Taf& taf, int top) {
        const int mainHeight = line_ * 3 / 2;
        const int laneHeight = line_ + 2 * scene_.lineWidthPx;
        std::vector<UtcMillis> laneEnds;
        for (size_t i = 0; i < taf.periods.size(); ++i) {
            const TafPeriod& period = taf.periods[i];
            if (isMainLine(period)) {
                const UtcMillis end = mainLineEnd(taf, i);
                const UtcMillis settled = std::clamp(period.becomingEnd.value_or(period.from), period.from, end);
                box(period.from, settled, top, mainHeight, period.category, categoryText(period.category), true);
                box(settled, end, top, mainHeight, period.category, categoryText(period.category), false);
                continue;
            }
            size_t lane = 0;
            while (lane < laneEnds.size() && laneEnds[lane] > period.from) {
                ++lane;
            }
            if (lane == laneEnds.size()) {
                laneEnds.push_back(period.to);
            }
            laneEnds[lane] = period.to;
            const int laneTop = top + mainHeight + bandGap_ + static_cast<int>(lane) * (laneHeight + bandGap_);
            box(period.from, period.to, laneTop, laneHeight, period.category,
                period.change + " " + categoryText(period.category), false);
        }
        return top + mainHeight + static_cast<int>(laneEnds.size()) * (laneHeight + bandGap_);
    }

    // A box on the axis between two times, clipped to it; none when
    // nothing of it lies on the axis.
    void box(UtcMillis from, UtcMillis to, int top, int height, const std::optional<FlightCategory>& category,
             std::string text, bool changing) {
        if (to <= from || to <= axis_->from || from >= axis_->to) {
            return;
        }
        const int left = axis_->xOf(from);
        const int right = axis_->xOf(to);
        if (right <= left) {
            return;
        }
        scene_.boxes.push_back({{left, top, right - left, height}, colourOf(category), std::move(text), changing});
    }

    void sigmets(int y) {
        label(uiText(language_, briefing_.sigmets.empty() ? TextId::BriefingNoSigmets : TextId::BriefingSigmets),
              {margin_, y, scene_.widthPx - 2 * margin_, line_});
        for (const BriefingSigmet& sigmet : briefing_.sigmets) {
            y += line_;
            label(sigmetText(language_, sigmet), {2 * margin_, y, scene_.widthPx - 3 * margin_, line_});
        }
    }

    const Briefing& briefing_;
    Language language_;
    int line_;
    int margin_;
    int column_;
    int minTickGap_;
    int bandGap_;
    int axisLeft_ = 0;
    std::optional<TimeAxis> axis_;
    BriefingScene scene_;
};

}  // namespace

int TimeAxis::xOf(UtcMillis time) const {
    if (to <= from) {
        return leftPx;
    }
    const double share = duration<double>(std::clamp(time, from, to) - from) / duration<double>(to - from);
    return leftPx + static_cast<int>(std::lround(share * (rightPx - leftPx)));
}

std::optional<TimeAxis> forecastAxis(const Briefing& briefing, int leftPx, int rightPx) {
    std::optional<TimeAxis> axis;
    for (const BriefingAirport& airport : briefing.airports) {
        if (!airport.taf || airport.taf->validTo <= airport.taf->validFrom) {
            continue;
        }
        if (!axis) {
            axis = TimeAxis{airport.taf->validFrom, airport.taf->validTo, leftPx, rightPx};
        }
        axis->from = std::min(axis->from, airport.taf->validFrom);
        axis->to = std::max(axis->to, airport.taf->validTo);
    }
    return axis;
}

BriefingScene buildBriefingScene(const std::optional<Briefing>& briefing, int widthPx, int heightPx, int lineHeightPx,
                                 unsigned dpi, Language language) {
    if (!briefing) {
        BriefingScene scene;
        scene.widthPx = widthPx;
        scene.heightPx = heightPx;
        scene.note = uiText(language, TextId::BriefingNeedsPlan);
        return scene;
    }
    return SceneBuilder(*briefing, widthPx, heightPx, lineHeightPx, dpi, language).build();
}

}  // namespace wx
