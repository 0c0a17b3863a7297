#include "platform/qt/image_canvas.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/qt/qt_colour.h"

namespace velm {

namespace {

constexpr double TwoPi = 2 * 3.14159265358979323846;

int RoundPixel(double v) { return static_cast<int>(std::floor(v + 0.5)); }

// Liang-Barsky: the part t0..t1 of p + t*d (t in 0..1) inside the box.
bool ClipSegment(double x, double y, double dx, double dy, double xmin, double xmax, double ymin,
                 double ymax, double& t0, double& t1) {
    t0 = 0;
    t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x - xmin, xmax - x, y - ymin, ymax - y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
    }
    return true;
}

// On and off runs in pixels of the thin-pen styles; empty for solid.
const std::vector<int>& DashPattern(int style) {
    static const std::vector<int> solid;
    static const std::vector<int> dash{18, 6};
    static const std::vector<int> dot{3, 3};
    static const std::vector<int> dashDot{9, 6, 3, 6};
    static const std::vector<int> dashDotDot{9, 3, 3, 3, 3, 3};
    switch (style) {
        case DrawDash: return dash;
        case DrawDot: return dot;
        case DrawDashDot: return dashDot;
        case DrawDashDotDot: return dashDotDot;
        default: return solid;
    }
}

bool Finite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

double NormaliseAngle(double a) {
    double r = std::fmod(a, TwoPi);
    if (r < 0) r += TwoPi;
    return r;
}

QStringList Lines(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).split(QLatin1Char('\n'));
}

}  // namespace

ImageCanvas::ImageCanvas(int width, int height) : picture_(width, height, ToQRgb(BackColor)) {}

void ImageCanvas::Resize(int width, int height) {
    picture_.Resize(width, height, ToQRgb(BackColor));
    Changed();
}

void ImageCanvas::Cls() {
    picture_.Clear(ToQRgb(BackColor));
    CurrentX = 0;
    CurrentY = 0;
    Changed();
}

Colour ImageCanvas::Point(int px, int py) const {
    if (px < 0 || py < 0 || px >= picture_.Width() || py >= picture_.Height()) return NoColour;
    return FromQRgb(picture_.Pixel(px, py));
}

void ImageCanvas::FloodFill(int px, int py, Colour border, Colour fill) {
    picture_.Unpark();
    const int w = picture_.Width(), h = picture_.Height();
    if (px < 0 || py < 0 || px >= w || py >= h) return;
    const QRgb borderRgb = ToQRgb(border) & 0xFFFFFF;
    auto open = [&](const QRgb* line, int x, int y) { return (picture_.PixelAt(line, x, y) & 0xFFFFFF) != borderRgb; };
    if (!open(picture_.RowToRead(py), px, py)) return;

    // The region is found first as runs of pixels per row, the picture
    // unchanged, and filled at the end: a fill colour already present (or
    // equal to the border) cannot make the search loop, and every pixel is
    // read about once and written once.
    using Run = BlockImage::Run;
    std::vector<std::vector<Run>> runs(static_cast<std::size_t>(h));
    std::vector<std::pair<int, Run>> pending;  // runs whose neighbours are still to search
    auto add = [&](int y, int x) {
        Run r{picture_.RunStartInRow(y, x, borderRgb), picture_.NextBorderInRow(y, x, w, borderRgb) - 1};
        auto& rowRuns = runs[static_cast<std::size_t>(y)];
        rowRuns.insert(std::upper_bound(rowRuns.begin(), rowRuns.end(), r,
                                        [](const Run& a, const Run& b) { return a.left < b.left; }),
                       r);
        pending.emplace_back(y, r);
        return r.right;
    };
    // The run of row y that holds x, or null.
    auto visited = [&](int y, int x) -> const Run* {
        const auto& rowRuns = runs[static_cast<std::size_t>(y)];
        auto it = std::upper_bound(rowRuns.begin(), rowRuns.end(), x, [](int v, const Run& r) { return v < r.left; });
        if (it == rowRuns.begin()) return nullptr;
        --it;
        return x <= it->right ? &*it : nullptr;
    };
    add(py, px);
    while (!pending.empty()) {
        const auto [y, r] = pending.back();
        pending.pop_back();
        for (int ny : {y - 1, y + 1}) {
            if (ny < 0 || ny >= h) continue;
            const QRgb* line = picture_.RowToRead(ny);
            for (int x = r.left; x <= r.right; ++x) {
                if (const Run* known = visited(ny, x))
                    x = known->right;
                else if (open(line, x, ny))
                    x = add(ny, x);
            }
        }
    }

    picture_.FillRuns(runs, ToQRgb(fill));
    Changed();
}

