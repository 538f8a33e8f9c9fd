#pragma once

#include <windows.h>

#include "app/BriefingLayout.h"

namespace wx {

// Draws the scene over the whole of its panel on the device context, with
// that font for its texts.
void paintBriefingScene(HDC dc, const BriefingScene& scene, HFONT font);

}  // namespace wx
