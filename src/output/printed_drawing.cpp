#include "output/printed_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "cones/cone_outline.h"
#include "cylinders/cylinder_outline.h"
#include "geometry/cylinder_geometry.h"
#include "output/sheet_layout.h"

namespace velm {

namespace {

// Sheet position to printer units: the sheet's inner size stands for the page.
double SheetToPrinterX(double x, const PrintPlacement& at) {
    return at.SheetWidth > 0 ? x / at.SheetWidth * at.PageWidth * at.Factors.X : 0;
}
double SheetToPrinterY(double y, const PrintPlacement& at) {
    return at.SheetHeight > 0 ? y / at.SheetHeight * at.PageHeight * at.Factors.Y : 0;
}

// The entries a part of the development runs over: whole 0..n, left half
// 0..m, right half m..n.
struct Span {
    int first = 0, last = 0;
};
Span SpanOf(std::int16_t part, int m, int n) {
    if (part == 1) return {0, m};
    if (part == 2) return {m, n};
    return {0, n};
}

// The dash-dot line at x from the plate's top to its bottom, past both ends.
PrintedLine MiddleLineOf(double x, double top, double bottom, const PrintPlacement& at) {
    const double overhang = MiddleLineOverhang(at);
    const double from = std::min(top, std::max(top - overhang, at.TextBottom));
    return {x, from, x, bottom + overhang, true};
}

}  // namespace

std::vector<PrintedLine> CylinderPrintedLines(const CylinderResults& r, float angleStep,
                                              std::int16_t developmentPart, const PrintPlacement& at) {
    const CylinderOutline o = CylinderOutlineOf(r, angleStep);
    const int m = HalfTurnIndex(angleStep);
    if (o.Empty() || m < 1 || m > o.Steps) return {};
    const double fX = at.Factors.X, fY = at.Factors.Y;
    double x0 = SheetToPrinterX(at.DrawingLeft, at);
    const double y0 = SheetToPrinterY(at.DrawingTop, at);
    const double yB = o.Height * fY + y0;
    // The right half starts at 180 degrees: that point lands on the drawing's left edge.
    if (developmentPart == 2) x0 -= o.Length / 2 * fX;
    auto px = [&](const OutlinePoint& p) { return x0 + fX * p.X; };
    auto py = [&](const OutlinePoint& p) { return yB - fY * p.Y; };
    auto segment = [&](const OutlinePoint& a, const OutlinePoint& b) {
        return PrintedLine{px(a), py(a), px(b), py(b), false};
    };

    const Span span = SpanOf(developmentPart, m, o.Steps);
    std::vector<PrintedLine> lines;
    lines.reserve(static_cast<std::size_t>(2 * (span.last - span.first) + 3));
    for (int k = span.first + 1; k <= span.last; ++k)
        lines.push_back(segment(o.Lower[static_cast<std::size_t>(k - 1)], o.Lower[static_cast<std::size_t>(k)]));
    if (developmentPart != 1) lines.push_back(segment(o.RightSeam.From, o.RightSeam.To));
    for (int k = span.last; k > span.first; --k)
        lines.push_back(segment(o.Upper[static_cast<std::size_t>(k)], o.Upper[static_cast<std::size_t>(k - 1)]));
    if (developmentPart != 2) lines.push_back(segment(o.LeftSeam.To, o.LeftSeam.From));
    // The generatrix at 180 degrees: the middle line, or the cut edge of a half.
    lines.push_back(MiddleLineOf(px(o.MiddleLine.From), y0, yB, at));
    return lines;
}

std::vector<PrintedLine> ConePrintedLines(const ConeResults& r, float angleStep, std::int16_t developmentPart,
                                          const PrintPlacement& at) {
    const ConeOutline o = ConeOutlineOf(r, angleStep);
    const int m = HalfTurnIndex(angleStep);
    if (o.Empty() || m < 1 || m > o.Steps) return {};
    const double fX = at.Factors.X, fY = at.Factors.Y;
    // The apex: above the middle of a whole drawing, on the cut edge of a half.
    double xS = at.DrawingLeft + at.DrawingWidth / 2;
    if (developmentPart == 1) xS = at.DrawingLeft + at.DrawingWidth;
    if (developmentPart == 2) xS = at.DrawingLeft;
    const double xA = SheetToPrinterX(xS, at);
    // The sector's highest point meets the drawing's top.
    const ConeSectorBounds bounds = ConeSectorBoundsOf(r, angleStep);
    const double yA = fY * (at.DrawingTop / at.SheetHeight * at.PageHeight + bounds.Top);
    auto px = [&](double x) { return xA + fX * x; };
    auto py = [&](double y) { return yA - fY * y; };
    auto segment = [&](double x1, double y1, double x2, double y2) {
        return PrintedLine{px(x1), py(y1), px(x2), py(y2), false};
    };

    // Entry 0 lies on the left seam, entry n on the right one; the left half
    // holds the entries up to the axis.
    const Span span = SpanOf(developmentPart, m, o.Steps);
    std::vector<PrintedLine> lines;
    lines.reserve(static_cast<std::size_t>(2 * (span.last - span.first) + 3));
    for (int k = span.first + 1; k <= span.last; ++k) {
        const SectorPoint& a = o.Lower[static_cast<std::size_t>(k - 1)];
        const SectorPoint& b = o.Lower[static_cast<std::size_t>(k)];
        lines.push_back(segment(a.X, a.Y, b.X, b.Y));
    }
    if (developmentPart != 1)
        lines.push_back(segment(o.RightEdgeSeam.Outer.X, o.RightEdgeSeam.Outer.Y, o.RightEdgeSeam.Inner.X,
                                o.RightEdgeSeam.Inner.Y));
    for (int k = span.last; k > span.first; --k) {
        const SectorPoint& a = o.Upper[static_cast<std::size_t>(k)];
        const SectorPoint& b = o.Upper[static_cast<std::size_t>(k - 1)];
        lines.push_back(segment(a.X, a.Y, b.X, b.Y));
    }
    if (developmentPart != 2)
        lines.push_back(segment(o.LeftEdgeSeam.Inner.X, o.LeftEdgeSeam.Inner.Y, o.LeftEdgeSeam.Outer.X,
                                o.LeftEdgeSeam.Outer.Y));
    // The axis, from the inner edge's nearest point to the outer edge's farthest.
    lines.push_back(MiddleLineOf(xA, py(o.MiddleLine.From.Y), py(o.MiddleLine.To.Y), at));
    return lines;
}

PrintArea PrintAreaOf(const PrintPlacement& at) {
    return {static_cast<double>(at.PageWidth) * at.Factors.X, static_cast<double>(at.PageHeight) * at.Factors.Y};
}

namespace {

// A hair of slack: a drawing as wide as the page keeps its edge lines.
double Slack(const PrintArea& a) { return 1e-6 * (std::fabs(a.Width) + std::fabs(a.Height)); }

// The part of a line within the area, by its parameter along the line
// (Liang-Barsky); false when none of it is.
bool ClipLine(PrintedLine& l, const PrintArea& a) {
    const double e = Slack(a);
    const double dx = l.X2 - l.X1, dy = l.Y2 - l.Y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {l.X1, a.Width - l.X1, l.Y1, a.Height - l.Y1};
    double t0 = 0, t1 = 1;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < -e) return false;  // parallel to this edge and beyond it
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
    const double x1 = l.X1, y1 = l.Y1;
    auto x = [&](double t) { return std::clamp(x1 + t * dx, 0.0, a.Width); };
    auto y = [&](double t) { return std::clamp(y1 + t * dy, 0.0, a.Height); };
    l.X1 = x(t0), l.Y1 = y(t0);
    l.X2 = x(t1), l.Y2 = y(t1);
    return true;
}

struct Bounds {
    double Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool Empty = true;
};

// The outline's bounds, the middle line left out.
Bounds OutlineBounds(const std::vector<PrintedLine>& lines) {
    Bounds b;
    for (const PrintedLine& l : lines) {
        if (l.MiddleLine || l.CutMark) continue;
        if (b.Empty) b = {l.X1, l.Y1, l.X1, l.Y1, false};
        b.Left = std::min({b.Left, l.X1, l.X2});
        b.Right = std::max({b.Right, l.X1, l.X2});
        b.Top = std::min({b.Top, l.Y1, l.Y2});
        b.Bottom = std::max({b.Bottom, l.Y1, l.Y2});
    }
    return b;
}

// The bands inside the edges the outline crosses, as long as the drawing beside them.
std::vector<PrintedLine> CutMarksOf(const Bounds& b, const PrintArea& a, double width) {
    std::vector<PrintedLine> marks;
    const double e = Slack(a), half = width / 2;
    const double top = std::max(b.Top, 0.0), bottom = std::min(b.Bottom, a.Height);
    const double left = std::max(b.Left, 0.0), right = std::min(b.Right, a.Width);
    auto mark = [&](double x1, double y1, double x2, double y2) {
        PrintedLine l{x1, y1, x2, y2, false, true};
        marks.push_back(l);
    };
    if (b.Left < -e) mark(half, top, half, bottom);
    if (b.Right > a.Width + e) mark(a.Width - half, top, a.Width - half, bottom);
    if (b.Bottom > a.Height + e) mark(left, a.Height - half, right, a.Height - half);
    return marks;
}

}  // namespace