QFont ImageCanvas::CurrentFont() const {
    QFont font(QString::fromStdString(FontName));
    font.setPointSizeF(FontSize > 0 ? FontSize : 8.25);
    font.setBold(FontBold);
    // Exact pixels: no grey edges that a pixel read or a fill could meet.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

bool ImageCanvas::PatternOn(long phase) const {
    const auto& pattern = DashPattern(DrawStyle);
    if (pattern.empty()) return true;
    int period = 0;
    for (int run : pattern) period += run;
    long at = phase % period;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (at < pattern[i]) return i % 2 == 0;
        at -= pattern[i];
    }
    return true;
}

void ImageCanvas::ThinSegment(double x1, double y1, double x2, double y2, Colour colour, long& phase,
                              bool skipFirst) {
    const double dx = x2 - x1, dy = y2 - y1;
    const double length = std::max(std::fabs(dx), std::fabs(dy));
    double t0 = 0, t1 = 1;
    // Clip first, so that far-away points cost nothing.
    const int w = picture_.Width(), h = picture_.Height();
    if (!ClipSegment(x1, y1, dx, dy, -2, w + 1, -2, h + 1, t0, t1)) {
        phase += std::lround(length);
        return;
    }
    phase += std::lround(t0 * length);
    int x = RoundPixel(x1 + t0 * dx), y = RoundPixel(y1 + t0 * dy);
    const int xe = RoundPixel(x1 + t1 * dx), ye = RoundPixel(y1 + t1 * dy);
    const int adx = std::abs(xe - x), ady = -std::abs(ye - y);
    const int sx = x < xe ? 1 : -1, sy = y < ye ? 1 : -1;
    int err = adx + ady;
    const QRgb rgb = ToQRgb(colour);
    BlockImage::Writer pixels = picture_.Write();
    bool first = true;
    for (;;) {
        if (!(first && skipFirst && t0 == 0)) {
            if (PatternOn(phase) && x >= 0 && y >= 0 && x < w && y < h) pixels.Set(x, y, rgb);
            ++phase;
        }
        first = false;
        if (x == xe && y == ye) break;
        const int e2 = 2 * err;
        if (e2 >= ady) {
            err += ady;
            x += sx;
        }
        if (e2 <= adx) {
            err += adx;
            y += sy;
        }
    }
    phase += std::lround((1 - t1) * length);
}

