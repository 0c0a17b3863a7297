#include "cylinders/cylinder_compute.h"

#include "core/number_text.h"

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
float BottomCutField(std::int16_t shapeCode, const CylinderArray& data) {
    return shapeCode == ShapeCiDiscordi ? -data[5] : data[5];
}

}  // namespace

void DevelopCylinder(std::int16_t shapeCode, const CylinderArray& data, const CylinderSettings& settings,
                     CylinderResults& results, CylinderArray& lastCylinderData, std::int16_t& errorFlag) {
    const ShapeKindInfo* kind = IsCylinderKind(shapeCode) ? FindShapeKind(shapeCode) : nullptr;
    // Radians from the degrees as typed; elements 6 and 7 keep them for the
    // data file and the windows.
    const double topCut = kind && kind->TopCut ? TypedRadians(data[4]) : 0;
    const double bottomCut = kind && kind->BottomCut ? TypedRadians(data[5]) : 0;
    // Inner, mean or outer fibre of the plate.
    const float workingDiameter = static_cast<float>(settings.ThicknessFactor) * data[1] + data[2];
    ComputeCutHeightsFromAxis(data[3], workingDiameter, bottomCut, topCut, results.Hmax, results.Hmed,
                              results.Hmin, errorFlag);
    if (!ComputeCutCurveTables(workingDiameter, results.Hmax, bottomCut, topCut, results.Hmed,
                               results.Hmin, settings.AngleStep, settings.LatoSaldatura,
                               results.CylUpperHeights, results.CylLowerHeights,
                               results.DevelopedLength, results.UpperArcLength,
                               results.LowerArcLength)) {
        errorFlag = 1;  // a step the tables cannot hold
    }
    for (int i = 1; i <= 7; ++i) lastCylinderData[i] = data[i];
}

int CheckAndDevelopCylinder(std::int16_t shapeCode, const CylinderArray& data,
                            const CylinderSettings& settings, CylinderResults& results,
                            CylinderArray& lastCylinderData) {
    if (FieldRefused(data[1], CylThicknessField, settings)) return ErrThickness;
    if (FieldRefused(data[2], CylDiameterField, settings)) return ErrDiameter;
    if (FieldRefused(data[3], CylLengthField, settings)) return ErrAxisLength;
    switch (shapeCode) {
        case ShapeCiRe:
            break;
        case ShapeCiTaSup:
            if (FieldRefused(data[4], CylTopCutField, settings)) return ErrTopCut;
            break;
        case ShapeCiConcordi:
        case ShapeCiDiscordi:
            if (FieldRefused(BottomCutField(shapeCode, data), CylBottomCutField, settings)) return ErrBottomCut;
            if (FieldRefused(data[4], CylTopCutField, settings)) return ErrTopCut;
            break;
        default:
            return CylinderRefusedSilently;
    }
    if (const int step = CheckAngleStep(settings.AngleStep); step != 0) return step;
    std::int16_t errorFlag = 0;
    DevelopCylinder(shapeCode, data, settings, results, lastCylinderData, errorFlag);
    return errorFlag == 1 ? ErrImpossible : 0;
}

int ValidateAndDevelopCylinder(std::int16_t shapeCode, WorkingState& state, CylinderResults& results) {
    return CheckAndDevelopCylinder(shapeCode, state.Inputs.CylinderData, CylinderSettingsOf(state), results,
                                   state.LastCylinderData);
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
