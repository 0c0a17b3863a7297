#include "cones/cone_sketch.h"

#include <algorithm>
#include <cmath>

#include "core/fill_seed.h"
#include "core/sketch_primitives.h"

namespace velm {

namespace {

constexpr Colour White = RGB(255, 255, 255);
constexpr Colour Yellow = RGB(255, 255, 0);

enum class Dim { LevelAbove, LevelBelow45, LevelBelow40, CutAbove55, CutAbove45, CutBelow };

struct Pt {
    float x = 0, y = 0;
};

bool Finite(std::initializer_list<float> values) {
    return std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); });
}

float Slope(float radians) { return static_cast<float>(-std::tan(static_cast<double>(radians))); }

// The cut line through `corner` with slope m (dy/dx) meets the generatrix
// that starts at `from` and runs s units across per unit down.
Pt CutMeetsSide(Pt corner, Pt from, float s, float m) {
    const float d = corner.x - from.x;
    const float q = 1 - s * m;
    return {from.x - d * s * m / q, corner.y - d * m / q};
}

class Sketcher {
public:
    Sketcher(RasterCanvas& pic, const ConeSketchInput& in, const ConeResults& results, const ConeDrawingContext& ctx,
             ConeSketch& out)
        : f_(out.Frame), pic_(pic), in_(in), results_(results), ctx_(ctx), out_(out) {}

    void Dimension(int index, Dim variant, float k, Pt p1, Pt p2) {
        float dx = 0, dy = 0, theta = 0, row = 0, boxX = 45;
        switch (variant) {
            case Dim::LevelAbove: dy = -20; row = p1.y - 55; break;
            case Dim::LevelBelow45: dy = 20; row = p1.y + 40; break;
            case Dim::LevelBelow40: dy = 20; row = p1.y + 40; boxX = 40; break;
            case Dim::CutAbove55:
            case Dim::CutAbove45:
                dx = 25 * k;
                dy = -20;
                theta = in_.Inputs.UpperCut;
                row = std::min(p1.y, p2.y) - (variant == Dim::CutAbove55 ? 55.0f : 45.0f);
                break;
            case Dim::CutBelow:
                dx = -25 * k;
                dy = 20;
                theta = in_.Inputs.LowerCut;
                row = std::max(p1.y, p2.y) + 40;
                boxX = 40;
                break;
        }
        pic_.Line(p1.x + dx, p1.y + dy, p2.x + dx, p2.y + dy, White);
        pic_.Line(p1.x + dx, p1.y + dy, p1.x, p1.y, White);
        DrawArrowHead(pic_, theta, p1.x + dx, p1.y + dy);
        pic_.Line(p2.x + dx, p2.y + dy, p2.x, p2.y, White);
        DrawArrowHead(pic_, theta + 180, p2.x + dx, p2.y + dy);

        PlacedLabel label;
        label.Visible = true;
        label.Left = f_.cx - 60;
        label.Top = row;
        out_.Labels[index] = label;
        out_.Boxes.push_back({index, {true, f_.cx + boxX, row, index == 0 ? in_.Inputs.UpperDiameter : in_.Inputs.LowerDiameter, false}});
    }

    void Height(float xBR, float xTR) {
        const HeightDimensionPlacement p =
            DrawConeHeightDimension(pic_, f_.cx, f_.yTop, f_.yBottom, xBR, xTR, ctx_.ShapeCode, in_.Inputs.AxisHeight);
        out_.Labels[2] = p.Label;
        out_.Boxes.push_back(p.Box);
    }

    void Side(int which, float xA, float xB, float yA, float yB) {
        out_.Labels[which == 1 ? 5 : 6] = ShowConeResultLabel(which, xA, xB, yA, yB, results_, ctx_);
    }

    void AngleBox(int index, float value, Pt at) { out_.Boxes.push_back({index, {true, at.x, at.y, value, true}}); }

    void Axis() {
        pic_.DrawStyle = DrawDashDot;
        pic_.Line(f_.cx, f_.top, f_.cx, f_.bottom, White);
        pic_.DrawStyle = DrawSolid;
    }

    // The seed lies on the axis midway between the body's two ends, which
    // is inside the outline whatever the cuts; no fill when that gap is
    // under two pixels.
    void Fill() {
        const auto seed = FillSeedBetween(pic_, f_.cx, f_.yTop, f_.yBottom, Yellow);
        if (!seed) return;
        pic_.FloodFill(seed->X, seed->Y, Yellow, in_.Fill);
        out_.Filled = true;
    }

