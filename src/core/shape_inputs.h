#pragma once
// The typed values of a cylinder and of a frustum by name, and the one
// conversion of each family from and to its 1-based input array (the form
// the data file, the settings and the windows' boxes keep).
#include "core/working_state.h"

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
};

CylinderInputs CylinderInputsOf(const CylinderArray& data);
// Writes elements 1 to CylLastElement; element 0 is left alone.
void StoreCylinderInputs(const CylinderInputs& in, CylinderArray& data);

ConeInputs ConeInputsOf(const ConeArray& data);
// Writes elements 1 to ConeLastElement; element 0 is left alone.
void StoreConeInputs(const ConeInputs& in, ConeArray& data);

}  // namespace velm