std::vector<PrintedLine> ClipToPage(const std::vector<PrintedLine>& lines, const PrintPlacement& at) {
    const PrintArea area = PrintAreaOf(at);
    if (!(area.Width > 0) || !(area.Height > 0)) return lines;
    std::vector<PrintedLine> clipped;
    clipped.reserve(lines.size() + 3);
    for (PrintedLine l : lines)
        if (ClipLine(l, area)) clipped.push_back(l);
    const Bounds b = OutlineBounds(lines);
    if (at.CutOff && !b.Empty)
        for (const PrintedLine& m : CutMarksOf(b, area, CutMarkWidth(at))) clipped.push_back(m);
    return clipped;
}

namespace {

// Device pixels of a length in the page's units across.
int PenPixels(const Canvas& page, double length) {
    const double px = std::fabs(page.ToDeviceX(length) - page.ToDeviceX(0));
    return std::max(1, static_cast<int>(std::lround(px)));
}

}  // namespace

void PrintOutline(Canvas& page, const std::vector<PrintedLine>& lines, double cutMarkWidth) {
    const int width = page.DrawWidth, style = page.DrawStyle;
    const Colour ink = page.ForeColor;
    for (const PrintedLine& l : lines) {
        if (l.MiddleLine) {
            page.DrawWidth = 1;
            page.DrawStyle = DrawDashDot;
        } else if (l.CutMark) {
            page.DrawStyle = DrawSolid;
            page.DrawWidth = PenPixels(page, cutMarkWidth);
            page.ForeColor = RGB(255, 0, 0);
        }
        page.Line(l.X1, l.Y1, l.X2, l.Y2);
        page.DrawStyle = style;
        page.DrawWidth = width;
        page.ForeColor = ink;
    }
}

}  // namespace velm