    void Outline(Pt a1, Pt a2, Pt b1, Pt b2, Pt c1, Pt c2, Pt d1, Pt d2) {
        pic_.Line(a1.x, a1.y, a2.x, a2.y, Yellow);
        pic_.Line(b1.x, b1.y, b2.x, b2.y, Yellow);
        pic_.Line(c1.x, c1.y, c2.x, c2.y, Yellow);
        pic_.Line(d1.x, d1.y, d2.x, d2.y, Yellow);
    }

    ConeSketchFrame& f_;

private:
    RasterCanvas& pic_;
    const ConeSketchInput& in_;
    const ConeResults& results_;
    const ConeDrawingContext& ctx_;
    ConeSketch& out_;
};

}  // namespace

void ComputeEnclosingDiameters(std::int16_t shapeCode, const ConeInputs& data, float frustumHeight1,
                               float cutRise, float& enclosingUpper, float& enclosingLower) {
    const bool upperCut = shapeCode == ShapeCoTaSup || shapeCode == ShapeCoConcordi || shapeCode == ShapeCoDiscordi;
    const bool lowerCut = shapeCode == ShapeCoTaInf || shapeCode == ShapeCoConcordi || shapeCode == ShapeCoDiscordi;
    if (upperCut) {
        const double rise = static_cast<double>(frustumHeight1) - cutRise - data.AxisHeight;
        enclosingUpper = static_cast<float>(2 * rise / std::tan(std::fabs(static_cast<double>(data.UpperCutRadians))));
    }
    if (lowerCut) {
        enclosingLower = static_cast<float>(2 * static_cast<double>(cutRise) /
                                            std::tan(std::fabs(static_cast<double>(data.LowerCutRadians))));
    }
}

