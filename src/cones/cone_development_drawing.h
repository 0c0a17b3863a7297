#pragma once
// The flat development of a frustum: a sector with its apex on the picture's
// vertical centre line, opening downwards, bounded by the two developed cut
// edges and the two seam edges. On screen it is fitted, outlined in yellow,
// filled and dimensioned; on the preview's sheet it is a black outline.
// Both take the edges' distances from the apex and the extremes from the
// outline (cone_outline.h) and place each point at their own polar angle.
#include <array>
#include <cstdint>

#include "cones/cone_result_labels.h"
#include "geometry/cone_geometry.h"
#include "platform/canvas.h"

namespace velm {

// A polar point (r, angle from the middle line) as offsets from the apex:
// x = r sin(angle) kX / divX, y = r cos(angle) kY / divY, the products in
// single precision before the scaling.
void PolarToPicture(float& xOut, float& yOut, float kY, float kX, float divX, float divY, float r, float angle);

// The labels of the development: sector angle, outer radius, inner radius,
// inner chord, outer chord (the window's LblDatiSviluppo(0) to (4)).
struct ConeDevelopmentView {
    bool Drawn = false;  // false: the picture is too small, or no development
    bool Filled = false;
    float cx = 0, T = 0;  // the apex
    float Scale = 0;      // pixels per unit of length, the same both ways
    std::array<PlacedLabel, 5> Labels;
};

// Draws the last development on `picture` (cleared and sized by the window,
// pixels as units) with `fill` inside the yellow outline.
ConeDevelopmentView DrawConeDevelopment(RasterCanvas& picture, const ConeResults& r, float angleStep,
                                        Colour fill, std::int16_t measuringSystem);

// What the sheet drawing reads of the preview: its picture's Width and
// Height, the sheet's ScaleHeight, the page height and which part is drawn
// (0 whole, 1 left half, 2 right half).
struct ConeSheetLayout {
    double Width = 0;
    double Height = 0;
    double SheetScaleHeight = 0;
    double PageHeight = 0;
    std::int16_t DevelopmentPart = 0;
};

// The bare black outline at the sheet's scale with the dash-dot middle line;
// the apex above the picture so that the upper edge's nearest point touches
// its top and the lower edge's farthest point its last row. False when
// nothing could be drawn.
bool DrawConeSheetDevelopment(RasterCanvas& picture, const ConeSheetLayout& layout, const ConeResults& r,
                              float angleStep);

}  // namespace velm
