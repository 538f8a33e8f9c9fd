#include "app/win32/BriefingPainter.h"

#include "app/win32/GdiObjects.h"
#include "app/win32/PainterText.h"

namespace wx {
namespace {

RECT rectOf(const PixelRect& rect) { return {rect.left, rect.top, rect.left + rect.width, rect.top + rect.height}; }

class BriefingPainter {
public:
    BriefingPainter(HDC dc, const BriefingScene& scene) : dc_(dc), scene_(scene) {}

    void paint() {
        const GdiObject<HBRUSH> background(CreateSolidBrush(colourOf(mapColours::kBackground)));
        RECT all{0, 0, scene_.widthPx, scene_.heightPx};
        FillRect(dc_, &all, background.get());
        SetBkMode(dc_, TRANSPARENT);
        if (!scene_.note.empty()) {
            text(scene_.note, mapColours::kText, all, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            return;
        }
        for (const BriefingTick& tick : scene_.ticks) {
            verticalLine(tick.x, scene_.ticksTopPx, scene_.ticksBottomPx, mapColours::kRing, PS_DOT, 1);
        }
        for (const BriefingBox& box : scene_.boxes) {
            periodBox(box);
        }
        for (const BriefingBox& swatch : scene_.swatches) {
            periodBox(swatch);
        }
        if (scene_.arrivalX) {
            verticalLine(*scene_.arrivalX, scene_.arrivalTopPx, scene_.arrivalBottomPx, mapColours::kAircraft, PS_SOLID,
                         2 * scene_.lineWidthPx);
        }
        SetBkMode(dc_, OPAQUE);
        for (const BriefingBox& box : scene_.boxes) {
            boxLabel(box);
        }
        SetBkColor(dc_, colourOf(mapColours::kBackground));
        for (const BriefingLabel& label : scene_.labels) {
            RECT box = rectOf(label.rect);
            const UINT align = label.align == TextAlign::Centre  ? DT_CENTER
                               : label.align == TextAlign::Right ? DT_RIGHT
                                                                 : DT_LEFT;
            text(label.text, label.colour, box,
                 label.wrapped ? DT_WORDBREAK | DT_END_ELLIPSIS | DT_EDITCONTROL
                               : align | DT_SINGLELINE | DT_END_ELLIPSIS);
        }
    }

private:
    // A dotted line is one pixel wide: GDI draws wider ones solid.
    void verticalLine(int x, int top, int bottom, Rgb colour, int style, int widthPx) {
        const GdiObject<HPEN> pen(CreatePen(style, widthPx, colourOf(colour)));
        const Selection selected(dc_, pen.get());
        MoveToEx(dc_, x, top, nullptr);
        LineTo(dc_, x, bottom);
    }

    // A box in its category's colour with a thin dark edge, so that
    // neighbours of one colour stay apart; a change under way is hatched
    // over its colour.
    void periodBox(const BriefingBox& box) {
        RECT rect = rectOf(box.rect);
        const GdiObject<HBRUSH> fill(CreateSolidBrush(colourOf(box.colour)));
        FillRect(dc_, &rect, fill.get());
        if (box.changing) {
            const GdiObject<HBRUSH> hatch(CreateHatchBrush(HS_BDIAGONAL, colourOf(mapColours::kBackground)));
            FillRect(dc_, &rect, hatch.get());
        }
        const GdiObject<HBRUSH> edge(CreateSolidBrush(colourOf(mapColours::kBackground)));
        FrameRect(dc_, &rect, edge.get());
    }

    // A box's name in white on its colour, over the arrival's line, where
    // it fits; none on a change under way.
    void boxLabel(const BriefingBox& box) {
        if (box.changing || textWidth(box.label) + 4 * scene_.lineWidthPx > box.rect.width) {
            return;
        }
        RECT rect = rectOf(box.rect);
        SetBkColor(dc_, colourOf(box.colour));
        text(box.label, {255, 255, 255}, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }

    int textWidth(const std::string& value) const { return textWidthPx(dc_, value); }

    void text(const std::string& value, Rgb colour, RECT& box, UINT format) {
        drawPanelText(dc_, value, colour, box, format);
    }

    HDC dc_;
    const BriefingScene& scene_;
};

}  // namespace

void paintBriefingScene(HDC dc, const BriefingScene& scene, HFONT font) {
    const Selection selectedFont(dc, font != nullptr ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    BriefingPainter(dc, scene).paint();
}

}  // namespace wx