ConeSketch DrawConeSketch(RasterCanvas& picture, const ConeSketchInput& input, const ConeResults& results,
                          const ConeDrawingContext& context) {
    ConeSketch out;
    const std::int16_t code = context.ShapeCode;
    if (code < ShapeCoRe || code > ShapeCoDiscordi) return out;
    const ConeInputs& d = input.Inputs;
    const bool upperCut = code == ShapeCoTaSup || code == ShapeCoConcordi || code == ShapeCoDiscordi;
    const bool lowerCut = code == ShapeCoTaInf || code == ShapeCoConcordi || code == ShapeCoDiscordi;

    // The enclosing uncut frustum: bottom and top diameters and its height.
    const float DB = lowerCut ? input.EnclosingLowerDiameter : d.LowerDiameter;
    const float DT = upperCut ? input.EnclosingUpperDiameter : d.UpperDiameter;
    const float HH = code == ShapeCoRe ? d.AxisHeight : input.FrustumHeight1;

    Sketcher s(picture, input, results, context, out);
    ConeSketchFrame& f = s.f_;
    f.cx = static_cast<float>(picture.ScaleWidth()) / 2;
    f.cy = static_cast<float>(picture.ScaleHeight()) / 2;
    // Width first, then the height capped 60 from the picture's edges.
    f.a = f.cx - 110;
    f.h = f.a * HH / DB;
    f.b = f.a * DT / DB;
    if (f.cy - 60 < f.h) {
        f.h = f.cy - 60;
        f.b = f.h * DT / HH;
        f.a = f.h * DB / HH;
    }
    // A picture too small for a figure, or no figure at all: nothing drawn,
    // never a mirrored one.
    if (!Finite({f.a, f.b, f.h}) || !(f.a > 0) || !(f.b > 0) || !(f.h > 0)) return out;

    const float xTL = f.cx - f.b, xTR = f.cx + f.b, xBL = f.cx - f.a, xBR = f.cx + f.a;
    f.top = f.cy - f.h;
    f.bottom = f.cy + f.h;
    const Pt TL{xTL, f.top}, TR{xTR, f.top}, BL{xBL, f.bottom}, BR{xBR, f.bottom};

    Pt i1 = TL;  // the upper cut's end on the left side
    Pt i2 = BR;  // the lower cut's end on the far side
    if (upperCut) i1 = CutMeetsSide(TR, TL, (xBL - xTL) / (f.bottom - f.top), Slope(d.UpperCutRadians));
    if (lowerCut) {
        if (code == ShapeCoDiscordi) {
            i2 = CutMeetsSide(BR, BL, (xTL - xBL) / (f.top - f.bottom), Slope(d.LowerCutRadians));
        } else {
            i2 = CutMeetsSide(BL, BR, (xTR - xBR) / (f.top - f.bottom), Slope(d.LowerCutRadians));
        }
    }
    if (!Finite({i1.x, i1.y, i2.x, i2.y})) return out;

    // Where the cuts cross the axis: the ends of the height dimension.
    f.yTop = f.top;
    f.yBottom = f.bottom;
    if (upperCut) f.yTop = f.top + (f.cx - xTR) * (i1.y - f.top) / (i1.x - xTR);
    if (lowerCut) {
        const float xC = code == ShapeCoDiscordi ? xBR : xBL;
        f.yBottom = f.bottom + (f.cx - xC) * (i2.y - f.bottom) / (i2.x - xC);
    }
    if (!Finite({f.yTop, f.yBottom})) return out;
    out.Drawn = true;

    const Pt TR1{xTR + 1, f.top};
    switch (code) {
        case ShapeCoRe: s.Outline(TL, TR1, BL, BR, BL, TL, BR, TR); break;
        case ShapeCoTaSup: s.Outline(i1, TR1, BL, BR, BL, i1, BR, TR); break;
        case ShapeCoTaInf: s.Outline(TL, TR1, BL, {i2.x + 1, i2.y}, BL, TL, TR, {i2.x, i2.y + 1}); break;
        case ShapeCoConcordi: s.Outline(i1, TR1, BL, i2, BL, i1, i2, TR); break;
        default: s.Outline(i1, TR1, i2, BR, i2, i1, BR, TR); break;
    }
    s.Fill();
    if (code != ShapeCoTaInf) s.Axis();

    const float lowerAngle = code == ShapeCoDiscordi ? -d.LowerCut : d.LowerCut;  // shown as a magnitude
    switch (code) {
        case ShapeCoRe:
            s.Dimension(0, Dim::LevelAbove, 0, TL, TR);
            s.Dimension(1, Dim::LevelBelow45, 0, BL, BR);
            s.Height(xBR, xTR);
            s.Side(1, xBL, xTL, f.bottom, f.top);
            break;
        case ShapeCoTaSup:
            s.Dimension(0, Dim::CutAbove55, Slope(d.UpperCutRadians), i1, TR);
            s.Height(xBR, xTR);
            s.Side(1, xBL, i1.x, f.bottom, i1.y);
            s.Side(2, xTR, xBR, f.bottom, f.top);
            s.Dimension(1, Dim::LevelBelow40, 0, BL, BR);
            s.AngleBox(3, d.UpperCut, TL);
            break;
        case ShapeCoTaInf:
            s.Dimension(1, Dim::CutBelow, Slope(d.LowerCutRadians), BL, i2);
            s.Height(xBR, xTR);
            s.Side(1, xBL, xTL, f.bottom, f.top);
            s.Side(2, xTR, i2.x, i2.y, f.top);
            s.Dimension(0, Dim::LevelAbove, 0, TL, TR);
            s.AngleBox(3, lowerAngle, BL);
            s.Axis();
            break;
        case ShapeCoConcordi:
            s.Dimension(0, Dim::CutAbove45, Slope(d.UpperCutRadians), i1, TR);
            s.Dimension(1, Dim::CutBelow, Slope(d.LowerCutRadians), BL, i2);
            s.Height(xBR, xTR);
            s.Side(1, xBL, i1.x, f.bottom, i1.y);
            s.Side(2, xTR, i2.x, i2.y, f.top);
            s.AngleBox(4, lowerAngle, BL);
            s.AngleBox(3, d.UpperCut, TL);
            break;
        default:
            s.Dimension(0, Dim::CutAbove45, Slope(d.UpperCutRadians), i1, TR);
            s.Dimension(1, Dim::CutBelow, Slope(d.LowerCutRadians), i2, BR);
            s.Height(xBR, xTR);
            s.Side(1, i2.x, i1.x, i2.y, i1.y);
            s.Side(2, xTR, xBR, f.bottom, f.top);
            s.AngleBox(4, lowerAngle, BL);
            s.AngleBox(3, d.UpperCut, TL);
            break;
    }
    return out;
}

}  // namespace velm
