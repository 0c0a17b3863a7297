#include "cones/cone_compute.h"

#include <cmath>

#include "core/number_text.h"

namespace velm {

namespace {

// Error texts of the checks.
constexpr int ErrThickness = 2;
constexpr int ErrUpperDiameter = 3;
constexpr int ErrLowerDiameter = 4;
constexpr int ErrHeight = 7;
constexpr int ErrUpperCut = 10;
constexpr int ErrLowerCut = 11;
constexpr int ErrApexTooSmall = 17;
constexpr int ErrApexTooLarge = 18;
constexpr int ErrImpossible = 19;

// Input column fields of the frustum windows.

bool FieldRefused(float value, int field, const ConeSettings& settings) {
    return FieldValueRefused(value, ConeFieldLimit(settings.Limits, field), ConeFieldIsLength(field),
                             settings.MeasuringSystem);
}

// Inner, mean or outer fibre of the plate.
float WorkingDiameter(float diameter, float thickness, std::int16_t thicknessFactor) {
    return static_cast<float>(thicknessFactor) * thickness + diameter;
}

struct Cuts {
    double upper = 0;
    double lower = 0;
};

// The cuts in radians from the degrees as typed: the single-precision radians
// beside them (elements 7 and 8) are for the data file and the windows.
Cuts CutsForShape(std::int16_t shapeCode, const ConeArray& data) {
    if (!IsFrustumKind(shapeCode)) return {0, 0};
    const ShapeKindInfo& kind = *FindShapeKind(shapeCode);
    return {kind.TopCut ? TypedRadians(data[5]) : 0, kind.BottomCut ? TypedRadians(data[6]) : 0};
}

}  // namespace

double TypedWorkingDiameter(float diameter, float thickness, std::int16_t thicknessFactor) {
    return thicknessFactor * TypedValue(thickness) + TypedValue(diameter);
}

int ConeApexAngleMessage(float apexAngle) {
    if (!std::isfinite(apexAngle)) return ErrImpossible;
    if (static_cast<double>(apexAngle) < 0.1) return ErrApexTooSmall;
    if (apexAngle > 60) return ErrApexTooLarge;
    return 0;
}

bool DevelopCone(std::int16_t shapeCode, const ConeArray& data, const ConeSettings& settings,
                 ConeResults& results, ConeArray& lastConeData, std::int16_t& errorFlag,
                 float& baseAngle, float& cutRise) {
    const Cuts cuts = CutsForShape(shapeCode, data);
    const double lowerDiameter = TypedWorkingDiameter(data[3], data[1], settings.ThicknessFactor);
    const double upperDiameter = TypedWorkingDiameter(data[2], data[1], settings.ThicknessFactor);
    const double height = TypedValue(data[4]);

    float baseRadius = 0;
    float apexHeight = 0;
    double height1 = 0;
    std::int16_t noBody = 0;
    SolveConeHalfAngle(upperDiameter, lowerDiameter, cuts.lower, cuts.upper, height,
                       settings.LatoSaldatura, baseRadius, apexHeight, baseAngle, cutRise,
                       height1, results.FrustumHeight2, results.LowerCutOffset, noBody);
    results.FrustumHeight1 = static_cast<float>(height1);
    bool usable = false;
    if (noBody != 0) {
        // No cone has these dimensions: nothing to develop.
        errorFlag = 1;
        results = ConeResults{};
        baseAngle = 0;
        cutRise = 0;
    } else {
        // What the tables are computed from stays in double: the side of a
        // nearly cylindrical frustum is too steep for a single-precision angle.
        double angle = 0, radius = 0, lowerCutOffset = 0, seamInset = 0, axisCheck = 0;
        // The typed height is the reference: a body that misses it does not exist.
        ComputeConeAngle(height1, upperDiameter, lowerDiameter, cuts.lower, cuts.upper,
                         settings.LatoSaldatura, angle, results.ConeApexAngle, radius,
                         results.FrustumHeight2, lowerCutOffset, seamInset, axisCheck, height, errorFlag);
        baseAngle = static_cast<float>(angle);
        results.LowerCutOffset = static_cast<float>(lowerCutOffset);
        usable = ComputeConeDevelopmentTables(angle, radius, height1, results.FrustumHeight2,
                                              lowerCutOffset, seamInset, cuts.lower, cuts.upper,
                                              settings.AngleStep, settings.LatoSaldatura, results);
    }
    for (int i = 1; i <= 8; ++i) lastConeData[i] = data[i];
    return usable;
}

int CheckAndDevelopCone(std::int16_t shapeCode, const ConeArray& data, const ConeSettings& settings,
                        ConeResults& results, ConeArray& lastConeData, float& cutRise) {
    if (shapeCode < ShapeCoRe || shapeCode > ShapeCoDiscordi) return ConeRefusedSilently;
    const std::int16_t factor = settings.ThicknessFactor;
    if (FieldRefused(data[1], ConeThicknessField, settings)) return ErrThickness;
    if (FieldRefused(data[2], ConeUpperDiameterField, settings) ||
        !(WorkingDiameter(data[2], data[1], factor) > 0)) {
        return ErrUpperDiameter;
    }
    if (FieldRefused(data[3], ConeLowerDiameterField, settings) ||
        !(WorkingDiameter(data[3], data[1], factor) > 0)) {
        return ErrLowerDiameter;
    }
    if (FieldRefused(data[4], ConeHeightField, settings)) return ErrHeight;

    // FrmCoDiscordi stores its lower angle negated: its size is what the box held.
    const float lowerCutField = shapeCode == ShapeCoDiscordi ? std::fabs(data[6]) : data[6];
    switch (shapeCode) {
        case ShapeCoTaSup:
            if (FieldRefused(data[5], ConeUpperCutField, settings)) return ErrUpperCut;
            break;
        case ShapeCoTaInf:
            if (FieldRefused(lowerCutField, ConeLowerCutField, settings)) return ErrLowerCut;
            break;
        case ShapeCoConcordi:
        case ShapeCoDiscordi:
            if (FieldRefused(lowerCutField, ConeLowerCutField, settings)) return ErrLowerCut;
            if (FieldRefused(data[5], ConeUpperCutField, settings)) return ErrUpperCut;
            if (data[2] == data[3]) return ErrImpossible;
            break;
        default:
            break;
    }

    if (const int step = CheckAngleStep(settings.AngleStep); step != 0) return step;
    std::int16_t errorFlag = 0;
    float baseAngle = 0;
    const bool usable = DevelopCone(shapeCode, data, settings, results, lastConeData, errorFlag,
                                    baseAngle, cutRise);
    if (errorFlag == 1) return ErrImpossible;
    if (const int apex = ConeApexAngleMessage(results.ConeApexAngle); apex != 0) return apex;
    if (!usable || !std::isfinite(cutRise) || !std::isfinite(results.FrustumHeight1) ||
        !std::isfinite(results.FrustumHeight2) || !std::isfinite(results.LowerCutOffset)) {
        return ErrImpossible;
    }
    return 0;
}

int ValidateAndDevelopCone(std::int16_t shapeCode, float& cutRise, WorkingState& state, ConeResults& results) {
    return CheckAndDevelopCone(shapeCode, state.Inputs.ConeData, ConeSettingsOf(state), results, state.LastConeData,
                               cutRise);
}

void ToggleConeWeldSide(WorkingState& state, ConeResults& results) {
    if (state.DevelopmentValid == False16) {
        state.Settings.LatoSaldatura = static_cast<std::int16_t>(-state.Settings.LatoSaldatura);
        return;
    }
    ToggleConeWeldSide(state.ShapeCode, state, results);
}

void ToggleConeWeldSide(std::int16_t shapeCode, WorkingState& state, ConeResults& results) {
    state.Settings.LatoSaldatura = static_cast<std::int16_t>(-state.Settings.LatoSaldatura);
    std::int16_t errorFlag = 0;
    float baseAngle = 0;
    float cutRise = 0;
    DevelopCone(shapeCode, state.Inputs.ConeData, ConeSettingsOf(state), results, state.LastConeData, errorFlag,
                baseAngle, cutRise);
}

}  // namespace velm
