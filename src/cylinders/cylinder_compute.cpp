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
float BottomCutField(std::int16_t shapeCode, const CylinderInputs& in) {
    return shapeCode == ShapeCiDiscordi ? -in.BottomCut : in.BottomCut;
}

// The body from the values as typed: cut angles by shape code, in radians
// from their degrees (the single-precision radians beside them are for the
// data file and the windows), and the inner, mean or outer fibre.
CylinderBody TypedCylinderBody(std::int16_t shapeCode, const CylinderInputs& in, std::int16_t thicknessFactor) {
    const ShapeKindInfo* kind = IsCylinderKind(shapeCode) ? FindShapeKind(shapeCode) : nullptr;
    CylinderBody body;
    body.TopCut = kind && kind->TopCut ? TypedRadians(in.TopCut) : 0;
    body.BottomCut = kind && kind->BottomCut ? TypedRadians(in.BottomCut) : 0;
    body.WorkingDiameter = static_cast<float>(thicknessFactor) * in.Thickness + in.Diameter;
    return body;
}

// Heights and tables into `results`; false for a body that cannot be built
// or a step the tables cannot hold.
bool DevelopCylinderInputs(std::int16_t shapeCode, const CylinderInputs& in, const CylinderSettings& settings,
                           CylinderResults& results) {
    const CylinderBody body = TypedCylinderBody(shapeCode, in, settings.ThicknessFactor);
    const CutHeights heights = ComputeCutHeightsFromAxis(body, in.AxisLength);
    const bool tables = StoreCylinderDevelopment(body, heights, settings, results);
    return !heights.Impossible && tables;
}

int CylinderInputsMessage(std::int16_t shapeCode, const CylinderInputs& in, const CylinderSettings& settings) {
    if (FieldRefused(in.Thickness, CylThicknessField, settings)) return ErrThickness;
    if (FieldRefused(in.Diameter, CylDiameterField, settings)) return ErrDiameter;
    if (FieldRefused(in.AxisLength, CylLengthField, settings)) return ErrAxisLength;
    switch (shapeCode) {
        case ShapeCiRe:
            break;
        case ShapeCiTaSup:
            if (FieldRefused(in.TopCut, CylTopCutField, settings)) return ErrTopCut;
            break;
        case ShapeCiConcordi:
        case ShapeCiDiscordi:
            if (FieldRefused(BottomCutField(shapeCode, in), CylBottomCutField, settings)) return ErrBottomCut;
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

void DevelopCylinder(std::int16_t shapeCode, const CylinderArray& data, const CylinderSettings& settings,
                     CylinderResults& results, CylinderArray& lastCylinderData, std::int16_t& errorFlag) {
    const CylinderInputs in = CylinderInputsOf(data);
    if (!DevelopCylinderInputs(shapeCode, in, settings, results)) errorFlag = 1;
    StoreCylinderInputs(in, lastCylinderData);
}

int CheckAndDevelopCylinder(std::int16_t shapeCode, const CylinderArray& data,
                            const CylinderSettings& settings, CylinderResults& results,
                            CylinderArray& lastCylinderData) {
    const CylinderInputs in = CylinderInputsOf(data);
    if (const int message = CylinderInputsMessage(shapeCode, in, settings); message != 0) return message;
    if (const int step = CheckAngleStep(settings.AngleStep); step != 0) return step;
    const bool built = DevelopCylinderInputs(shapeCode, in, settings, results);
    StoreCylinderInputs(in, lastCylinderData);
    return built ? 0 : ErrImpossible;
}

int ValidateAndDevelopCylinder(std::int16_t shapeCode, WorkingState& state, CylinderResults& results) {
    return CheckAndDevelopCylinder(shapeCode, state.Inputs.CylinderData, CylinderSettingsOf(state), results,
                                   state.LastCylinderData);
}

int CylinderApplyMessage(std::int16_t shapeCode, const WorkingState& state) {
    CylinderResults results;
    CylinderArray last{};
    return CheckAndDevelopCylinder(shapeCode, state.Inputs.CylinderData, CylinderSettingsOf(state), results, last);
}

void ToggleCylinderWeldSide(WorkingState& state, CylinderResults& results) {
    if (state.DevelopmentValid == False16) {
        state.Settings.LatoSaldatura = static_cast<std::int16_t>(-state.Settings.LatoSaldatura);
        return;
    }
    ToggleCylinderWeldSide(state.ShapeCode, state, results);
}

void ToggleCylinderWeldSide(std::int16_t shapeCode, WorkingState& state, CylinderResults& results) {
    state.Settings.LatoSaldatura = static_cast<std::int16_t>(-state.Settings.LatoSaldatura);
    std::int16_t errorFlag = 0;
    DevelopCylinder(shapeCode, state.Inputs.CylinderData, CylinderSettingsOf(state), results,
                    state.LastCylinderData, errorFlag);
}

MarkerPlace WeldSideMarkerPlace(std::int16_t latoSaldatura, int label1Left, int label1Top, int label2Left) {
    if (latoSaldatura == 1) return {label2Left, label1Top + 20};
    return {label1Left - 30, label1Top + 20};
}

}  // namespace velm
