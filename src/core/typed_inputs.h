#pragma once
// The typed values of a cylinder and of a frustum by name: what a
// development reads, and the inputs it was made from. The arrays that keep
// them are converted in core/shape_inputs.h.

namespace velm {

// CylinderData by name. Lengths in the unit of the run; cut angles in
// degrees as typed (the opposite-slope window stores the bottom one negated),
// with their single-precision radians.
struct CylinderInputs {
    float Thickness = 0;
    float Diameter = 0;
    float AxisLength = 0;
    float TopCut = 0;
    float BottomCut = 0;
    float TopCutRadians = 0;
    float BottomCutRadians = 0;
    friend bool operator==(const CylinderInputs&, const CylinderInputs&) = default;
};

// ConeData by name, in the same units (the opposite-ways window stores the
// lower cut negated).
struct ConeInputs {
    float Thickness = 0;
    float UpperDiameter = 0;
    float LowerDiameter = 0;
    float AxisHeight = 0;
    float UpperCut = 0;
    float LowerCut = 0;
    float UpperCutRadians = 0;
    float LowerCutRadians = 0;
    friend bool operator==(const ConeInputs&, const ConeInputs&) = default;
};

}  // namespace velm
