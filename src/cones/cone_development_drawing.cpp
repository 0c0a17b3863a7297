#include "cones/cone_development_drawing.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "core/fill_seed.h"
#include "core/language.h"
#include "core/number_text.h"
#include "core/sketch_primitives.h"
#include "core/working_state.h"
#include "cones/cone_outline.h"
#include "geometry/cylinder_geometry.h"

namespace velm {

namespace {

constexpr Colour Yellow = RGB(255, 255, 0);
constexpr Colour White = RGB(255, 255, 255);
constexpr Colour LightGreen = RGB(100, 255, 100);
constexpr Colour Black = RGB(0, 0, 0);

struct Mapping {
    float kX = 0, kY = 0, divX = 1, divY = 1;
};

struct Offset {
    float x = 0, y = 0;
};

Offset Map(const Mapping& m, double r, float angle) {
    Offset o;
    PolarToPicture(o.x, o.y, m.kY, m.kX, m.divX, m.divY, static_cast<float>(r), angle);
    return o;
}

// About one point per degree of the base circle: every k-th table entry,
// d radians apart on the plate.
struct Stepping {
    int n = 0;
    int k = 1;
    float d = 0;
};

Stepping StepsOf(float sectorAngle, float angleStep, int n) {
    Stepping s;
    s.n = n;
    s.k = angleStep > 1 ? 1 : std::max(1, static_cast<int>(std::nearbyint(1.0 / angleStep)));
    s.d = sectorAngle / 360 * (angleStep * static_cast<float>(s.k));
    return s;
}

// One developed edge, both halves, from the seam point to the middle line:
// each entry's distance from the apex at the picture's own polar angle.
// Returns the offsets of the last point (on the middle line).
Offset DrawEdge(Canvas& pic, const std::vector<SectorPoint>& edge, const Mapping& m, const Stepping& st,
                float half, float cx, float T, Colour colour, bool left, bool right) {
    Offset prev = Map(m, edge[0].Radius, half);
    const int steps = st.n / st.k;
    auto to = [&](int entry, float angle) {
        const Offset p = Map(m, edge[static_cast<std::size_t>(entry)].Radius, angle);
        if (left) pic.Line(cx - prev.x, T + prev.y, cx - p.x, T + p.y, colour);
        if (right) pic.Line(cx + prev.x, T + prev.y, cx + p.x, T + p.y, colour);
        prev = p;
    };
    for (int j = 1; j <= steps; ++j) to(j * st.k, half - static_cast<float>(j) * st.d);
    if (steps * st.k != st.n) to(st.n, 0);  // a step that does not divide a degree
    return prev;
}

bool Usable(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

PlacedLabel AngleLabel(Canvas& pic, float sector, float sectorDeg, float cx, float T, Offset u) {
    const double a = (Pi - sector) / 2;
    pic.Arc(cx, T, 30, LightGreen, a + Pi, a + Pi + sector);
    pic.Line(cx, T, cx - u.x + 2, T + u.y - 2, LightGreen);
    pic.Line(cx, T, cx + u.x - 2, T + u.y - 2, LightGreen);
    PlacedLabel p;
    p.Visible = true;
    p.Left = 20;
    p.Top = 5;
    p.Caption = Txt(LangCommonFrmConi, 10) + " = " + FormatFixed2(sectorDeg) + "\xC2\xB0";
    return p;
}

PlacedLabel RadiusLabel(Canvas& pic, float sector, double radius, int index, float cx, float T,
                           float distance, std::int16_t unit) {
    const double a = (Pi - sector) / 2;
    pic.DrawStyle = DrawDot;
    pic.Arc(cx, T, distance, White, a + Pi, a + Pi + sector);
    pic.DrawStyle = DrawSolid;
    pic.Line(cx, T + 5, cx, T + distance, White);
    DrawArrowHead(pic, 270, cx, T + distance);
    PlacedLabel p;
    p.Visible = true;
    p.Left = cx + 10;
    p.Top = T + distance - 30;
    p.Caption = "R" + std::to_string(index) + " = " + FormatLength(radius, unit);
    return p;
}

PlacedLabel ChordLabel(Canvas& pic, float chord, int index, float cx, float T, Offset at, std::int16_t unit) {
    DrawArrowHead(pic, 0, cx - at.x - 5, T + at.y);
    PlacedLabel p;
    p.Visible = true;
    p.Left = cx - at.x - 60;
    p.Top = T + at.y - 20;
    p.RightLimit = cx - at.x;  // the sector's side runs up from here
    p.Caption = "C" + std::to_string(index) + " = " + FormatLength(chord, unit);
    return p;
}

// Where a development sits in the picture: the apex at (cx, T), one scale
// s both ways, the seam at +-half from the middle line.
struct DevelopmentFrame {
    Mapping m;
    float cx = 0;
    float T = 0;
    float s = 0;
    float half = 0;
    double lowerSeam = 0;  // apex to the lower edge's seam point
};

// The width first, then capped by the height; nothing for a picture too
// small or a development without extent, never a mirrored figure.
std::optional<DevelopmentFrame> FitDevelopment(const ConeOutline& o, int n, float W, float Hp) {
    DevelopmentFrame f;
    f.cx = W / 2;
    f.half = o.SectorAngle / 2;

    // The sector's extent below the apex.
    f.lowerSeam = o.Lower[0].Radius;
    const float lower0 = static_cast<float>(f.lowerSeam);
    const float Xext = static_cast<float>(std::sin(static_cast<double>(f.half))) * lower0;
    const float Ymax = f.lowerSeam > o.Lower[static_cast<std::size_t>(n)].Radius ? lower0 : o.LowerEdgeMaxY;
    const float H = Ymax - o.UpperEdgeMinY;

    float A = W / 2 - 80;
    float V = A * H / Xext;
    if (Hp - 160 < V) {
        V = Hp - 160;
        A = Xext * V / H;
    }
    if (!Usable({Xext, H, A, V}) || !(Xext > 0) || !(H > 0) || !(A > 0) || !(V > 0)) return std::nullopt;
    f.m = Mapping{A, V, Xext, H};
    f.s = A / Xext;

    // The apex's row: 60 or 20 from the top where the lowest point still fits.
    const float P = Ymax * V / H;
    if (Hp - 60 > P) f.T = 60;
    else if (Hp - 20 > P) f.T = 20;
    else f.T = Hp - 40 - P;
    return f;
}

// Both edges with their middle line closing each half, the two seam lines,
// and the fill. True when filled.
bool DrawDevelopmentOutline(RasterCanvas& picture, const ConeOutline& o, const DevelopmentFrame& f, const Stepping& st,
                            Colour fill) {
    const float cx = f.cx, T = f.T;
    const Offset lowerMid = DrawEdge(picture, o.Lower, f.m, st, f.half, cx, T, Yellow, true, true);
    picture.Line(cx - lowerMid.x - 1, T + lowerMid.y, cx + lowerMid.x + 1, T + lowerMid.y, Yellow);
    const Offset upperMid = DrawEdge(picture, o.Upper, f.m, st, f.half, cx, T, Yellow, true, true);
    picture.Line(cx - upperMid.x - 1, T + upperMid.y, cx + upperMid.x + 1, T + upperMid.y, Yellow);

    const Offset u = Map(f.m, o.Upper[0].Radius, f.half);
    const Offset l = Map(f.m, f.lowerSeam, f.half);
    picture.Line(cx - u.x, T + u.y, cx - l.x, T + l.y, Yellow);
    picture.Line(cx + u.x, T + u.y, cx + l.x, T + l.y, Yellow);

    // The fill starts on the middle line halfway between the two edges,
    // which is inside the outline; a gap under two pixels is left unfilled.
    const auto seed = FillSeedBetween(picture, cx, T + upperMid.y, T + lowerMid.y, Yellow);
    if (!seed) return false;
    picture.FloodFill(seed->X, seed->Y, Yellow, fill);
    return true;
}

// The sector angle, the two radii and the two chords, drawn with their
// marks: LblDatiSviluppo(0) to (4).
std::array<PlacedLabel, 5> DevelopmentLabels(Canvas& picture, const ConeResults& r, const ConeOutline& o,
                                             const DevelopmentFrame& f, std::int16_t measuringSystem) {
    const float cx = f.cx, T = f.T;
    const Offset u = Map(f.m, o.Upper[0].Radius, f.half);
    const Offset l = Map(f.m, f.lowerSeam, f.half);
    std::array<PlacedLabel, 5> labels;
    labels[0] = AngleLabel(picture, r.ConeSectorAngle, r.ConeSectorAngleDeg, cx, T, u);
    labels[1] = RadiusLabel(picture, r.ConeSectorAngle, r.ConeOuterRadius, 2, cx, T,
                            static_cast<float>(f.s * f.lowerSeam), measuringSystem);
    labels[2] = RadiusLabel(picture, r.ConeSectorAngle, r.ConeInnerRadius, 1, cx, T,
                            static_cast<float>(f.s * o.Upper[0].Radius), measuringSystem);
    labels[3] = ChordLabel(picture, r.ConeInnerChord, 1, cx, T, u, measuringSystem);
    labels[4] = ChordLabel(picture, r.ConeOuterChord, 2, cx, T, l, measuringSystem);
    return labels;
}

}  // namespace

void PolarToPicture(float& xOut, float& yOut, float kY, float kX, float divX, float divY, float r, float angle) {
    const float across = static_cast<float>(r * std::sin(static_cast<double>(angle)));
    const float along = static_cast<float>(r * std::cos(static_cast<double>(angle)));
    xOut = across * kX / divX;
    yOut = along * kY / divY;
}

ConeDevelopmentView DrawConeDevelopment(RasterCanvas& picture, const ConeResults& r, float angleStep, Colour fill,
                                        std::int16_t measuringSystem) {
    ConeDevelopmentView view;
    const ConeOutline o = ConeOutlineOf(r, angleStep);
    const int n = HalfTurnIndex(angleStep);
    if (o.Empty() || n < 0 || n > o.Steps) return view;
    const auto f = FitDevelopment(o, n, static_cast<float>(picture.ScaleWidth()),
                                  static_cast<float>(picture.ScaleHeight()));
    if (!f) return view;
    view.Filled = DrawDevelopmentOutline(picture, o, *f, StepsOf(o.SectorAngle, angleStep, n), fill);
    view.Drawn = true;
    view.cx = f->cx;
    view.T = f->T;
    view.Scale = f->s;
    view.Labels = DevelopmentLabels(picture, r, o, *f, measuringSystem);
    return view;
}

bool DrawConeSheetDevelopment(RasterCanvas& picture, const ConeSheetLayout& layout, const ConeResults& r,
                              float angleStep) {
    picture.Cls();
    const ConeOutline o = ConeOutlineOf(r, angleStep);
    const int n = HalfTurnIndex(angleStep);
    if (o.Empty() || n < 0 || n > o.Steps) return false;
    const float width = static_cast<float>(layout.Width);
    const float height = static_cast<float>(layout.Height);
    float cx = width / 2;
    float A = cx - 1;
    if (layout.DevelopmentPart == 1) {
        cx = width - 1;
        A = width - 1;
    } else if (layout.DevelopmentPart == 2) {
        cx = 0;
        A = width - 1;
    }
    // The apex above the picture, so that at the sheet's scale the upper
    // edge's nearest point lies on its top; the seam's outer point sets the
    // width and the lower edge's farthest point the last row.
    const float half = o.SectorAngle / 2;
    double top = -o.UpperEdgeMinY;
    float Xext = static_cast<float>(std::sin(static_cast<double>(half))) * static_cast<float>(o.Lower[0].Radius);
    float depth = o.LowerEdgeMaxY;
    if (r.ConeSectorAngleDeg > 180) {
        // Past a half turn those points no longer bound the outline: its true
        // extent does, as the layout sized the picture.
        const SectorExtent e = TrueExtentOf(o);
        top = e.Top;
        Xext = static_cast<float>(e.HalfWidth);
        depth = static_cast<float>(-e.Bottom);
    }
    const float T = static_cast<float>(top * layout.SheetScaleHeight / layout.PageHeight);
    const Mapping m{A, height - T - 1, Xext, depth};
    if (!Usable({T, Xext, m.kY, m.divY}) || !(Xext > 0) || !(m.divY > 0) || !(A > 0)) return false;

    const bool left = layout.DevelopmentPart != 2;
    const bool right = layout.DevelopmentPart != 1;
    const Stepping st = StepsOf(o.SectorAngle, angleStep, n);
    DrawEdge(picture, o.Lower, m, st, half, cx, T, Black, left, right);
    DrawEdge(picture, o.Upper, m, st, half, cx, T, Black, left, right);
    const Offset u = Map(m, o.Upper[0].Radius, half);
    const Offset l = Map(m, o.Lower[0].Radius, half);
    if (left) picture.Line(cx - u.x, T + u.y, cx - l.x, T + l.y, Black);
    if (right) picture.Line(cx + u.x, T + u.y, cx + l.x, T + l.y, Black);

    picture.DrawStyle = DrawDashDot;
    picture.Line(cx, 0, cx, height, Black);
    picture.DrawStyle = DrawSolid;
    return true;
}

}  // namespace velm