void ImageCanvas::WidePolyline(const double* xy, int points, Colour colour) {
    const double margin = DrawWidth + 2;
    std::vector<std::pair<QPoint, QPoint>> segments;
    std::vector<BlockImage::Area> areas;
    for (int i = 0; i + 1 < points; ++i) {
        const double x1 = xy[2 * i], y1 = xy[2 * i + 1];
        const double dx = xy[2 * i + 2] - x1, dy = xy[2 * i + 3] - y1;
        double t0, t1;
        if (!ClipSegment(x1, y1, dx, dy, -margin, picture_.Width() + margin, -margin,
                         picture_.Height() + margin, t0, t1))
            continue;
        const QPoint from(RoundPixel(x1 + t0 * dx), RoundPixel(y1 + t0 * dy));
        const QPoint to(RoundPixel(x1 + t1 * dx), RoundPixel(y1 + t1 * dy));
        areas.push_back({from.x(), from.y(), to.x(), to.y(), DrawWidth + 2});  // round ends and joins
        segments.emplace_back(from, to);
    }
    picture_.Paint(areas, [&](QPainter& painter) {
        painter.setPen(QPen(ToQColor(colour), DrawWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        for (const auto& [from, to] : segments) painter.drawLine(from, to);
    });
}

void ImageCanvas::DeviceLine(double x1, double y1, double x2, double y2, Colour colour) {
    picture_.Unpark();
    if (!Finite({x1, y1, x2, y2}) || picture_.IsNull()) return;
    if (DrawWidth <= 1) {
        long phase = 0;
        ThinSegment(x1, y1, x2, y2, colour, phase, false);
    } else {
        // Wider than one pixel, every draw style is solid.
        const double xy[4] = {x1, y1, x2, y2};
        WidePolyline(xy, 2, colour);
    }
    Changed();
}

void ImageCanvas::DeviceArc(double cx, double cy, double rx, double ry, Colour colour, double start,
                            double end, bool full) {
    picture_.Unpark();
    if (!Finite({cx, cy, rx, ry, start, end}) || picture_.IsNull()) return;
    rx = std::fabs(rx);
    ry = std::fabs(ry);
    if (rx < 0.5 && ry < 0.5) {
        DevicePixel(cx, cy, colour);
        return;
    }
    double from = 0, sweep = TwoPi;
    if (!full) {
        from = NormaliseAngle(start);
        sweep = NormaliseAngle(end) - from;
        if (sweep <= 0) sweep += TwoPi;
    }
    // Chords of about two pixels; counter-clockwise on the screen (y grows downwards).
    const int n = static_cast<int>(std::clamp(std::ceil(sweep * std::max(rx, ry) / 2.0), 8.0, 20000.0));
    std::vector<double> xy(2 * static_cast<std::size_t>(n + 1));
    for (int i = 0; i <= n; ++i) {
        const double a = from + sweep * i / n;
        xy[2 * i] = cx + rx * std::cos(a);
        xy[2 * i + 1] = cy - ry * std::sin(a);
    }
    if (DrawWidth <= 1) {
        long phase = 0;
        for (int i = 0; i < n; ++i)
            ThinSegment(xy[2 * i], xy[2 * i + 1], xy[2 * i + 2], xy[2 * i + 3], colour, phase, i > 0);
    } else {
        WidePolyline(xy.data(), n + 1, colour);
    }
    Changed();
}

void ImageCanvas::DevicePixel(double x, double y, Colour colour) {
    picture_.Unpark();
    if (!Finite({x, y}) || picture_.IsNull()) return;
    const int px = RoundPixel(std::clamp(x, -1e6, 1e6)), py = RoundPixel(std::clamp(y, -1e6, 1e6));
    if (DrawWidth <= 1) {
        if (px >= 0 && py >= 0 && px < picture_.Width() && py < picture_.Height())
            picture_.Write().Set(px, py, ToQRgb(colour));
    } else {
        // A wide pen sets a round dot.
        picture_.Paint({{px, py, px, py, DrawWidth + 2}}, [&](QPainter& painter) {
            painter.setPen(QPen(ToQColor(colour), DrawWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.drawPoint(QPoint(px, py));
        });
    }
    Changed();
}

void ImageCanvas::DeviceText(double x, double y, const std::string& text) {
    picture_.Unpark();
    if (!Finite({x, y}) || picture_.IsNull()) return;
    const QFont font = CurrentFont();
    const QFontMetricsF metrics(font, picture_.MetricsDevice());
    // (x, y) is the upper-left corner of the text, as Print places it.
    const double left = RoundPixel(std::clamp(x, -1e6, 1e6));
    const double top = RoundPixel(std::clamp(y, -1e6, 1e6));
    const QStringList lines = Lines(text);
    std::vector<QPointF> baselines;
    std::vector<BlockImage::Area> areas;
    for (double lineTop = top; const QString& line : lines) {
        baselines.emplace_back(left, lineTop + metrics.ascent());
        lineTop += metrics.height();
        // Glyphs may reach past their advance (italics, overhangs): a wide margin.
        const QRectF box = metrics.boundingRect(line).translated(baselines.back());
        const int margin = static_cast<int>(std::ceil(metrics.height())) + 2;
        areas.push_back({static_cast<int>(std::floor(std::max(box.left(), -1e6))),
                         static_cast<int>(std::floor(std::max(box.top(), -1e6))),
                         static_cast<int>(std::ceil(std::min(box.right(), 1e6))),
                         static_cast<int>(std::ceil(std::min(box.bottom(), 1e6))), margin});
    }
    picture_.Paint(areas, [&](QPainter& painter) {
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font);
        painter.setPen(ToQColor(ForeColor));
        for (qsizetype i = 0; i < lines.size(); ++i) painter.drawText(baselines[static_cast<std::size_t>(i)], lines[i]);
    });
    Changed();
}

double ImageCanvas::DeviceTextWidth(const std::string& text) const {
    const QFontMetricsF metrics(CurrentFont(), picture_.MetricsDevice());
    double widest = 0;
    for (const QString& line : Lines(text)) widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

double ImageCanvas::DeviceTextHeight(const std::string& text) const {
    const QFontMetricsF metrics(CurrentFont(), picture_.MetricsDevice());
    return metrics.height() * static_cast<double>(Lines(text).size());
}

void ImageCanvas::Changed() {
    if (onChanged) onChanged();
}

}  // namespace velm
