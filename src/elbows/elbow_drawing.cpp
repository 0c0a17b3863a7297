#include "elbows/elbow_drawing.h"

#include <cmath>
#include <cstdint>

#include "core/working_state.h"
#include "elbows/plane_geometry.h"
#include "geometry/angles.h"
#include "geometry/cylinder_geometry.h"

namespace velm {

namespace {

const Colour Outline = RGB(255, 255, 0);
constexpr float Step = static_cast<float>(DegToRad / 2);  // the figure's arcs, half a degree a segment
// Scale passes before a fit gives up (an elbow far too small for the picture).
constexpr long MaxFitPasses = 1000000;

struct Pixel {
    float x = 0, y = 0;
};

// An elbow point in the picture: about the bend centre, turned back by the
// drawing rotation, scaled and moved to the drawing centre.
Pixel Map(float x, float y, float R, const ElbowDrawing& d) {
    const PlanePoint p = WorldToPicture(RotateTranslatePoint(x - R, y, -d.DrawingRotation, 0, 0), d.DrawingRadius,
                                        d.DrawingCentreX, d.DrawingCentreY, R);
    return {p.x, p.y};
}
Pixel MapOuter(const LastElbow& e, int k, float R, const ElbowDrawing& d) {
    return Map(e.FaceOuterX[k], e.FaceOuterY[k], R, d);
}
Pixel MapInner(const LastElbow& e, int k, float R, const ElbowDrawing& d) {
    return Map(e.FaceInnerX[k], e.FaceInnerY[k], R, d);
}

// The point at radius r and angle a (counter-clockwise on the screen) from the centre.
Pixel At(const ElbowDrawing& d, float r, float a) {
    return {static_cast<float>(d.DrawingCentreX + r * std::cos(static_cast<double>(a))),
            static_cast<float>(d.DrawingCentreY - r * std::sin(static_cast<double>(a)))};
}

float FromCentre(const ElbowDrawing& d, Pixel p) {
    return static_cast<float>(PointDistance(d.DrawingCentreX, d.DrawingCentreY, p.x, p.y));
}

void Segment(RasterCanvas& pic, Pixel a, Pixel b, Colour c) { pic.Line(a.x, a.y, b.x, b.y, c); }

std::int32_t RoundLong(float v) {
    if (!(std::fabs(v) < 2e9f)) return 0;
    return static_cast<std::int32_t>(std::nearbyint(v));
}

void Letter(RasterCanvas& pic, float x, float y, const char* text) {
    const IntegerPair at = ToIntegerPair(x, y);
    pic.CurrentX = at.x;
    pic.CurrentY = at.y;
    pic.ForeColor = PaletteColour(14);
    pic.Print(text);
    pic.ForeColor = PaletteColour(0);
}

void Fill(RasterCanvas& pic, const ElbowDrawing& d, Colour fill) {
    pic.FloodFill(RoundLong(d.DrawingCentreX), RoundLong(d.DrawingCentreY - d.DrawingRadius), Outline, fill);
}

// From the last joint back to the first: a dotted line's pattern runs on
// from the line before.
void Joints(RasterCanvas& pic, const LastElbow& e, int faceCount, float R, const ElbowDrawing& d) {
    for (int j = faceCount; j >= 2; --j) {
        Segment(pic, MapInner(e, j, R, d), MapOuter(e, j, R, d), PaletteColour(2));
    }
}

// Half-degree steps from `from` until `until` - Step, at least one: the
// figure's arcs, bounded whatever the angles hold.
int ArcSteps(float from, float until) {
    const double span = (static_cast<double>(until) - Step - from) / Step;
    if (!(span > 0)) return 1;
    return static_cast<int>(std::min(span + 2, 2000.0));
}

// The bend-angle arc, the letter "A", and the axis carried straight on past
// both ends of the figure, with the letter "d" at its last point.
void BendMarks(RasterCanvas& pic, const ElbowDrawing& d, float sweepEnd, float sweep, float axisLength, float R,
               Pixel firstAxis, Pixel lastAxis, float lastAngle) {
    const float k = d.DrawingRadius;
    pic.DrawStyle = DrawDot;
    pic.Arc(d.DrawingCentreX, d.DrawingCentreY, k / 8, PaletteColour(1), std::fabs(d.DrawingRotation), sweepEnd);
    Letter(pic, d.DrawingCentreX - 3, d.DrawingCentreY - 20, "A");
    const float t = static_cast<float>((axisLength / 8) * Pi / sweep);
    const float delta = static_cast<float>(std::atan(static_cast<double>(t) / R));
    const float rr = static_cast<float>(k / std::cos(static_cast<double>(delta)));
    Segment(pic, firstAxis, At(d, rr, d.DrawingRotation - delta), PaletteColour(1));
    Segment(pic, lastAxis, At(d, rr, lastAngle + delta), PaletteColour(1));
    Letter(pic, lastAxis.x - 15, lastAxis.y + 5, "d");
}

// The radius: a dotted line from the axis arc half way down to the inner
// side, and its letter, at whole pixels when `whole`.
void RadiusMark(RasterCanvas& pic, const ElbowDrawing& d, Pixel a, Pixel pin, bool whole) {
    const float yR = pin.y - (pin.y - d.DrawingCentreY) / 2;
    pic.Line(a.x, a.y, a.x, yR, PaletteColour(1));
    if (whole) {
        Letter(pic, std::floor(a.x), std::floor(yR), "R");
    } else {
        Letter(pic, a.x, yR, "R");
    }
}

// The figure's running points: on its inner side, its outer side and the
// axis arc; each step draws on from them.
struct FigureTrace {
    Pixel pin, pout, a;
    bool radiusMarked = false;

