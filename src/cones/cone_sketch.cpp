#include "cones/cone_sketch.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

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
        out_.Labels[ConeSideLabelSlot(which)] = ShowConeResultLabel(which, xA, xB, yA, yB, results_, ctx_);
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

bool HasUpperCut(std::int16_t code) {
    return code == ShapeCoTaSup || code == ShapeCoConcordi || code == ShapeCoDiscordi;
}
bool HasLowerCut(std::int16_t code) {
    return code == ShapeCoTaInf || code == ShapeCoConcordi || code == ShapeCoDiscordi;
}

// Where the captions and boxes go, as the dimensions place them: the
// diameter rows centred on the axis above and below the body, the height's
// caption and box right of the bottom's right corner, the angles' left of
// the corners they stand at. Both half widths reach out on each side.
bool FitToRoom(const RasterCanvas& picture, std::int16_t code, const SketchRoom& room, ConeSketchFrame& f) {
    constexpr double Margin = 2;
    const double height = picture.ScaleHeight();
    const double lowest = height / 2 - 40 - room.BoxHeight - Margin;  // h at most
    double k = f.h > lowest ? lowest / f.h : 1;
    const double a = f.a * k, b = f.b * k;
    const auto row = [&](std::size_t i) { return std::max(45.0, room.Label[i] - 58) + room.Box[i]; };
    std::vector<SketchReach> reaches{
        {false, a, 0}, {false, b, 0}, {true, a, 0}, {true, b, 0},
        {true, a, std::max(70.0, 42 + room.Label[2]) + room.Box[2]},
        {false, 0, 60}, {true, 0, row(0)}, {true, 0, row(1)},
    };
    if (HasUpperCut(code)) reaches.push_back({false, b, std::max(112.0, 59 + room.Label[3])});
    if (HasLowerCut(code)) reaches.push_back({false, a, std::max(112.0, 59 + room.Label[code == ShapeCoTaInf ? 3 : 4])});
    const SketchFit fit = FitReachesAcross(picture.ScaleWidth(), Margin, reaches);
    k *= fit.Factor;
    f.a = static_cast<float>(f.a * k);
    f.b = static_cast<float>(f.b * k);
    f.h = static_cast<float>(f.h * k);
    f.cx = static_cast<float>(fit.Centre);

    return fit.Factor > 0;
}

// Scales the enclosing uncut frustum (bottom and top diameters and its
// height) to the picture: width first, then the height capped 60 from the
// picture's edges. False for a picture too small for a figure, or no figure
// at all: nothing is drawn then, never a mirrored one.
bool FitFrame(const RasterCanvas& picture, const ConeSketchInput& input, std::int16_t code, const SketchRoom& room,
              ConeSketchFrame& f) {
    const ConeInputs& d = input.Inputs;
    const float DB = HasLowerCut(code) ? input.EnclosingLowerDiameter : d.LowerDiameter;
    const float DT = HasUpperCut(code) ? input.EnclosingUpperDiameter : d.UpperDiameter;
    const float HH = code == ShapeCoRe ? d.AxisHeight : input.FrustumHeight1;
    f.cx = static_cast<float>(picture.ScaleWidth()) / 2;
    f.cy = static_cast<float>(picture.ScaleHeight()) / 2;
    f.a = f.cx - 110;
    f.h = f.a * HH / DB;
    f.b = f.a * DT / DB;
    if (f.cy - 60 < f.h) {
        f.h = f.cy - 60;
        f.b = f.h * DT / HH;
        f.a = f.h * DB / HH;
    }
    if (!Finite({f.a, f.b, f.h})) return false;
    if (room.Measured && !FitToRoom(picture, code, room, f)) return false;
    return f.a > 0 && f.b > 0 && f.h > 0;
}

// The enclosing frustum's corners and where the cuts end on its sides.
struct Corners {
    Pt TL, TR, BL, BR;
    Pt i1;  // the upper cut's end on the left side
    Pt i2;  // the lower cut's end on the far side
};

// The corners, and in the frame where the cuts cross the axis (the ends of
// the height dimension). Nothing when a point is not a number.
std::optional<Corners> CornersOf(ConeSketchFrame& f, const ConeInputs& d, std::int16_t code) {
    const float xTL = f.cx - f.b, xTR = f.cx + f.b, xBL = f.cx - f.a, xBR = f.cx + f.a;
    f.top = f.cy - f.h;
    f.bottom = f.cy + f.h;
    Corners c{{xTL, f.top}, {xTR, f.top}, {xBL, f.bottom}, {xBR, f.bottom}, {xTL, f.top}, {xBR, f.bottom}};
    const bool upperCut = HasUpperCut(code);
    const bool lowerCut = HasLowerCut(code);
    if (upperCut) c.i1 = CutMeetsSide(c.TR, c.TL, (xBL - xTL) / (f.bottom - f.top), Slope(d.UpperCutRadians));
    if (lowerCut) {
        if (code == ShapeCoDiscordi) {
            c.i2 = CutMeetsSide(c.BR, c.BL, (xTL - xBL) / (f.top - f.bottom), Slope(d.LowerCutRadians));
        } else {
            c.i2 = CutMeetsSide(c.BL, c.BR, (xTR - xBR) / (f.top - f.bottom), Slope(d.LowerCutRadians));
        }
    }
    if (!Finite({c.i1.x, c.i1.y, c.i2.x, c.i2.y})) return std::nullopt;

    f.yTop = f.top;
    f.yBottom = f.bottom;
    if (upperCut) f.yTop = f.top + (f.cx - xTR) * (c.i1.y - f.top) / (c.i1.x - xTR);
    if (lowerCut) {
        const float xC = code == ShapeCoDiscordi ? xBR : xBL;
        f.yBottom = f.bottom + (f.cx - xC) * (c.i2.y - f.bottom) / (c.i2.x - xC);
    }
    if (!Finite({f.yTop, f.yBottom})) return std::nullopt;
    return c;
}

