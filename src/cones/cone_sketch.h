#pragma once
// The dimensioned side view of a frustum that the five frustum windows show
// after an accepted apply: the enclosing frustum scaled to the picture, the
// cut lines laid across it, white dimensions with their value boxes, and the
// two slant-length labels.
#include <array>
#include <cstdint>
#include <vector>

#include "cones/cone_result_labels.h"
#include "core/shape_inputs.h"
#include "geometry/cone_geometry.h"
#include "platform/canvas.h"

namespace velm {

struct ConeSketchInput {
    ConeInputs Inputs;  // ConeData as applied (the lower cut negated by the opposite-ways window)
    float FrustumHeight1 = 0;
    float EnclosingUpperDiameter = 0;  // windows with an upper cut
    float EnclosingLowerDiameter = 0;  // windows with a lower cut
    Colour Fill = 0;
};

// The frame of the drawn figure, for the window and the tests.
struct ConeSketchFrame {
    float cx = 0, cy = 0;
    float a = 0, b = 0, h = 0;  // half widths (bottom, top), half height
    float top = 0, bottom = 0;
    float yTop = 0, yBottom = 0;  // where the body's ends cross the axis
};

// Where side label `which` (1 or 2, as ShowConeResultLabel numbers them)
// sits among the sketch's labels: LblDatiSviluppo(5) and (6).
constexpr std::size_t ConeSideLabelSlot(int which) { return which == 1 ? 5 : 6; }

struct ConeSketch {
    bool Drawn = false;  // false: the picture is too small for a figure
    ConeSketchFrame Frame;
    // LblDatiSviluppo(0) to (6), those not Visible left alone; the angle
    // boxes' labels are moved by the placing of their boxes.
    std::array<PlacedLabel, 7> Labels;
    std::vector<IndexedValueBox> Boxes;  // in the order in which they are placed
    bool Filled = false;
};

// The top and bottom diameters of the uncut frustum that encloses the cut
// one, as an accepted apply sets them: only those of the shape's cuts are
// written (upper: the upper cut through its top corner; lower: 2 cutRise over
// the lower cut's slope).
void ComputeEnclosingDiameters(std::int16_t shapeCode, const ConeInputs& data, float frustumHeight1,
                               float cutRise, float& enclosingUpper, float& enclosingLower);

// Draws into `picture` (already cleared and sized in pixels) for the shape
// code in `context`. With a measured room, the figure shrinks and moves
// sideways as far as the captions and value boxes need to lie whole inside
// the picture.
ConeSketch DrawConeSketch(RasterCanvas& picture, const ConeSketchInput& input, const ConeResults& results,
                          const ConeDrawingContext& context, const SketchRoom& room = {});

}  // namespace velm
