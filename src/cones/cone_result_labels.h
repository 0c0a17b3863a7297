#pragma once
// Labels and dimensions that the frustum drawings share: the two slant-length
// labels beside the sketch's sides, the sketch's height dimension, and the
// placements that the window applies to its labels and value boxes.
#include <cstdint>
#include <string>

#include "core/picture_labels.h"
#include "geometry/cone_geometry.h"
#include "platform/canvas.h"

namespace velm {

// A sketch value box TxtAnt(Index) to place; an angle box goes with its
// caption label LblDatiSviluppo(Index).
struct IndexedValueBox {
    int Index = 0;
    PlacedValueBox Place;
};

// What the frustum drawings read besides the development results. The shape
// code is the drawing window's own, never the program's current one.
struct ConeDrawingContext {
    std::int16_t ShapeCode = 1;
    float AngleStep = 1.0f;
    std::int16_t LatoSaldatura = 1;
    std::int16_t MeasuringSystem = 0;
};

// Caption of slant-length label 1 or 2: the seam generatrix or the opposite
// one, "text: length".
std::string ConeResultLabelCaption(int which, const ConeResults& results, const ConeDrawingContext& context);

// Label 1 or 2 beside the side from (xA, yA) to (xB, yB), captioned, yellow.
PlacedLabel ShowConeResultLabel(int which, float xA, float xB, float yA, float yB,
                                   const ConeResults& results, const ConeDrawingContext& context);

struct HeightDimensionPlacement {
    PlacedLabel Label;   // LblDatiSviluppo(2), caption kept
    IndexedValueBox Box;  // TxtAnt(2) with the height
};

// The white height dimension beside the sketch, measured on the axis (cx) at
// a cut end and on the base line's right end at a square one.
HeightDimensionPlacement DrawConeHeightDimension(Canvas& picture, float cx, float yTop, float yBottom,
                                                 float xBottomRight, float xTopRight,
                                                 std::int16_t shapeCode, float height);

}  // namespace velm
