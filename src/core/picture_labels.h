#pragma once
// What a sketch or development drawing leaves for the window: where its
// labels and value boxes go on the picture, as plain values. The drawing
// stays free of the window system; the window moves its own controls.
#include <array>
#include <limits>
#include <string>

#include "platform/look.h"

namespace velm {

// A label laid on the picture: moved to (Left, Top) in the picture's pixels,
// given its text colour and, when Caption is not empty, its caption; shown.
struct PlacedLabel {
    bool Visible = false;
    double Left = 0;
    double Top = 0;
    Colour ForeColor = RGB(255, 255, 255);
    std::string Caption;
    // A label that stands left of what it names ends before this x: a
    // caption wider than the drawing allowed for moves left, not across.
    double RightLimit = std::numeric_limits<double>::infinity();
};

// A sketch value box (TxtAnt): placed at (X, Y) of the picture with its value,
// as a length box or, with its label, as an angle box.
struct PlacedValueBox {
    bool Visible = false;
    float X = 0;
    float Y = 0;
    float Value = 0;
    bool Angle = false;
};

// What the window's sketch captions (LblDatiSviluppo) and value boxes
// (TxtAnt) take on the picture, by index, in pixels of its font, and the
// boxes' height: the sketch leaves room for them beside its figure. Not
// Measured: the drawing's own margins only.
struct SketchRoom {
    bool Measured = false;
    std::array<double, 8> Label{};
    std::array<double, 8> Box{};
    double BoxHeight = 0;
};

}  // namespace velm
