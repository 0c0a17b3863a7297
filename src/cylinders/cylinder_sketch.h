#pragma once
// The dimensioned side view of a cylinder that the cylinder windows show
// after an accepted apply: the body filled light red, its axis, the width and
// height dimensions, and where the value boxes TxtAnt and the labels
// LblDatiSviluppo go. Fitted into the picture, proportional, not to scale.
// Coordinates are the picture's pixels, y downwards.
#include <array>
#include <cstdint>

#include "core/picture_labels.h"
#include "core/shape_inputs.h"
#include "geometry/cylinder_geometry.h"
#include "platform/canvas.h"

namespace velm {

// The body's outline in the picture. The frame (XL, XR, YT, YB) stands for
// the diameter across and the overall height up; the cuts move its corners
// by the heights of the development (Hmax - Hmed at the top, Hmin at the
// bottom), so that the outline never crosses itself.
struct CylinderSketchOutline {
    bool Valid = false;  // false: no room in the picture, or nothing to draw
    double Cx = 0, Cy = 0;
    double A = 0, B = 0;  // half-width, half-height
    double XL = 0, XR = 0, YT = 0, YB = 0;
    double TopLeftY = 0, TopRightY = 0, BottomLeftY = 0, BottomRightY = 0;
    // Where the top and bottom edges cross the axis.
    double TopAxisY() const { return (TopLeftY + TopRightY) / 2; }
    double BottomAxisY() const { return (BottomLeftY + BottomRightY) / 2; }
};

// With a measured room, the body shrinks and moves sideways as far as the
// captions and value boxes beside it need to lie whole inside the picture.
CylinderSketchOutline CylinderSketchGeometry(double width, double height, std::int16_t code,
                                             const CylinderInputs& data, const CylinderResults& r,
                                             const SketchRoom& room = {});

// Labels and boxes of the sketch: index 0 diameter, 1 axis length, 2 top cut
// angle, 3 bottom cut angle. Angle labels go with their box (112 pixels left
// of its x). WeldSideMarker: the cut kinds show LblDatiSviluppo(5).
struct CylinderSketchPlaces {
    bool Drawn = false;
    std::array<PlacedLabel, 4> Labels;
    std::array<PlacedValueBox, 4> Boxes;
    bool WeldSideMarker = false;
};

// Draws into the laid-out, cleared picture for the drawing window's own shape
// code. Draws nothing when the picture has no room for the body.
CylinderSketchPlaces DrawCylinderSketch(RasterCanvas& pic, std::int16_t code, const CylinderInputs& data,
                                        const CylinderResults& results, Colour fill, const SketchRoom& room = {});

}  // namespace velm
