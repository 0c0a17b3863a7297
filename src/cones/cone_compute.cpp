#include "cones/cone_compute.h"

#include <cmath>

#include "core/number_text.h"
#include "core/shape_inputs.h"

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
constexpr int ErrWiderAtTop = 47;

// Input column fields of the frustum windows.

bool FieldRefused(float value, int field, const ConeSettings& settings) {
    return FieldValueRefused(value, ConeFieldLimit(settings.Limits, field), ConeFieldIsLength(field),
                             settings.MeasuringSystem);
}

// Inner, mean or outer fibre of the plate.
float WorkingDiameter(float diameter, float thickness, std::int16_t thicknessFactor) {
    return static_cast<float>(thicknessFactor) * thickness + diameter;
}

// The body from the values as typed: cut angles by shape code, in radians
// from their degrees (the single-precision radians beside them are for the
// data file and the windows).
ConeBody TypedConeBody(std::int16_t shapeCode, const ConeInputs& in, std::int16_t thicknessFactor) {
    ConeBody body;
    body.UpperDiameter = TypedWorkingDiameter(in.UpperDiameter, in.Thickness, thicknessFactor);
    body.LowerDiameter = TypedWorkingDiameter(in.LowerDiameter, in.Thickness, thicknessFactor);
    if (IsFrustumKind(shapeCode)) {
        const ShapeKindInfo& kind = *FindShapeKind(shapeCode);
        body.UpperCut = kind.TopCut ? TypedRadians(in.UpperCut) : 0;
        body.LowerCut = kind.BottomCut ? TypedRadians(in.LowerCut) : 0;
    }
    return body;
}

// What DevelopCone hands back besides the results.
struct DevelopedCone {
    bool Usable = false;
    bool NoBody = false;
    float BaseAngle = 0;
    float CutRise = 0;
};

DevelopedCone DevelopConeInputs(std::int16_t shapeCode, const ConeInputs& in, const ConeSettings& settings,
                                  ConeResults& results) {
    const ConeBody body = TypedConeBody(shapeCode, in, settings.ThicknessFactor);
    const double height = TypedValue(in.AxisHeight);
    const ConeSolution solution = SolveConeHalfAngle(body, height);
    DevelopedCone d;
    if (solution.NoBody) {
        // No cone has these dimensions: nothing to develop.
        results = ConeResults{};
        d.NoBody = true;
        return d;
    }
    results.FrustumHeight1 = static_cast<float>(solution.FrustumHeight1);
    d.CutRise = solution.CutRise;
    // What the tables are computed from stays in double: the side of a
    // nearly cylindrical frustum is too steep for a single-precision angle.
    // The typed height is the reference: a body that misses it does not exist.
    const ConeSection section = ComputeConeAngle(body, solution.FrustumHeight1, settings.LatoSaldatura, height);
    d.NoBody = section.Impossible;
    d.BaseAngle = static_cast<float>(section.BaseAngle);
    results.ConeApexAngle = section.ApexAngle;
    results.FrustumHeight2 = section.FrustumHeight2;
    results.LowerCutOffset = static_cast<float>(section.LowerCutOffset);
    d.Usable = ComputeConeDevelopmentTables(body, solution.FrustumHeight1, section, settings.AngleStep,
                                            settings.LatoSaldatura, results);
    return d;
}

// The limit checks of the typed values, in the order the boxes stand: the
// number of the error text of the first refused one, else 0.
int ConeInputsMessage(std::int16_t shapeCode, const ConeInputs& in, const ConeSettings& settings) {
    const std::int16_t factor = settings.ThicknessFactor;
    if (FieldRefused(in.Thickness, ConeThicknessField, settings)) return ErrThickness;
    if (FieldRefused(in.UpperDiameter, ConeUpperDiameterField, settings) ||
        !(WorkingDiameter(in.UpperDiameter, in.Thickness, factor) > 0)) {
        return ErrUpperDiameter;
    }
    if (FieldRefused(in.LowerDiameter, ConeLowerDiameterField, settings) ||
        !(WorkingDiameter(in.LowerDiameter, in.Thickness, factor) > 0)) {
        return ErrLowerDiameter;
    }
    if (FieldRefused(in.AxisHeight, ConeHeightField, settings)) return ErrHeight;

    // FrmCoDiscordi stores its lower angle negated: its size is what the box held.
    const float lowerCutField = shapeCode == ShapeCoDiscordi ? std::fabs(in.LowerCut) : in.LowerCut;
    switch (shapeCode) {
        case ShapeCoTaSup:
            if (FieldRefused(in.UpperCut, ConeUpperCutField, settings)) return ErrUpperCut;
            break;
        case ShapeCoTaInf:
            if (FieldRefused(lowerCutField, ConeLowerCutField, settings)) return ErrLowerCut;
            break;
        case ShapeCoConcordi:
        case ShapeCoDiscordi:
            if (FieldRefused(lowerCutField, ConeLowerCutField, settings)) return ErrLowerCut;
            if (FieldRefused(in.UpperCut, ConeUpperCutField, settings)) return ErrUpperCut;
            if (in.UpperDiameter == in.LowerDiameter) return ErrImpossible;
            break;
        default:
            break;
    }
    return 0;
}

// A body refused while its upper diameter is the larger: the frustum was
// typed upside down (a hopper), which is what to change, whatever refused it.
int WiderAtTopOr(int message, const ConeInputs& in) {
    return in.UpperDiameter > in.LowerDiameter ? ErrWiderAtTop : message;
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
    const ConeInputs in = ConeInputsOf(data);
    const DevelopedCone d = DevelopConeInputs(shapeCode, in, settings, results);
    if (d.NoBody) errorFlag = 1;
    baseAngle = d.BaseAngle;
    cutRise = d.CutRise;
    StoreConeInputs(in, lastConeData);
    return d.Usable;
}

int CheckAndDevelopCone(std::int16_t shapeCode, const ConeArray& data, const ConeSettings& settings,
                        ConeResults& results, ConeArray& lastConeData, float& cutRise) {
    if (shapeCode < ShapeCoRe || shapeCode > ShapeCoDiscordi) return ConeRefusedSilently;
    const ConeInputs in = ConeInputsOf(data);
    if (const int message = ConeInputsMessage(shapeCode, in, settings); message != 0) return message;
    if (const int step = CheckAngleStep(settings.AngleStep); step != 0) return step;
    const DevelopedCone d = DevelopConeInputs(shapeCode, in, settings, results);
    StoreConeInputs(in, lastConeData);
    cutRise = d.CutRise;
    if (d.NoBody) return WiderAtTopOr(ErrImpossible, in);
    if (const int apex = ConeApexAngleMessage(results.ConeApexAngle); apex != 0) return WiderAtTopOr(apex, in);
    if (!d.Usable || !std::isfinite(cutRise) || !std::isfinite(results.FrustumHeight1) ||
        !std::isfinite(results.FrustumHeight2) || !std::isfinite(results.LowerCutOffset)) {
        return ErrImpossible;
    }
    return 0;
}

int ValidateAndDevelopCone(std::int16_t shapeCode, float& cutRise, WorkingState& state, ConeResults& results) {
    return CheckAndDevelopCone(shapeCode, state.Inputs.ConeData, ConeSettingsOf(state), results, state.LastConeData,
                               cutRise);
}

int ConeApplyMessage(std::int16_t shapeCode, const WorkingState& state) {
    ConeResults results;
    ConeArray last{};
    float cutRise = 0;
    return CheckAndDevelopCone(shapeCode, state.Inputs.ConeData, ConeSettingsOf(state), results, last, cutRise);
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
