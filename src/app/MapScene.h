#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "app/MapGeometry.h"
#include "app/UiLanguage.h"
#include "app/WeatherColours.h"
#include "engine/CycleOverview.h"

namespace wx {

// A station as the map draws it: a dot in its category's colour, its id
// beside it, its wind barb, and the text shown while the pointer rests on
// it (its report, or "model weather").
struct SceneStation {
    std::string stationId;
    MapPoint at;
    Rgb colour;
    WindBarb barb;
    std::string tooltip;
};

// A SIGMET reaching into the map: its outlines in its hazard's colour and
// its tag, placed inside the panel.
struct SceneArea {
    std::vector<std::vector<MapPoint>> outlines;
    Rgb colour;
    std::string tag;
    MapPoint tagAt;
};

// A name the map writes at a place: a flight plan's airport as "DEST EGBB".
struct SceneLabel {
    std::string text;
    MapPoint at;
};

struct LegendEntry {
    std::string name;
    Rgb colour;
};

// Everything the map panel shows, in pixels of a panel of that size at
// that DPI, drawn in this order: range rings, SIGMET areas, the flight
// plan's legs (each a polyline along its great circle) and its airports'
// names below their places, stations, the aircraft, the legend, and a note
// when there is nothing to show.
struct MapScene {
    int widthPx = 0;
    int heightPx = 0;
    double lineWidthPx = 1.0;
    double dotRadiusPx = 0.0;
    MapPoint centre;
    std::vector<RangeRing> rings;
    std::vector<SceneArea> areas;
    std::vector<std::vector<MapPoint>> routeLegs;
    std::vector<SceneLabel> planAirports;
    std::vector<SceneStation> stations;
    std::vector<MapPoint> aircraft;  // the plane's outline; empty without a position
    std::vector<LegendEntry> legend;
    std::string note;
};

// The map's zoom steps: 1 shows the station radius, each step in halves it.
inline constexpr int kMapZoomSteps = 4;

// The scene of the last cycle's overview (none before the first cycle),
// centred on the aircraft, or on the first station when the simulator
// gave no position; the radius shown is the station radius halved
// `zoomStep` times.
MapScene buildMapScene(const std::optional<CycleOverview>& overview, int widthPx, int heightPx, unsigned dpi,
                       Language language, int zoomStep = 0);

// The station whose dot lies nearest the pointer, if the pointer is on it
// or within a few pixels of it.
std::optional<size_t> stationAt(const MapScene& scene, MapPoint pointer);

}  // namespace wx
