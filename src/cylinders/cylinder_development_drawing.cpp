#include "cylinders/cylinder_development_drawing.h"

#include <algorithm>
#include <cmath>
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
    // The plate's width: the working diameter's developed length D' Pi.
    const double length = o.Length;
    const float hmax = o.Height;

    // Frame. Hmax is drawn at the horizontal scale (2 halfW pixels for the
    // developed length), so that every pattern keeps its proportions and its
    // top stays up.
    const double cx = pic.ScaleWidth() / 2 - 60;
    const double cy = pic.ScaleHeight() / 2;
    double halfW = cx - 80;
    if (!(halfW > 0)) return out;  // no room: a negative half-width would mirror the pattern
    double k = hmax * halfW / length;  // half the pattern's height
    const double hTop = (pic.ScaleHeight() - 90) / 2;
    if (static_cast<float>(hTop) < k) {
        if (!(hTop > 0)) return out;
        k = hmax * hTop / hmax;
        halfW = k * length / hmax;
    }
    const double left = cx - halfW;
    const double right = cx + halfW;
    const double base = cy + k;
    const double ppd = halfW / 180;  // real: a whole-pixel step is 0 on a small picture
    const float height = static_cast<float>(2 * k);
    auto scaled = [&](double v) { return ScaleByMaxHeight(height, static_cast<float>(v), hmax); };
    auto y = [&](double v) { return base - scaled(v); };

    const float lastLower = DrawEdge(pic, o.Lower, degrees, s.AngleStep, left, right, ppd, base,
                                     Yellow, true, true, scaled);
    pic.Line(left + 180 * ppd - 1, base - lastLower, right - 180 * ppd + 1, base - lastLower, Yellow);
    const float lastUpper = DrawEdge(pic, o.Upper, degrees, s.AngleStep, left, right, ppd, base,
                                     Yellow, true, true, scaled);
    pic.Line(left + 180 * ppd - 1, base - lastUpper, right - 180 * ppd + 1, base - lastUpper, Yellow);
    pic.Line(left, y(o.LeftSeam.To.Y), left, y(o.LeftSeam.From.Y), Yellow);
    pic.Line(right, y(o.RightSeam.To.Y), right, y(o.RightSeam.From.Y), Yellow);

    // Fill from inside the outline: the middle generatrix, or the quarter
    // one where the middle is too narrow (the gap is linear in 1 - cos).
    const int i180 = DevelopmentEntry(180, s.AngleStep);
    auto seed = FillSeedBetween(pic, cx, y(At(o.Upper, i180)), y(At(o.Lower, i180)), Yellow);
    if (!seed) {
        int quarter = degrees.front();
        for (int deg : degrees)
            if (std::abs(deg - 90) < std::abs(quarter - 90)) quarter = deg;
        const int e = DevelopmentEntry(quarter, s.AngleStep);
        seed = FillSeedBetween(pic, left + quarter * ppd, y(At(o.Upper, e)), y(At(o.Lower, e)), Yellow);
    }
    if (seed) pic.FloodFill(seed->X, seed->Y, Yellow, s.Fill);

    out.Labels[DevelopmentLabelC] =
        DrawCircumferenceDimension(pic, left, right, base, scaled(At(o.Lower, 0)),
                                   "C = " + FormatLength(r.DevelopedLength, s.MeasuringSystem));

    const double yUpper0 = y(At(o.Upper, 0));
    const double yUpper180 = y(At(o.Upper, i180));
    const double yHmax = std::min(yUpper0, yUpper180);
    const double yHmed = std::max(yUpper0, yUpper180);
    const double yHmin = std::min(y(At(o.Lower, 0)), y(At(o.Lower, i180)));

    pic.DrawStyle = DrawDashDot;
    pic.Line(cx, yHmax, cx, base, White);
    pic.DrawStyle = DrawSolid;

    out.Labels[DevelopmentLabelHmax] = DrawVerticalDimension(
        pic, cx, right + 60, base, yHmax, "Hmax = " + FormatLength(r.Hmax, s.MeasuringSystem), 10);
    if (s.ShapeCode == ShapeCiTaSup) {
        out.Labels[DevelopmentLabelHmed] = DrawVerticalDimension(
            pic, cx, right + 40, base, yHmed, "Hmed = " + FormatLength(r.Hmed, s.MeasuringSystem), 0);
    } else if (s.ShapeCode == ShapeCiConcordi || s.ShapeCode == ShapeCiDiscordi) {
        out.Labels[DevelopmentLabelHmed] = DrawVerticalDimension(
            pic, cx, right + 20, base, yHmed, "Hmed = " + FormatLength(r.Hmed, s.MeasuringSystem), 0);
        out.Labels[DevelopmentLabelHmin] = DrawVerticalDimension(
            pic, cx, right, base, yHmin, "Hmin = " + FormatLength(r.Hmin, s.MeasuringSystem), 10);
    }
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