// Top, bottom, left and right side of the body as the shape cuts it; the
// top runs one pixel past its right corner.
void DrawOutline(Sketcher& s, const Corners& c, std::int16_t code) {
    const Pt TR1{c.TR.x + 1, c.TR.y};
    const Pt &TL = c.TL, &TR = c.TR, &BL = c.BL, &BR = c.BR, &i1 = c.i1, &i2 = c.i2;
    switch (code) {
        case ShapeCoRe: s.Outline(TL, TR1, BL, BR, BL, TL, BR, TR); break;
        case ShapeCoTaSup: s.Outline(i1, TR1, BL, BR, BL, i1, BR, TR); break;
        case ShapeCoTaInf: s.Outline(TL, TR1, BL, {i2.x + 1, i2.y}, BL, TL, TR, {i2.x, i2.y + 1}); break;
        case ShapeCoConcordi: s.Outline(i1, TR1, BL, i2, BL, i1, i2, TR); break;
        default: s.Outline(i1, TR1, i2, BR, i2, i1, BR, TR); break;
    }
}

// The dimensions, boxes and side labels each shape shows, in their order.
void DrawDimensions(Sketcher& s, const Corners& c, const ConeInputs& d, std::int16_t code) {
    const ConeSketchFrame& f = s.f_;
    const Pt &TL = c.TL, &TR = c.TR, &BL = c.BL, &BR = c.BR, &i1 = c.i1, &i2 = c.i2;
    const float lowerAngle = code == ShapeCoDiscordi ? -d.LowerCut : d.LowerCut;  // shown as a magnitude
    switch (code) {
        case ShapeCoRe:
            s.Dimension(0, Dim::LevelAbove, 0, TL, TR);
            s.Dimension(1, Dim::LevelBelow45, 0, BL, BR);
            s.Height(BR.x, TR.x);
            s.Side(1, BL.x, TL.x, f.bottom, f.top);
            break;
        case ShapeCoTaSup:
            s.Dimension(0, Dim::CutAbove55, Slope(d.UpperCutRadians), i1, TR);
            s.Height(BR.x, TR.x);
            s.Side(1, BL.x, i1.x, f.bottom, i1.y);
            s.Side(2, TR.x, BR.x, f.bottom, f.top);
            s.Dimension(1, Dim::LevelBelow40, 0, BL, BR);
            s.AngleBox(3, d.UpperCut, TL);
            break;
        case ShapeCoTaInf:
            s.Dimension(1, Dim::CutBelow, Slope(d.LowerCutRadians), BL, i2);
            s.Height(BR.x, TR.x);
            s.Side(1, BL.x, TL.x, f.bottom, f.top);
            s.Side(2, TR.x, i2.x, i2.y, f.top);
            s.Dimension(0, Dim::LevelAbove, 0, TL, TR);
            s.AngleBox(3, lowerAngle, BL);
            s.Axis();
            break;
        case ShapeCoConcordi:
            s.Dimension(0, Dim::CutAbove45, Slope(d.UpperCutRadians), i1, TR);
            s.Dimension(1, Dim::CutBelow, Slope(d.LowerCutRadians), BL, i2);
            s.Height(BR.x, TR.x);
            s.Side(1, BL.x, i1.x, f.bottom, i1.y);
            s.Side(2, TR.x, i2.x, i2.y, f.top);
            s.AngleBox(4, lowerAngle, BL);
            s.AngleBox(3, d.UpperCut, TL);
            break;
        default:
            s.Dimension(0, Dim::CutAbove45, Slope(d.UpperCutRadians), i1, TR);
            s.Dimension(1, Dim::CutBelow, Slope(d.LowerCutRadians), i2, BR);
            s.Height(BR.x, TR.x);
            s.Side(1, i2.x, i1.x, i2.y, i1.y);
            s.Side(2, TR.x, BR.x, f.bottom, f.top);
            s.AngleBox(4, lowerAngle, BL);
            s.AngleBox(3, d.UpperCut, TL);
            break;
    }
}

}  // namespace

void ComputeEnclosingDiameters(std::int16_t shapeCode, const ConeInputs& data, float frustumHeight1,
                               float cutRise, float& enclosingUpper, float& enclosingLower) {
    if (HasUpperCut(shapeCode)) {
        const double rise = static_cast<double>(frustumHeight1) - cutRise - data.AxisHeight;
        enclosingUpper = static_cast<float>(2 * rise / std::tan(std::fabs(static_cast<double>(data.UpperCutRadians))));
    }
    if (HasLowerCut(shapeCode)) {
        enclosingLower = static_cast<float>(2 * static_cast<double>(cutRise) /
                                            std::tan(std::fabs(static_cast<double>(data.LowerCutRadians))));
    }
}

ConeSketch DrawConeSketch(RasterCanvas& picture, const ConeSketchInput& input, const ConeResults& results,
                          const ConeDrawingContext& context, const SketchRoom& room) {
    ConeSketch out;
    const std::int16_t code = context.ShapeCode;
    if (code < ShapeCoRe || code > ShapeCoDiscordi) return out;
    Sketcher s(picture, input, results, context, out);
    if (!FitFrame(picture, input, code, room, s.f_)) return out;
    const auto corners = CornersOf(s.f_, input.Inputs, code);
    if (!corners) return out;
    out.Drawn = true;
    DrawOutline(s, *corners, code);
    s.Fill();
    if (code != ShapeCoTaInf) s.Axis();
    DrawDimensions(s, *corners, input.Inputs, code);
    return out;
}

}  // namespace velm
