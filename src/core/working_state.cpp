#include "core/working_state.h"

#include <initializer_list>

#include "core/settings.h"
#include "core/unit_conversion.h"

namespace velm {

namespace {

bool OneOf(int element, std::initializer_list<int> elements) {
    for (int e : elements) {
        if (element == e) return true;
    }
    return false;
}

}  // namespace

InputArrays DefaultInputArrays() {
    InputArrays a;
    a.ConeData = {0, 0.3f, 21, 29, 35, 10, 10, 0, 0};
    a.CylinderData = {0, 0.3f, 20, 40, 10, 10, 0, 0};
    // Axis length follows from the bend radius and angle, in double precision.
    a.CylElbowData = {0, 0.3f, 25, 10, 10, 90, static_cast<float>(100.0 * 90.0 * DegToRad), 100, 5, 0, 0, 0};
    a.ConeElbowData = {0, 0.3f, 20, 10, 30, 10, 90, 100, static_cast<float>(100.0 / (90.0 * DegToRad)), 5, 0, 0, 0, 0};
    a.CylindricalEnds = "N";
    a.EndConnections = {0, 1, 20, 10, 45, 22, 0, 27, 10, 35, 30};
    return a;
}

bool IsLengthElementCylinder(int i) {
    return i >= ElementOfField(CylThicknessField) && i <= ElementOfField(CylLengthField);
}
bool IsLengthElementCone(int i) { return i >= ElementOfField(ConeThicknessField) && i <= ElementOfField(ConeHeightField); }
bool IsLengthElementCylElbow(int i) {
    return OneOf(i, {CylElbowThickness, CylElbowDiameter, CylElbowAxisLength, CylElbowBendRadius});
}
bool IsLengthElementConeElbow(int i) {
    return OneOf(i, {ConeElbowThickness, ConeElbowSmallDiameter, ConeElbowLargeDiameter, ConeElbowAxisLength,
                     ConeElbowBendRadius});
}
bool IsLengthElementEndConnection(int i) {
    return OneOf(i, {StartConnectionDiameter, StartConnectionLength, StartConnectionSecondDiameter,
                     EndConnectionDiameter, EndConnectionLength, EndConnectionSecondDiameter});
}

const InputLimit& CylinderFieldLimit(const InputLimits& limits, int field) {
    switch (field) {
        case CylThicknessField: return limits.ThicknessLimit;
        case CylDiameterField: return limits.DiameterLimit;
        case CylLengthField: return limits.LengthLimit;
        default: return limits.CutAngleLimit;
    }
}

const InputLimit& ConeFieldLimit(const InputLimits& limits, int field) {
    switch (field) {
        case ConeThicknessField: return limits.ThicknessLimit;
        case ConeUpperDiameterField:
        case ConeLowerDiameterField: return limits.DiameterLimit;
        case ConeHeightField: return limits.LengthLimit;
        default: return limits.CutAngleLimit;
    }
}

bool CylinderFieldIsLength(int field) { return field >= CylThicknessField && field <= CylLengthField; }
bool ConeFieldIsLength(int field) { return field >= ConeThicknessField && field <= ConeHeightField; }

void CopyFamilyInputs(int shapeCode, const InputArrays& from, InputArrays& to) {
    if (IsFrustumKind(shapeCode)) {
        to.ConeData = from.ConeData;
    } else if (IsCylinderKind(shapeCode)) {
        to.CylinderData = from.CylinderData;
    } else if (shapeCode == ShapeCuCilindri) {
        to.CylElbowData = from.CylElbowData;
    } else if (shapeCode >= ShapeCuConica1 && shapeCode <= ShapeCuConica3) {
        to.ConeElbowData = from.ConeElbowData;
        to.CylindricalEnds = from.CylindricalEnds;
        to.EndConnections = from.EndConnections;
    }
}

void PutBackHeldInputs(const HeldInputs& held, std::int16_t unit, InputArrays& inputs) {
    if (held.ShapeCode == ShapeNone) return;
    InputArrays accepted = held.Inputs;
    // The unit changed since they were held: they are converted as the arrays were.
    if (unit != held.MeasuringSystem) ConvertInputUnits(unit == 1 ? 0 : 1, accepted);
    CopyFamilyInputs(held.ShapeCode, accepted, inputs);
}

void WorkingState::RecomputeThicknessFactor() { ThicknessFactor = DeriveThicknessFactor(Settings); }

WorkingState& State() {
    static WorkingState state;
    return state;
}

}  // namespace velm
