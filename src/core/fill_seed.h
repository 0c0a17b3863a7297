#pragma once
// Where a flood fill of a closed outline may start: a pixel between two
// edges of the outline on one vertical line, never on the outline itself.
#include <optional>

#include "platform/canvas.h"

namespace velm {

struct PixelPoint {
    int X = 0;
    int Y = 0;
};

// The pixel midway between the edges at user heights y1 and y2 on the
// vertical line x (user units). None when the edges' pixels are fewer than
// 2 apart (no pixel lies between them), when the point is off the picture,
// or when the picture already holds the border colour there.
std::optional<PixelPoint> FillSeedBetween(const RasterCanvas& pic, double x, double y1, double y2,
                                          Colour border);

// The pixel a canvas sets for a device coordinate.
int DevicePixelOf(double v);

}  // namespace velm
