#include "app/win32/MapPainter.h"

#include <cmath>
#include <vector>

#include "app/win32/GdiObjects.h"
#include "app/win32/PainterText.h"

namespace wx {
namespace {

// Outlines of SIGMET areas are this many lines wide.
constexpr int kAreaLineWidths = 2;

int px(double value) { return static_cast<int>(std::lround(value)); }

std::vector<POINT> points(const std::vector<MapPoint>& corners) {
    std::vector<POINT> out;
    for (const MapPoint& corner : corners) {
        out.push_back({px(corner.x), px(corner.y)});
    }
    return out;
}

class MapPainter {
public:
    MapPainter(HDC dc, const MapScene& scene) : dc_(dc), scene_(scene), line_(std::max(1, px(scene.lineWidthPx))) {}

    void paint() {
        const GdiObject<HBRUSH> background(CreateSolidBrush(colourOf(mapColours::kBackground)));
        const RECT all{0, 0, scene_.widthPx, scene_.heightPx};
        FillRect(dc_, &all, background.get());
        SetBkMode(dc_, TRANSPARENT);
        rings();
        for (const SceneArea& area : scene_.areas) {
            sigmetArea(area);
        }
        route();
        for (const SceneStation& station : scene_.stations) {
            stationMark(station);
        }
        if (!scene_.aircraft.empty()) {
            filledShape(scene_.aircraft, mapColours::kAircraft, mapColours::kBackground);
        }
        planAirportLabels();
        legend();
        if (!scene_.note.empty()) {
            RECT box = all;
            text(scene_.note, mapColours::kText, box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
    }

private:
    void rings() {
        const GdiObject<HPEN> pen(CreatePen(PS_SOLID, line_, colourOf(mapColours::kRing)));
        const Selection selectedPen(dc_, pen.get());
        const Selection noFill(dc_, GetStockObject(NULL_BRUSH));
        for (const RangeRing& ring : scene_.rings) {
            Ellipse(dc_, px(scene_.centre.x - ring.radiusPx), px(scene_.centre.y - ring.radiusPx),
                    px(scene_.centre.x + ring.radiusPx) + 1, px(scene_.centre.y + ring.radiusPx) + 1);
            // The label where the ring crosses north-east.
            const double diagonal = ring.radiusPx * std::sqrt(0.5);
            RECT box{px(scene_.centre.x + diagonal) + 2 * line_, 0, scene_.widthPx, px(scene_.centre.y - diagonal)};
            text(ring.label, mapColours::kRing, box, DT_LEFT | DT_BOTTOM | DT_SINGLELINE);
        }
    }

    void sigmetArea(const SceneArea& area) {
        const GdiObject<HPEN> pen(CreatePen(PS_SOLID, kAreaLineWidths * line_, colourOf(area.colour)));
        const Selection selectedPen(dc_, pen.get());
        const Selection noFill(dc_, GetStockObject(NULL_BRUSH));
        for (const std::vector<MapPoint>& outline : area.outlines) {
            const std::vector<POINT> corners = points(outline);
            Polygon(dc_, corners.data(), static_cast<int>(corners.size()));
        }
        RECT box{px(area.tagAt.x) - scene_.widthPx, px(area.tagAt.y) - scene_.heightPx,
                 px(area.tagAt.x) + scene_.widthPx, px(area.tagAt.y) + scene_.heightPx};
        text(area.tag, area.colour, box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }

    // The legs in a thin line, under the stations.
    void route() {
        const GdiObject<HPEN> pen(CreatePen(PS_SOLID, line_, colourOf(mapColours::kRoute)));
        const Selection selectedPen(dc_, pen.get());
        for (const std::vector<MapPoint>& leg : scene_.routeLegs) {
            const std::vector<POINT> corners = points(leg);
            Polyline(dc_, corners.data(), static_cast<int>(corners.size()));
        }
    }

    // The plan's airports named centred below them, over the stations and
    // the aircraft so that the departure's name stays readable.
    void planAirportLabels() {
        for (const SceneLabel& label : scene_.planAirports) {
            RECT box{px(label.at.x) - scene_.widthPx, px(label.at.y), px(label.at.x) + scene_.widthPx,
                     scene_.heightPx};
            text(label.text, mapColours::kRoute, box, DT_CENTER | DT_TOP | DT_SINGLELINE);
        }
    }

    void stationMark(const SceneStation& station) {
        {
            const GdiObject<HPEN> pen(CreatePen(PS_SOLID, line_, colourOf(mapColours::kText)));
            const GdiObject<HBRUSH> fill(CreateSolidBrush(colourOf(mapColours::kText)));
            const Selection selectedPen(dc_, pen.get());
            const Selection selectedFill(dc_, fill.get());
            for (const Segment& stroke : station.barb.lines) {
                MoveToEx(dc_, px(stroke.from.x), px(stroke.from.y), nullptr);
                LineTo(dc_, px(stroke.to.x), px(stroke.to.y));
            }
            for (const auto& pennant : station.barb.pennants) {
                const std::vector<POINT> corners = points({pennant.begin(), pennant.end()});
                Polygon(dc_, corners.data(), static_cast<int>(corners.size()));
            }
            if (station.barb.calm) {
                const double r = station.barb.calmRadiusPx + 2 * line_;
                const Selection noFill(dc_, GetStockObject(NULL_BRUSH));
                Ellipse(dc_, px(station.at.x - r), px(station.at.y - r), px(station.at.x + r) + 1,
                        px(station.at.y + r) + 1);
            }
        }
        const double r = scene_.dotRadiusPx;
        {
            const GdiObject<HPEN> outline(CreatePen(PS_SOLID, line_, colourOf(mapColours::kText)));
            const GdiObject<HBRUSH> fill(CreateSolidBrush(colourOf(station.colour)));
            const Selection selectedPen(dc_, outline.get());
            const Selection selectedFill(dc_, fill.get());
            Ellipse(dc_, px(station.at.x - r), px(station.at.y - r), px(station.at.x + r) + 1,
                    px(station.at.y + r) + 1);
        }
        RECT box{px(station.at.x + r) + 3 * line_, px(station.at.y) - scene_.heightPx, scene_.widthPx,
                 px(station.at.y) + scene_.heightPx};
        text(station.stationId, mapColours::kText, box, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }

    void filledShape(const std::vector<MapPoint>& outline, Rgb fillColour, Rgb edgeColour) {
        const GdiObject<HPEN> pen(CreatePen(PS_SOLID, line_, colourOf(edgeColour)));
        const GdiObject<HBRUSH> fill(CreateSolidBrush(colourOf(fillColour)));
        const Selection selectedPen(dc_, pen.get());
        const Selection selectedFill(dc_, fill.get());
        const std::vector<POINT> corners = points(outline);
        Polygon(dc_, corners.data(), static_cast<int>(corners.size()));
    }

    // The category colours in a row at the bottom left, each a square
    // swatch and its name.
    void legend() {
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc_, &metrics);
        const int height = metrics.tmHeight;
        int x = 4 * line_;
        const int bottom = scene_.heightPx - 4 * line_;
        for (const LegendEntry& entry : scene_.legend) {
            const GdiObject<HBRUSH> fill(CreateSolidBrush(colourOf(entry.colour)));
            const int swatch = height * 2 / 3;
            const RECT square{x, bottom - (height + swatch) / 2, x + swatch, bottom - (height - swatch) / 2};
            FillRect(dc_, &square, fill.get());
            RECT box{x + swatch + 2 * line_, bottom - height, scene_.widthPx, bottom};
            x = box.left + textWidth(entry.name) + 8 * line_;
            text(entry.name, mapColours::kText, box, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        }
    }

    int textWidth(const std::string& value) const { return textWidthPx(dc_, value); }

    void text(const std::string& value, Rgb colour, RECT& box, UINT format) {
        drawPanelText(dc_, value, colour, box, format);
    }

    HDC dc_;
    const MapScene& scene_;
    int line_;
};

}  // namespace

void paintMapScene(HDC dc, const MapScene& scene, HFONT font) {
    const Selection selectedFont(dc, font != nullptr ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    MapPainter(dc, scene).paint();
}

}  // namespace wx
