#include "cylinders/cylinder_development_drawing.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/fill_seed.h"
#include "core/number_text.h"
#include "core/sketch_primitives.h"
#include "cylinders/cylinder_outline.h"

namespace velm {

namespace {

constexpr Colour Yellow = RGB(255, 255, 0);
constexpr Colour White = RGB(255, 255, 255);
constexpr Colour Black = RGB(0, 0, 0);

// Generatrices drawn on each half: step, 2 step, ... and 180 itself, so that
// the two halves meet in the middle whatever the step.
std::vector<int> DrawnDegrees(float angleStep) {
    const int st = DevelopmentDrawingStep(angleStep);
    std::vector<int> degrees;
    for (int deg = st; deg <= 180; deg += st) degrees.push_back(deg);
    if (degrees.empty() || degrees.back() != 180) degrees.push_back(180);
    return degrees;
}

// The run of entries that the drawing reads, all inside the outline.
bool EntriesFit(const std::vector<int>& degrees, float angleStep, const CylinderOutline& o) {
    if (o.Empty()) return false;
    for (int deg : degrees) {
        const int e = DevelopmentEntry(deg, angleStep);
        if (e < 0 || e > o.Steps) return false;
    }
    return DevelopmentEntry(0, angleStep) == 0;
}

// The height of an edge's point at entry e.
double At(const std::vector<OutlinePoint>& edge, int e) { return edge[static_cast<std::size_t>(e)].Y; }

// One half-pattern curve of an edge from `from` to the middle, and (unless
// left out) its mirror image from `mirrorFrom`; the generatrix at deg degrees
// is drawn deg * ppd from either end with the height of its nearest entry.
// Returns the last scaled height.
template <class Scale>
float DrawEdge(Canvas& pic, const std::vector<OutlinePoint>& edge, const std::vector<int>& degrees, float angleStep,
               double from, double mirrorFrom, double ppd, double base, Colour colour, bool left,
               bool mirror, Scale scaled) {
    float p1 = scaled(At(edge, 0));
    int previous = 0;
    for (int deg : degrees) {
        const float p2 = scaled(At(edge, DevelopmentEntry(deg, angleStep)));
        if (left) pic.Line(from + previous * ppd, base - p1, from + deg * ppd, base - p2, colour);
        if (mirror) pic.Line(mirrorFrom - previous * ppd, base - p1, mirrorFrom - deg * ppd, base - p2, colour);
        p1 = p2;
        previous = deg;
    }
    return p1;
}

// A vertical dimension right of the pattern, from the base up to yTop.
PlacedLabel DrawVerticalDimension(Canvas& pic, double xMid, double x, double yBase, double yTop,
                                  std::string caption, double raise) {
    const double X = x + 20;
    pic.Line(X, yBase, xMid, yBase, White);
    pic.Line(X, yTop, xMid, yTop, White);
    pic.Line(X, yBase, X, yTop, White);
    DrawArrowHead(pic, 90, static_cast<float>(X), static_cast<float>(yBase));
    DrawArrowHead(pic, 270, static_cast<float>(X), static_cast<float>(yTop));
    PlacedLabel label;
    label.Visible = true;
    label.ForeColor = Yellow;
    label.Left = x + 30;
    label.Top = (yBase - yTop) / 2 + yTop - raise;
    label.Caption = std::move(caption);
    return label;
}

// The developed length C under the pattern.
PlacedLabel DrawCircumferenceDimension(Canvas& pic, double xLeft, double xRight, double yBase, double p,
                                       std::string caption) {
    const double Y = yBase + 20;
    pic.Line(xLeft, Y, xRight, Y, White);
    pic.Line(xLeft, Y, xLeft, yBase - p, White);
    DrawArrowHead(pic, 0, static_cast<float>(xLeft), static_cast<float>(Y));
    pic.Line(xRight, Y, xRight, yBase - p, White);
    DrawArrowHead(pic, 180, static_cast<float>(xRight), static_cast<float>(Y));
    PlacedLabel label;
    label.Visible = true;
    label.ForeColor = White;
    label.Left = xLeft + (xRight - xLeft) / 2 - 20;
    label.Top = yBase + 30;
    label.Caption = std::move(caption);
    return label;
}

// Where the plate sits in the picture. Hmax is drawn at the horizontal
// scale (2 halfW pixels for the developed length), so that every pattern
// keeps its proportions and its top stays up.
struct PlateFrame {
    double cx = 0;
    double left = 0;
    double right = 0;
    double base = 0;  // the row of height 0
    double ppd = 0;   // pixels per degree: real, a whole-pixel step is 0 on a small picture
    float height = 0;  // Hmax in pixels
    float hmax = 0;
    float Scaled(double v) const { return ScaleByMaxHeight(height, static_cast<float>(v), hmax); }
    double Y(double v) const { return base - Scaled(v); }
};

// Nothing where the picture has no room: a negative half-width would mirror the pattern.
std::optional<PlateFrame> FitPlate(const Canvas& pic, const CylinderOutline& o) {
    // The plate's width: the working diameter's developed length D' Pi.
    const double length = o.Length;
    const float hmax = o.Height;
    const double cx = pic.ScaleWidth() / 2 - 60;
    const double cy = pic.ScaleHeight() / 2;
    double halfW = cx - 80;
    if (!(halfW > 0)) return std::nullopt;
    double k = hmax * halfW / length;  // half the pattern's height
    const double hTop = (pic.ScaleHeight() - 90) / 2;
    if (static_cast<float>(hTop) < k) {
        if (!(hTop > 0)) return std::nullopt;
        k = hmax * hTop / hmax;
        halfW = k * length / hmax;
    }
    PlateFrame f;
    f.cx = cx;
    f.left = cx - halfW;
    f.right = cx + halfW;
    f.base = cy + k;
    f.ppd = halfW / 180;
    f.height = static_cast<float>(2 * k);
    f.hmax = hmax;
    return f;
}

// Both edges, each half closed at the middle, and the two seams.
void DrawPlateOutline(Canvas& pic, const CylinderOutline& o, const std::vector<int>& degrees, float angleStep,
                      const PlateFrame& f) {
    auto scaled = [&f](double v) { return f.Scaled(v); };
    const double middleLeft = f.left + 180 * f.ppd - 1;
    const double middleRight = f.right - 180 * f.ppd + 1;
    const float lastLower =
        DrawEdge(pic, o.Lower, degrees, angleStep, f.left, f.right, f.ppd, f.base, Yellow, true, true, scaled);
    pic.Line(middleLeft, f.base - lastLower, middleRight, f.base - lastLower, Yellow);
    const float lastUpper =
        DrawEdge(pic, o.Upper, degrees, angleStep, f.left, f.right, f.ppd, f.base, Yellow, true, true, scaled);
    pic.Line(middleLeft, f.base - lastUpper, middleRight, f.base - lastUpper, Yellow);
    pic.Line(f.left, f.Y(o.LeftSeam.To.Y), f.left, f.Y(o.LeftSeam.From.Y), Yellow);
    pic.Line(f.right, f.Y(o.RightSeam.To.Y), f.right, f.Y(o.RightSeam.From.Y), Yellow);
}

// Fill from inside the outline: the middle generatrix, or the quarter one
// where the middle is too narrow (the gap is linear in 1 - cos).
void FillPlate(RasterCanvas& pic, const CylinderOutline& o, const std::vector<int>& degrees,
               const CylinderDevelopmentSettings& s, const PlateFrame& f) {
    const int i180 = DevelopmentEntry(180, s.AngleStep);
    auto seed = FillSeedBetween(pic, f.cx, f.Y(At(o.Upper, i180)), f.Y(At(o.Lower, i180)), Yellow);
    if (!seed) {
        int quarter = degrees.front();
        for (int deg : degrees)
            if (std::abs(deg - 90) < std::abs(quarter - 90)) quarter = deg;
        const int e = DevelopmentEntry(quarter, s.AngleStep);
        seed = FillSeedBetween(pic, f.left + quarter * f.ppd, f.Y(At(o.Upper, e)), f.Y(At(o.Lower, e)), Yellow);
    }
    if (seed) pic.FloodFill(seed->X, seed->Y, Yellow, s.Fill);
}

// The developed length under the plate, the axis, and the heights the
// shape has beside it.
void DrawPlateDimensions(Canvas& pic, const CylinderResults& r, const CylinderOutline& o,
                         const CylinderDevelopmentSettings& s, const PlateFrame& f, CylinderDevelopmentLabels& out) {
    const std::int16_t unit = s.MeasuringSystem;
    out.Labels[DevelopmentLabelC] = DrawCircumferenceDimension(pic, f.left, f.right, f.base, f.Scaled(At(o.Lower, 0)),
                                                               "C = " + FormatLength(r.DevelopedLength, unit));

    const int i180 = DevelopmentEntry(180, s.AngleStep);
    const double yUpper0 = f.Y(At(o.Upper, 0));
    const double yUpper180 = f.Y(At(o.Upper, i180));
    const double yHmax = std::min(yUpper0, yUpper180);
    const double yHmed = std::max(yUpper0, yUpper180);
    const double yHmin = std::min(f.Y(At(o.Lower, 0)), f.Y(At(o.Lower, i180)));

    pic.DrawStyle = DrawDashDot;
    pic.Line(f.cx, yHmax, f.cx, f.base, White);
    pic.DrawStyle = DrawSolid;

    const double cx = f.cx, right = f.right, base = f.base;
    out.Labels[DevelopmentLabelHmax] =
        DrawVerticalDimension(pic, cx, right + 60, base, yHmax, "Hmax = " + FormatLength(r.Hmax, unit), 10);
    if (s.ShapeCode == ShapeCiTaSup) {
        out.Labels[DevelopmentLabelHmed] =
            DrawVerticalDimension(pic, cx, right + 40, base, yHmed, "Hmed = " + FormatLength(r.Hmed, unit), 0);
    } else if (s.ShapeCode == ShapeCiConcordi || s.ShapeCode == ShapeCiDiscordi) {
        out.Labels[DevelopmentLabelHmed] =
            DrawVerticalDimension(pic, cx, right + 20, base, yHmed, "Hmed = " + FormatLength(r.Hmed, unit), 0);
        out.Labels[DevelopmentLabelHmin] =
            DrawVerticalDimension(pic, cx, right, base, yHmin, "Hmin = " + FormatLength(r.Hmin, unit), 10);
    }
}

}  // namespace

float ScaleByMaxHeight(float a, float b, float hmax) {
    return static_cast<float>(static_cast<double>(a) * b / hmax);
}

int DevelopmentDrawingStep(float angleStep) {
    if (!(angleStep > 1) || !(angleStep <= 180)) return 1;
    return RoundToInt32(angleStep);
}

int DevelopmentEntry(int degrees, float angleStep) {
    if (!(angleStep > 0)) return -1;
    const double q = degrees / static_cast<double>(angleStep);
    if (!(q >= 0) || q > ProfileTableLast) return -1;
    const int entry = RoundToInt32(q);
    return entry <= ProfileTableLast ? entry : -1;
}

CylinderDevelopmentLabels DrawCylinderDevelopment(RasterCanvas& pic, const CylinderResults& r,
                                                  const CylinderDevelopmentSettings& s) {
    CylinderDevelopmentLabels out;
    const CylinderOutline o = CylinderOutlineOf(r, s.AngleStep);
    const std::vector<int> degrees = DrawnDegrees(s.AngleStep);
    if (!EntriesFit(degrees, s.AngleStep, o)) return out;
    const auto f = FitPlate(pic, o);
    if (!f) return out;
    DrawPlateOutline(pic, o, degrees, s.AngleStep, *f);
    FillPlate(pic, o, degrees, s, *f);
    DrawPlateDimensions(pic, r, o, s, *f, out);
    out.Drawn = true;
    return out;
}

void DrawCylinderSheetDevelopment(RasterCanvas& pic, const CylinderResults& r, float angleStep,
                                  std::int16_t developmentPart) {
    pic.Cls();
    const double width = pic.ScaleWidth();
    const double height = pic.ScaleHeight();
    const CylinderOutline o = CylinderOutlineOf(r, angleStep);
    const std::vector<int> degrees = DrawnDegrees(angleStep);
    if (!(width >= 2) || !(height >= 2) || !EntriesFit(degrees, angleStep, o)) return;
    const float hmax = o.Height;

    double x0 = width / 2;
    double ppd = x0 / 180;
    if (developmentPart == 1) {
        x0 = width - 1;
        ppd = x0 / 180;
    } else if (developmentPart == 2) {
        x0 = 0;
        ppd = (width - 1) / 180;
    }
    const double xL = 0;
    const double xR = width - 1;
    const double yB = height - 1;
    const float full = static_cast<float>(height - 1);  // Hmax fills the picture's height
    auto scaled = [&](double v) { return ScaleByMaxHeight(full, static_cast<float>(v), hmax); };
    const bool leftHalf = developmentPart != 2;
    const bool rightHalf = developmentPart != 1;

    DrawEdge(pic, o.Lower, degrees, angleStep, xL, xR, ppd, yB, Black, leftHalf, rightHalf, scaled);
    DrawEdge(pic, o.Upper, degrees, angleStep, xL, xR, ppd, yB, Black, leftHalf, rightHalf, scaled);
    const double yLower0 = yB - scaled(o.LeftSeam.From.Y);
    const double yUpper0 = yB - scaled(o.LeftSeam.To.Y);
    if (leftHalf) pic.Line(xL, yLower0, xL, yUpper0, Black);
    if (rightHalf) pic.Line(xR, yLower0, xR, yUpper0, Black);

    pic.DrawStyle = DrawDashDot;
    pic.Line(x0, 0, x0, height, Black);
    pic.DrawStyle = DrawSolid;
}

}  // namespace velm
