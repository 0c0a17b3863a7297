#include "elbows/cyl_elbow_fields.h"

#include <algorithm>

#include "core/language.h"
#include "core/number_text.h"
#include "geometry/angles.h"
#include "geometry/cylinder_geometry.h"
#include "platform/look.h"

namespace velm {

namespace {

const char* const Degrees = "\xC2\xB0";

enum Field { Thickness, Diameter, StartCut, EndCut, Bend, AxisLength, Radius, Pieces };

double UnitFactor(const FieldSettings& s) { return s.MeasuringSystem == 1 ? 25.4 : 1.0; }

// The bend angle of box 4 in radians.
double BendRadians(const CylElbowBoxTexts& b) { return ReadNumber(b.BendAngle) * DegToRad; }

// The range of L and R: at least three quarters of the diameter for R, and
// the arc of the least and greatest R for L.
struct Range {
    float Min, Max;
};
Range RadiusRange(const CylElbowBoxTexts& b, const FieldSettings& s) {
    const double f = UnitFactor(s);
    const float least = MaxSingle(static_cast<float>(s.Limits.BendRadiusLimit.Min / f),
                                  static_cast<float>(0.75 * ReadNumber(b.Diameter)));
    return {least, static_cast<float>(s.Limits.BendRadiusLimit.Max / f)};
}
Range LengthRange(const CylElbowBoxTexts& b, const FieldSettings& s) {
    const double f = UnitFactor(s), a = BendRadians(b);
    const float least = MaxSingle(static_cast<float>(s.Limits.BendRadiusLimit.Min / f * a),
                                  static_cast<float>(0.75 * ReadNumber(b.Diameter) * a));
    return {least, static_cast<float>(s.Limits.BendRadiusLimit.Max / f * a)};
}

// A length limit is compared at the precision the box shows it.
double Shown(float limit, const FieldSettings& s) { return ReadNumber(FormatLength(limit, s.MeasuringSystem)); }

bool Replace(std::string& text, std::string by) {
    Beep();
    text = std::move(by);
    return true;
}

}  // namespace

bool CylElbowKeyRefused(const BoxState& box, int field, int key, const CylElbowBoxTexts& boxes,
                        const FieldSettings& s) {
    const InputLimits& l = s.Limits;
    const double f = UnitFactor(s);
    const std::int16_t places = DecimalPlaces(s.MeasuringSystem);
    auto length = [&](double max) { return FilterDecimalKey(box, 0, static_cast<float>(max), places, key); };
    switch (field) {
        case Thickness: return length(l.ThicknessLimit.Max / f);
        case Diameter: return length(l.ElbowDiameterLimit.Max / f);
        case StartCut: return FilterDecimalKey(box, l.StartCutLimit.Min, l.StartCutLimit.Max, 2, key);
        case EndCut: return FilterDecimalKey(box, l.EndCutLimit.Min, l.EndCutLimit.Max, 2, key);
        case Bend: return FilterDecimalKey(box, 0, l.BendAngleLimit.Max, 2, key);
        case AxisLength: return length(l.BendRadiusLimit.Max / f * BendRadians(boxes));
        case Radius: return length(l.BendRadiusLimit.Max / f);
        case Pieces: return FilterIntegerKey(box, 0, l.PiecesLimit.Max, key);
        default: return false;
    }
}

bool CheckCylElbowFieldRange(std::string& text, int field, const CylElbowBoxTexts& boxes, const FieldSettings& s) {
    const InputLimits& l = s.Limits;
    const double f = UnitFactor(s);
    const double v = ReadNumber(text);
    const std::int16_t unit = s.MeasuringSystem;
    auto lengthMin = [&](double min) {
        const auto m = static_cast<float>(min);
        return v < Shown(m, s) && Replace(text, FormatLength(m, unit));
    };
    auto plainMin = [&](float min) { return v < min && Replace(text, PlainNumberText(min)); };
    auto range = [&](Range r) {
        // Both tests take the value as it was when the box was left.
        bool replaced = v < Shown(r.Min, s) && Replace(text, FormatLength(r.Min, unit));
        if (v > Shown(r.Max, s)) replaced = Replace(text, FormatLength(r.Max, unit));
        return replaced;
    };
    switch (field) {
        case Thickness: return lengthMin(l.ThicknessLimit.Min / f);
        case Diameter: return lengthMin(l.ElbowDiameterLimit.Min / f);
        case StartCut: return plainMin(l.StartCutLimit.Min);
        case EndCut: return plainMin(l.EndCutLimit.Min);
        case Bend: return plainMin(l.BendAngleLimit.Min);
        case AxisLength: return range(LengthRange(boxes, s));
        case Radius: return range(RadiusRange(boxes, s));
        case Pieces: return plainMin(l.PiecesLimit.Min);
        default: return false;
    }
}

std::optional<std::string> CylElbowFieldHint(int field, const CylElbowBoxTexts& boxes, const FieldSettings& s) {
    const InputLimits& l = s.Limits;
    const double f = UnitFactor(s);
    const std::int16_t unit = s.MeasuringSystem;
    auto lengths = [&](int text, double min, double max) {
        return Txt(LangFrmCuCil, text) + " (" + FormatLength(static_cast<float>(min), unit) + " - " +
               FormatLength(static_cast<float>(max), unit) + ")";
    };
    auto angles = [&](int text, const InputLimit& limit) {
        return Txt(LangFrmCuCil, text) + " (" + PlainNumberText(limit.Min) + Degrees + " - " +
               PlainNumberText(limit.Max) + Degrees + ")";
    };
    switch (field) {
        case Thickness: return lengths(2, l.ThicknessLimit.Min / f, l.ThicknessLimit.Max / f);
        case Diameter:
            return lengths(s.DiametriExt == 1 ? 10 : 3, l.ElbowDiameterLimit.Min / f, l.ElbowDiameterLimit.Max / f);
        case StartCut: return angles(4, l.StartCutLimit);
        case EndCut: return angles(5, l.EndCutLimit);
        case Bend: return angles(6, l.BendAngleLimit);
        case AxisLength: {
            const Range r = LengthRange(boxes, s);
            return lengths(7, r.Min, r.Max);
        }
        case Radius: {
            const Range r = RadiusRange(boxes, s);
            return lengths(8, r.Min, r.Max);
        }
        case Pieces:
            return Txt(LangFrmCuCil, 9) + " (" + PlainNumberText(l.PiecesLimit.Min) + " - " +
                   PlainNumberText(l.PiecesLimit.Max) + ")";
        default: return std::nullopt;
    }
}

std::optional<std::string> RadiusFromAxisLength(const std::string& lengthText, const std::string& bendText,
                                                std::int16_t measuringSystem) {
    const double a = ReadNumber(bendText);
    if (a == 0) return std::nullopt;  // no bend: L and R stay as they are
    return FormatLength(ReadNumber(lengthText) * 180 / (Pi * a), measuringSystem);
}

std::string AxisLengthFromRadius(const std::string& radiusText, const std::string& bendText,
                                 std::int16_t measuringSystem) {
    return FormatLength(ReadNumber(radiusText) * Pi * ReadNumber(bendText) / 180, measuringSystem);
}

}  // namespace velm
