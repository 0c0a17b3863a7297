#pragma once
// Drawing helpers shared by the dimensioned sketches.
#include "platform/canvas.h"

namespace velm {

// An arrowhead with its tip at (x, y) pointing along `angle` degrees in the
// picture's own coordinates (0 towards +x, 90 towards -y, 180 towards -x,
// 270 towards +y), in white strokes from the tip. Angles between the eight
// patterns (24.5, say), above 360 or below -114 draw nothing.
void DrawArrowHead(Canvas& picture, float angle, float x, float y);

}  // namespace velm
