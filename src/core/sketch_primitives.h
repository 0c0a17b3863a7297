#pragma once
// Drawing helpers shared by the dimensioned sketches.
#include <vector>

#include "platform/canvas.h"

namespace velm {

// An arrowhead with its tip at (x, y) pointing along `angle` degrees in the
// picture's own coordinates (0 towards +x, 90 towards -y, 180 towards -x,
// 270 towards +y), in white strokes from the tip. Angles between the eight
// patterns (24.5, say), above 360 or below -114 draw nothing.
void DrawArrowHead(Canvas& picture, float angle, float x, float y);

// How far a sketch's figure, or a caption and value box placed against it,
// reaches from the figure's centre towards one side of the picture: Units
// pixels of the figure as first fitted (they shrink with it), then Extent
// fixed pixels of captions and boxes.
struct SketchReach {
    bool Right = false;
    double Units = 0;
    double Extent = 0;
};

// The figure's fit across a picture: its size as a fraction of the first fit
// (at most 1) and the x of its centre.
struct SketchFit {
    double Factor = 1;
    double Centre = 0;
};

// The largest fraction of the first fit for which every reach ends at least
// `margin` inside a picture `width` wide, and the centre as near the middle
// as that allows. Factor 0 when the fixed extents alone do not fit.
SketchFit FitReachesAcross(double width, double margin, const std::vector<SketchReach>& reaches);

}  // namespace velm
