#pragma once

#include <windows.h>

#include "app/MapScene.h"

namespace wx {

// Draws the scene over the whole of its panel on the device context, with
// that font for its texts.
void paintMapScene(HDC dc, const MapScene& scene, HFONT font);

}  // namespace wx
