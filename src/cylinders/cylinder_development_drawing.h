#pragma once
// The flat pattern of a cylinder from its outline (cylinder_outline.h): on
// the window's picture (filled, dimensioned, with C, Hmax, Hmed and Hmin) and
// on the sheet picture of the preview (the bare outline). Coordinates are the
// picture's pixels, y downwards; each generatrix is placed by its angle.
#include <array>
#include <cstdint>

#include "core/picture_labels.h"
#include "core/working_state.h"
#include "geometry/cylinder_geometry.h"
#include "platform/canvas.h"

namespace velm {

// What the on-screen drawing reads besides the results.
struct CylinderDevelopmentSettings {
    std::int16_t ShapeCode = ShapeCiRe;  // the drawing window's own code
    float Diameter = 0;                  // typed diameter, CylinderData(2)
    float AngleStep = 1.0f;
    std::int16_t MeasuringSystem = 0;
    Colour Fill = PaletteColour(9);
};

// Result labels: 0 C, 1 Hmax, 2 Hmed, 3 Hmin. Drawn is false when the
// picture has no room for the pattern (nothing drawn, no label shown).
struct CylinderDevelopmentLabels {
    bool Drawn = false;
    std::array<PlacedLabel, 4> Labels;
};

constexpr int DevelopmentLabelC = 0;
constexpr int DevelopmentLabelHmax = 1;
constexpr int DevelopmentLabelHmed = 2;
constexpr int DevelopmentLabelHmin = 3;

// a * b / hmax: a table value v drawn at base - ScaleByMaxHeight(2k, v)
// where 2k is the pattern's height in pixels.
float ScaleByMaxHeight(float a, float b, float hmax);

// Whole-degree drawing step: round(angleStep) above 1, else 1.
int DevelopmentDrawingStep(float angleStep);
// Table entry of a generatrix at `degrees`: round(degrees / angleStep),
// -1 when it lies outside the table.
int DevelopmentEntry(int degrees, float angleStep);

// Draws over what the picture holds.
CylinderDevelopmentLabels DrawCylinderDevelopment(RasterCanvas& pic, const CylinderResults& r,
                                                  const CylinderDevelopmentSettings& s);

// The sheet picture: cleared, then the outline in black over the whole
// picture, Hmax filling its height. developmentPart 0 whole, 1 left half,
// 2 right half (each half over the full width).
void DrawCylinderSheetDevelopment(RasterCanvas& pic, const CylinderResults& r, float angleStep,
                                  std::int16_t developmentPart);

}  // namespace velm
