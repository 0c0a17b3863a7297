#include "cones/cone_compute.h"

#include <cmath>
#include <memory>
#include <utility>

#include "core/number_text.h"
#include "core/shape_inputs.h"
#include "geometry/cylinder_geometry.h"

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

// The body from the values as typed: cut angles by shape code, in radians
// from their degrees (the single-precision radians beside them are for the
// data file and the windows).
ConeBody TypedConeBody(ShapeKind shape, const ConeInputs& in, int thicknessFactor) {
    ConeBody body;
    body.UpperDiameter = TypedWorkingDiameter(in.UpperDiameter, in.Thickness, thicknessFactor);
    body.LowerDiameter = TypedWorkingDiameter(in.LowerDiameter, in.Thickness, thicknessFactor);
    if (IsFrustumKind(shape)) {
        const ShapeKindInfo& kind = *FindShapeKind(shape);
        body.UpperCut = kind.TopCut ? TypedRadians(in.UpperCut) : 0;
        body.LowerCut = kind.BottomCut ? TypedRadians(in.LowerCut) : 0;
    }
    return body;
}

// The development of the typed values; the record's Message is left 0.
DevelopedCone DevelopConeInputs(ShapeKind shape, const ConeInputs& in, const ConeSettings& settings,
                                ConeResults& results) {
    const ConeBody body = TypedConeBody(shape, in, settings.ThicknessFactor);
    const double height = TypedValue(in.AxisHeight);
    const ConeSolution solution = SolveConeHalfAngle(body, height);
    DevelopedCone d;
    d.Developed = true;
    d.Inputs = in;
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
int ConeInputsMessage(ShapeKind shape, const ConeInputs& in, const ConeSettings& settings) {
    const int factor = settings.ThicknessFactor;
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
    const float lowerCutField = shape == ShapeCoDiscordi ? std::fabs(in.LowerCut) : in.LowerCut;
    switch (shape) {
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

// Whether a development that ran has a body within the apex-angle limits:
// 0, else the number of the error text.
int ConeBodyMessage(const DevelopedCone& d, const ConeResults& results) {
    if (d.NoBody) return ErrImpossible;
    return ConeApexAngleMessage(results.ConeApexAngle);
}

// The answer for a development that ran: its body, its apex angle, then
// whether every value is finite.
int DevelopedConeMessage(const DevelopedCone& d, const ConeResults& results) {
    if (const int body = ConeBodyMessage(d, results); body != 0) return body;
    if (!d.Usable || !std::isfinite(d.CutRise) || !std::isfinite(results.FrustumHeight1) ||
        !std::isfinite(results.FrustumHeight2) || !std::isfinite(results.LowerCutOffset)) {
        return ErrImpossible;
    }
    return 0;
}

// Whether the same values with the two diameters exchanged are accepted,
// computed into a scratch development.
bool AcceptedWithDiametersExchanged(ShapeKind shape, ConeInputs in, const ConeSettings& settings) {
    std::swap(in.UpperDiameter, in.LowerDiameter);
    if (ConeInputsMessage(shape, in, settings) != 0) return false;
    const auto scratch = std::make_unique<ConeResults>();
    const DevelopedCone d = DevelopConeInputs(shape, in, settings, *scratch);
    return DevelopedConeMessage(d, *scratch) == 0;
}

// A body refused by the geometry or the apex angle while its upper diameter
// is the larger: a hopper typed as it stands gets 47 when turning it over
// makes it a frustum; otherwise the diameters are not what to change (a cut
// face may be wider than the lower end) and the refusal's own text stands.
int WiderAtTopOr(int message, ShapeKind shape, const ConeInputs& in, const ConeSettings& settings) {
    if (!(in.UpperDiameter > in.LowerDiameter)) return message;
    return AcceptedWithDiametersExchanged(shape, in, settings) ? ErrWiderAtTop : message;
}

}  // namespace

double TypedWorkingDiameter(float diameter, float thickness, int thicknessFactor) {
    return thicknessFactor * TypedValue(thickness) + TypedValue(diameter);
}

int ConeApexAngleMessage(float apexAngle) {
    if (!std::isfinite(apexAngle)) return ErrImpossible;
    if (static_cast<double>(apexAngle) < 0.1) return ErrApexTooSmall;
    if (apexAngle > 60) return ErrApexTooLarge;
    return 0;
}

DevelopedCone DevelopCone(ShapeKind shape, const ConeArray& data, const ConeSettings& settings,
                          ConeResults& results) {
    return DevelopConeInputs(shape, ConeInputsOf(data), settings, results);
}

DevelopedCone CheckAndDevelopCone(ShapeKind shape, const ConeArray& data, const ConeSettings& settings,
                                  ConeResults& results) {
    DevelopedCone refused;
    refused.Message = ConeRefusedSilently;
    if (shape < ShapeCoRe || shape > ShapeCoDiscordi) return refused;
    const ConeInputs in = ConeInputsOf(data);
    refused.Message = ConeInputsMessage(shape, in, settings);
    if (refused.Message == 0) refused.Message = CheckAngleStep(settings.AngleStep);
    if (refused.Message != 0) return refused;
    DevelopedCone d = DevelopConeInputs(shape, in, settings, results);
    const int body = ConeBodyMessage(d, results);
    d.Message = body != 0 ? WiderAtTopOr(body, shape, in, settings) : DevelopedConeMessage(d, results);
    return d;
}

DevelopedCone ValidateAndDevelopCone(ShapeKind shape, WorkingState& state) {
    const DevelopedCone d =
        CheckAndDevelopCone(shape, state.Inputs.ConeData, ConeSettingsOf(state), state.ConeDevelopment.Results);
    if (d.Developed) state.LastConeInputs = d.Inputs;
    return d;
}

int ConeApplyMessage(ShapeKind shape, const WorkingState& state) {
    ConeResults results;
    return CheckAndDevelopCone(shape, state.Inputs.ConeData, ConeSettingsOf(state), results).Message;
}

void ToggleConeWeldSide(WorkingState& state, ConeResults& results) {
    if (state.DevelopmentValid == False16) {
        state.Settings.LatoSaldatura = static_cast<std::int16_t>(-state.Settings.LatoSaldatura);
        return;
    }
    ToggleConeWeldSide(static_cast<ShapeKind>(state.ShapeCode), state, results);
}

void ToggleConeWeldSide(ShapeKind shape, WorkingState& state, ConeResults& results) {
    state.Settings.LatoSaldatura = static_cast<std::int16_t>(-state.Settings.LatoSaldatura);
    state.LastConeInputs = DevelopCone(shape, state.Inputs.ConeData, ConeSettingsOf(state), results).Inputs;
}

}  // namespace velm