    void Sides(RasterCanvas& pic, Pixel newPin, Pixel newPout) {
        Segment(pic, pin, newPin, PaletteColour(1));
        Segment(pic, pout, newPout, PaletteColour(1));
        pin = newPin;
        pout = newPout;
    }
    // The axis arc on to `alpha`, and the radius where the arc passes the top.
    void Axis(RasterCanvas& pic, const ElbowDrawing& d, float alpha, bool wholeLetter) {
        const Pixel newA = At(d, d.DrawingRadius, alpha);
        Segment(pic, a, newA, PaletteColour(1));
        a = newA;
        if (!radiusMarked && alpha >= Pi / 2 && alpha < Pi / 2 + Step) {
            radiusMarked = true;
            RadiusMark(pic, d, a, pin, wholeLetter);
        }
    }
};

// The figure of the bend of the cylindrical elbow and the conical variant 1,
// in pixels: the sides' radii at the start and how they step per half
// degree. A cylindrical elbow's sides run from the start face's width to the
// end face's; a conical one's between the joints next to its half end pieces.
struct BendFigure {
    bool cylinder = false;
    float half = 0, sweepEnd = 0;
    float dw = 0, outer0 = 0, inner0 = 0, hw = 0;
    float rOutFirst = 0, rInFirst = 0, dOut = 0, dIn = 0, dO = 0, dI = 0;
};

BendFigure BendFigureOf(float sweep, float startWidth, float endWidth, const LastElbow& e, int n, float R,
                        const ElbowDrawing& d) {
    BendFigure f;
    f.cylinder = e.ElbowIsCylinder != 0;
    const float k = d.DrawingRadius;
    f.half = e.HalfPieceAngle;
    f.sweepEnd = d.DrawingRotation + sweep;
    const float ws = startWidth / R * k;
    const float we = endWidth / R * k;
    f.dw = ((we - ws) / 2 * Step) / sweep;
    f.outer0 = ws / 2 + k;
    f.inner0 = k - ws / 2;
    f.hw = (we - ws) / 2;
    f.rOutFirst = FromCentre(d, MapOuter(e, 2, R, d));
    f.rInFirst = FromCentre(d, MapInner(e, 2, R, d));
    const float rOutLast = FromCentre(d, MapOuter(e, n, R, d));
    const float rInLast = FromCentre(d, MapInner(e, n, R, d));
    f.dOut = ((rOutLast - f.rOutFirst) * Step) / (sweep - 2 * f.half);
    f.dIn = ((f.rInFirst - rInLast) * Step) / (sweep - 2 * f.half);
    f.dO = rOutLast - f.rOutFirst;
    f.dI = f.rInFirst - rInLast;
    return f;
}

// The figure drawn half a degree at a time along the axis arc: the sides,
// the radius and the letters, then the bend marks.
void DrawBendFigure(RasterCanvas& picture, const BendFigure& f, const ElbowDrawing& d, float sweep,
                    float axisLength, float R) {
    const Pixel C{d.DrawingCentreX, d.DrawingCentreY};
    const Colour blue = PaletteColour(1);
    const bool cylinder = f.cylinder;
    const float k = d.DrawingRadius;
    float alpha = d.DrawingRotation;
    const float jointAngle = f.half + d.DrawingRotation;
    float hw = f.hw, dO = f.dO, dI = f.dI;
    FigureTrace t;
    t.a = At(d, k, alpha);
    const Pixel e0 = t.a;
    if (cylinder) {
        t.pin = At(d, f.inner0 - hw, alpha);
        t.pout = At(d, f.outer0 + dO, alpha);
        Segment(picture, C, t.pout, blue);
    } else {
        t.pin = At(d, f.rInFirst - dI, jointAngle);
        t.pout = At(d, f.rOutFirst + dO, jointAngle);
        Segment(picture, C, t.a, blue);
        Letter(picture, t.a.x + 15, t.a.y + 5, "D");
    }
    for (int steps = ArcSteps(alpha, f.sweepEnd); steps > 0; --steps) {
        alpha += Step;
        if (cylinder) {
            hw -= f.dw;
            t.Sides(picture, At(d, f.inner0 - hw, alpha), At(d, hw + f.outer0, alpha));
        } else if (jointAngle < alpha && alpha < f.sweepEnd - f.half) {
            dO -= f.dOut;
            dI -= f.dIn;
            t.Sides(picture, At(d, f.rInFirst - dI, alpha), At(d, f.rOutFirst + dO, alpha));
        }
        t.Axis(picture, d, alpha, true);
        if (alpha >= f.sweepEnd - Step) break;
    }
    Segment(picture, C, cylinder ? t.pout : t.a, blue);
    BendMarks(picture, d, f.sweepEnd, sweep, axisLength, R, e0, t.a, alpha);
}

bool Drawable(const ElbowDrawing& d, float sweep, float R) {
    return std::isfinite(sweep) && sweep > 0 && std::isfinite(R) && R > 0 && std::isfinite(d.DrawingRadius) &&
           d.DrawingRadius > 0;
}

}  // namespace

bool FitElbowToPicture(const Canvas& picture, float bendAngle, const LastElbow& e, int faceCount, float R,
                       ElbowDrawing& d) {
    const double room[2] = {picture.ScaleWidth() - 10, picture.ScaleHeight() - 10};
    if (!(room[0] >= 1 && room[1] >= 1) || faceCount < 1 || faceCount + 1 > ElbowEntryLast) return false;
    const float W = static_cast<float>(std::nearbyint(std::min(room[0], 32767.0)));
    const float H = static_cast<float>(std::nearbyint(std::min(room[1], 32767.0)));
    const float rotation = static_cast<float>(Pi / 2 - bendAngle / 2.0);

    float maxX = 0, maxY = 0, minX = 1e10f, minY = 1e10f;
    for (int j = 1; j <= faceCount + 1; ++j) {
        for (const PlanePoint corner : {PlanePoint{e.FaceOuterX[j], e.FaceOuterY[j]},
                                        PlanePoint{e.FaceInnerX[j], e.FaceInnerY[j]}}) {
            const PlanePoint p = RotateTranslatePoint(corner.x - R, corner.y, -rotation, 0, 0);
            maxX = MaxSingle(maxX, p.x);
            minX = MinSingle(minX, p.x);
            maxY = MaxSingle(maxY, p.y);
            minY = MinSingle(minY, p.y);
        }
    }
    if (minY > 0) minY = 0;
    const float Wx = maxX - minX;
    const float Hy = maxY - minY;
    const bool byHeight = Wx / W < Hy / H;
    const float extent = byHeight ? Hy : Wx;
    const float M = byHeight ? H : W;
    if (!(extent > 0) || !std::isfinite(extent) || !std::isfinite(R) || !(R > 0)) return false;

    float num = 1, den = 1;
    for (long pass = 0;; ++pass) {
        if (pass == MaxFitPasses) return false;
        const float v = extent * num / den;
        bool changed = false;
        if (0.75f * M > v) {
            num += 1;
            changed = true;
        }
        if (v > M) {
            den += 1;
            changed = true;
        }
        if (!changed) break;
    }
    const float k = num / den;
    d.DrawingRotation = rotation;
    d.DrawingScaleNum = num;
    d.DrawingScaleDen = den;
    d.DrawingRadius = k * R;
    d.DrawingCentreX = (Wx / 2 - maxX) * k + W / 2 + 10;
    d.DrawingCentreY = (Hy / 2 + minY) * k + H / 2 + 10;
    if (d.DrawingCentreY > H + 10) d.DrawingCentreY = H + 10;
    return true;
}

void DrawPieceCurve(RasterCanvas& picture, const LastElbow& e, int faceCount, float R, const ElbowDrawing& d) {
    // From the end face's inner corner along the outer side back to the
    // start face, then along the inner side to the end face.
    const Pixel p0 = MapInner(e, faceCount + 1, R, d);
    picture.PSet(p0.x, p0.y, Outline);
    auto to = [&](Pixel p) { picture.Line(picture.CurrentX, picture.CurrentY, p.x, p.y, Outline); };
    for (int j = faceCount + 1; j >= 1; --j) to(MapOuter(e, j, R, d));
    for (int j = 1; j <= faceCount + 1; ++j) to(MapInner(e, j, R, d));
}

void DrawElbowAssembly(RasterCanvas& picture, float sweep, float startWidth, float endWidth, const LastElbow& e,
                       int n, float axisLength, float R, const ElbowDrawing& d, Colour fill) {
    if (!Drawable(d, sweep, R) || n < 2 || n + 1 > ElbowEntryLast) return;
    const BendFigure figure = BendFigureOf(sweep, startWidth, endWidth, e, n, R, d);
    DrawPieceCurve(picture, e, n, R, d);
    Fill(picture, d, fill);
    picture.DrawStyle = DrawDot;
    Joints(picture, e, n, R, d);
    DrawBendFigure(picture, figure, d, sweep, axisLength, R);
    picture.DrawStyle = DrawSolid;
}

void DrawConeElbowAssembly(RasterCanvas& picture, float sweep, float oS, float iS, float oE, float iE,
                           const LastElbow& e, float axisLength, float R, const ElbowDrawing& d, Colour fill) {
    const int K = e.PieceCount;
    if (!Drawable(d, sweep, R) || K < 2 || K + 1 > ElbowEntryLast) return;
    const float k = d.DrawingRadius;
    const float end = d.DrawingRotation + sweep;
    const float rOS = k + oS * k / R, rIS = k - iS * k / R;
    const float rOE = k + oE * k / R, rIE = k - iE * k / R;
    float gO = rOE - rOS, gI = rIS - rIE;
    const float dO = Step * gO / sweep, dI = Step * gI / sweep;

    DrawPieceCurve(picture, e, K, R, d);
    Fill(picture, d, fill);
    picture.DrawStyle = DrawDot;
    for (int i = K; i >= 2; --i) Segment(picture, MapOuter(e, i, R, d), MapInner(e, i, R, d), PaletteColour(2));

    const Pixel C{d.DrawingCentreX, d.DrawingCentreY};
    const Colour blue = PaletteColour(1);
    float alpha = d.DrawingRotation;
    FigureTrace t;
    t.a = At(d, k, alpha);
    const Pixel first = t.a;
    t.pin = At(d, rIS - gI, alpha);
    t.pout = At(d, rOS + gO, alpha);
    Segment(picture, C, t.pout, blue);
    Letter(picture, t.a.x + 15, t.a.y + 5, "D");
    for (int steps = ArcSteps(alpha, end); steps > 0; --steps) {
        alpha += Step;
        if (d.DrawingRotation < alpha && alpha < end) {
            gO -= dO;
            gI -= dI;
            t.Sides(picture, At(d, rIS - gI, alpha), At(d, rOS + gO, alpha));
        }
        t.Axis(picture, d, alpha, false);
        if (!(alpha < end - Step)) break;
    }
    Segment(picture, C, t.pout, blue);
    BendMarks(picture, d, end, sweep, axisLength, R, first, t.a, alpha);
    picture.DrawStyle = DrawSolid;
    DrawPieceCurve(picture, e, K, R, d);
}

bool DrawCylElbow(RasterCanvas& picture, const LastElbow& e, ElbowDrawing& d, Colour fill) {
    if (e.ElbowError != 0 || e.ShapeCode != ShapeCuCilindri) return false;
    picture.ScalePixels();
    if (!FitElbowToPicture(picture, e.Bend, e, e.PieceCount, e.BendRadius, d)) return false;
    DrawElbowAssembly(picture, e.Bend, e.StartFaceWidth, e.EndFaceWidth, e, e.PieceCount, e.AxisLength,
                      e.BendRadius, d, fill);
    return true;
}

bool DrawConeElbow(RasterCanvas& picture, const LastElbow& e, ElbowDrawing& d, Colour fill) {
    if (e.ElbowError != 0 || e.ShapeCode < ShapeCuConica1 || e.ShapeCode > ShapeCuConica3) return false;
    picture.ScalePixels();
    if (!FitElbowToPicture(picture, e.Bend, e, e.PieceCount, e.BendRadius, d)) return false;
    switch (e.ShapeCode) {
        case ShapeCuConica1:
            DrawElbowAssembly(picture, e.Sweep, e.StartFaceWidth, e.EndFaceWidth, e, e.Pieces, e.AxisLength,
                              e.BendRadius, d, fill);
            break;
        case ShapeCuConica2:
            DrawConeElbowAssembly(picture, e.Sweep, e.StartJointOuter, e.StartJointInner, e.EndJointOuter,
                                  e.EndJointInner, e, e.AxisLength, e.BendRadius, d, fill);
            break;
        default:
            DrawConeElbowAssembly(picture, e.Bend, e.StartOuterHalf, e.StartInnerHalf, e.EndOuterHalf,
                                  e.EndInnerHalf, e, e.AxisLength, e.BendRadius, d, fill);
            break;
    }
    return true;
}

bool DrawElbow(RasterCanvas& picture, const LastElbow& e, ElbowDrawing& d, Colour cylinderFill, Colour coneFill) {
    if (e.ElbowIsCylinder != 0) return DrawCylElbow(picture, e, d, cylinderFill);
    return DrawConeElbow(picture, e, d, coneFill);
}

}  // namespace velm
