#pragma once
// What a sketch or development drawing leaves for the window: where its
// labels and value boxes go on the picture, as plain values. The drawing
// stays free of the window system; the window moves its own controls.
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

}  // namespace velm
