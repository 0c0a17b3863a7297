#include "cylinders/cylinder_compute.h"

#include "core/number_text.h"
#include "core/shape_inputs.h"

namespace velm {

namespace {

// Error texts of the checks.
constexpr int ErrThickness = 2;
constexpr int ErrDiameter = 14;
constexpr int ErrAxisLength = 7;
constexpr int ErrTopCut = 10;
constexpr int ErrBottomCut = 11;
constexpr int ErrImpossible = 19;

bool FieldRefused(float value, int field, const CylinderSettings& settings) {
    return FieldValueRefused(value, CylinderFieldLimit(settings.Limits, field), CylinderFieldIsLength(field),
                             settings.MeasuringSystem);
}

// The bottom angle as its box shows it: FrmCiDiscordi stores it negated.
float BottomCutField(ShapeKind shape, const CylinderInputs& in) {
    return shape == ShapeCiDiscordi ? -in.BottomCut : in.BottomCut;
}

// The body from the values as typed: cut angles by shape code, in radians
// from their degrees (the single-precision radians beside them are for the
// data file and the windows), and the inner, mean or outer fibre.
CylinderBody TypedCylinderBody(ShapeKind shape, const CylinderInputs& in, int thicknessFactor) {
    const ShapeKindInfo* kind = IsCylinderKind(shape) ? FindShapeKind(shape) : nullptr;
    CylinderBody body;
    body.TopCut = kind && kind->TopCut ? TypedRadians(in.TopCut) : 0;
    body.BottomCut = kind && kind->BottomCut ? TypedRadians(in.BottomCut) : 0;
    body.WorkingDiameter = WorkingDiameter(in.Diameter, in.Thickness, thicknessFactor);
    return body;
}

// Heights and tables into `results`; not Usable for a body that cannot be
// built or a step the tables cannot hold. The record's Message is left 0.
DevelopedCylinder DevelopCylinderInputs(ShapeKind shape, const CylinderInputs& in,
                                        const CylinderSettings& settings, CylinderResults& results) {
    const CylinderBody body = TypedCylinderBody(shape, in, settings.ThicknessFactor);
    const CutHeights heights = ComputeCutHeightsFromAxis(body, in.AxisLength);
    const bool tables = StoreCylinderDevelopment(body, heights, settings, results);
    DevelopedCylinder d;
    d.Developed = true;
    d.Usable = !heights.Impossible && tables;
    d.Inputs = in;
    return d;
}

int CylinderInputsMessage(ShapeKind shape, const CylinderInputs& in, const CylinderSettings& settings) {
    if (FieldRefused(in.Thickness, CylThicknessField, settings)) return ErrThickness;
    if (FieldRefused(in.Diameter, CylDiameterField, settings)) return ErrDiameter;
    if (FieldRefused(in.AxisLength, CylLengthField, settings)) return ErrAxisLength;
    switch (shape) {
        case ShapeCiRe:
            break;
        case ShapeCiTaSup:
            if (FieldRefused(in.TopCut, CylTopCutField, settings)) return ErrTopCut;
            break;
        case ShapeCiConcordi:
        case ShapeCiDiscordi:
            if (FieldRefused(BottomCutField(shape, in), CylBottomCutField, settings)) return ErrBottomCut;
            if (FieldRefused(in.TopCut, CylTopCutField, settings)) return ErrTopCut;
            break;
        default:
            return CylinderRefusedSilently;
    }
    return 0;
}

}  // namespace

bool StoreCylinderDevelopment(const CylinderBody& body, const CutHeights& heights, const CylinderSettings& settings,
                              CylinderResults& results) {
    results.Hmax = heights.Hmax;
    results.Hmed = heights.Hmed;
    results.Hmin = heights.Hmin;
    const CutCurveLengths lengths = ComputeCutCurveTables(body, heights, settings.AngleStep, settings.LatoSaldatura,
                                                          results.CylUpperHeights, results.CylLowerHeights);
    if (!lengths.Done) return false;  // a step the tables cannot hold
    results.DevelopedLength = lengths.DevelopedLength;
    results.UpperArcLength = lengths.UpperArcLength;
    results.LowerArcLength = lengths.LowerArcLength;
    return true;
}

DevelopedCylinder DevelopCylinder(ShapeKind shape, const CylinderArray& data, const CylinderSettings& settings,
                                  CylinderResults& results) {
    return DevelopCylinderInputs(shape, CylinderInputsOf(data), settings, results);
}

DevelopedCylinder CheckAndDevelopCylinder(ShapeKind shape, const CylinderArray& data,
                                          const CylinderSettings& settings, CylinderResults& results) {
    const CylinderInputs in = CylinderInputsOf(data);
    DevelopedCylinder refused;
    refused.Message = CylinderInputsMessage(shape, in, settings);
    if (refused.Message == 0) refused.Message = CheckAngleStep(settings.AngleStep);
    if (refused.Message != 0) return refused;
    DevelopedCylinder d = DevelopCylinderInputs(shape, in, settings, results);
    d.Message = d.Usable ? 0 : ErrImpossible;
    return d;
}

DevelopedCylinder ValidateAndDevelopCylinder(ShapeKind shape, WorkingState& state) {
    const DevelopedCylinder d = CheckAndDevelopCylinder(shape, state.Inputs.CylinderData, CylinderSettingsOf(state),
                                                        state.CylinderDevelopment.Results);
    if (d.Developed) state.LastCylinderInputs = d.Inputs;
    return d;
}

int CylinderApplyMessage(ShapeKind shape, const WorkingState& state) {
    CylinderResults results;
    return CheckAndDevelopCylinder(shape, state.Inputs.CylinderData, CylinderSettingsOf(state), results).Message;
}

void ToggleCylinderWeldSide(WorkingState& state, CylinderResults& results) {
    if (state.DevelopmentValid == False16) {
        state.Settings.LatoSaldatura = static_cast<std::int16_t>(-state.Settings.LatoSaldatura);
        return;
    }
    ToggleCylinderWeldSide(static_cast<ShapeKind>(state.ShapeCode), state, results);
}

void ToggleCylinderWeldSide(ShapeKind shape, WorkingState& state, CylinderResults& results) {
    state.Settings.LatoSaldatura = static_cast<std::int16_t>(-state.Settings.LatoSaldatura);
    state.LastCylinderInputs =
        DevelopCylinder(shape, state.Inputs.CylinderData, CylinderSettingsOf(state), results).Inputs;
}

MarkerPlace WeldSideMarkerPlace(int latoSaldatura, int label1Left, int label1Top, int label2Left) {
    if (latoSaldatura == 1) return {label2Left, label1Top + 20};
    return {label1Left - 30, label1Top + 20};
}

}  // namespace velm
