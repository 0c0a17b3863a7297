#pragma once
// The input boxes of the cylindrical elbow window: what each box accepts
// while typing, the limits applied when it is left, its hint, and the
// coupling of bend angle A, axis length L and bend radius R
// (L = R * pi * A / 180). Boxes 0 to 7: thickness, diameter, start cut,
// end cut, bend angle, axis length, bend radius, pieces. The axis length and
// the bend radius follow the diameter (box 1) and the bend angle (box 4) as
// they stand in their boxes.
#include <optional>
#include <string>

#include "core/input_fields.h"

namespace velm {

// Texts of the boxes the limits depend on.
struct CylElbowBoxTexts {
    std::string Diameter;   // box 1
    std::string BendAngle;  // box 4, degrees
};

// True when the key is refused (it has beeped); fields outside 0 to 7 accept every key.
bool CylElbowKeyRefused(const BoxState& box, int field, int key, const CylElbowBoxTexts& boxes,
                        const FieldSettings& s);

// The check on leaving a box: a value outside its limits beeps and `text`
// becomes the limit. True when the text was replaced.
bool CheckCylElbowFieldRange(std::string& text, int field, const CylElbowBoxTexts& boxes, const FieldSettings& s);

// The status-line hint: the field's text of FrmCuCil and its range.
std::optional<std::string> CylElbowFieldHint(int field, const CylElbowBoxTexts& boxes, const FieldSettings& s);

// The coupling: R from L and A, L from R and A, as their boxes show them.
// Nothing for a bend angle of 0 (R from L).
std::optional<std::string> RadiusFromAxisLength(const std::string& lengthText, const std::string& bendText,
                                                std::int16_t measuringSystem);
std::string AxisLengthFromRadius(const std::string& radiusText, const std::string& bendText,
                                 std::int16_t measuringSystem);

}  // namespace velm
