#include "platform/qt/image_canvas.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QStringList>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/qt/qt_colour.h"

namespace velm {

namespace {

constexpr int DotsPerMetre96Dpi = 3780;  // 96 dots an inch, 15 twips a pixel
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

QImage MakeImage(int width, int height) {
    QImage image(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    image.setDotsPerMeterX(DotsPerMetre96Dpi);
    image.setDotsPerMeterY(DotsPerMetre96Dpi);
    return image;
}

// The first pixel from `from` on (up to `to`, excluded) that is the border
// colour, or `to`. A fill spends most of its time here: eight pixels are
// compared at a time where the processor can.
int NextBorder(const QRgb* line, int from, int to, QRgb border) {
    int x = from;
#if defined(__SSE2__)
    const __m128i rgb = _mm_set1_epi32(0xFFFFFF), wanted = _mm_set1_epi32(static_cast<int>(border));
    for (; x + 8 <= to; x += 8) {
        const __m128i a = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(line + x)), rgb);
        const __m128i b = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(line + x + 4)), rgb);
        if (_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi32(a, wanted), _mm_cmpeq_epi32(b, wanted))) != 0) break;
    }
#endif
    while (x < to && (line[x] & 0xFFFFFF) != border) ++x;
    return x;
}

// `n` pixels from `to` on set to `colour`, sixteen a turn where the
// processor can: the compiler leaves a plain loop one pixel at a time.
void FillPixels(QRgb* to, int n, QRgb colour) {
    int i = 0;
#if defined(__SSE2__)
    const __m128i c = _mm_set1_epi32(static_cast<int>(colour));
    for (; i + 16 <= n; i += 16) {
        auto* p = reinterpret_cast<__m128i*>(to + i);
        _mm_storeu_si128(p, c);
        _mm_storeu_si128(p + 1, c);
        _mm_storeu_si128(p + 2, c);
        _mm_storeu_si128(p + 3, c);
    }
#endif
    for (; i < n; ++i) to[i] = colour;
}

// Text is measured at 96 dots an inch even before the picture has a size.
const QPaintDevice* MetricsDevice(const QImage& image) {
    static const QImage fallback = MakeImage(1, 1);
    return image.isNull() ? &fallback : &image;
}

}  // namespace

ImageCanvas::ImageCanvas(int width, int height) : image_(MakeImage(width, height)) {
    Reset(ToQRgb(BackColor));
}

void ImageCanvas::Resize(int width, int height) {
    image_ = MakeImage(width, height);
    Reset(ToQRgb(BackColor));
    Changed();
}

void ImageCanvas::Reset(QRgb colour) {
    const auto h = static_cast<std::size_t>(std::max(image_.height(), 0));
    wordsPerRow_ = (static_cast<std::size_t>(Blocks()) + 63) / 64;
    drawn_.assign(wordsPerRow_ * h, 0);
    tinted_.assign(wordsPerRow_ * h, 0);
    tint_ = {};
    tints_.clear();
    stale_.assign(wordsPerRow_ * h, ~std::uint64_t{0});
    anyStale_ = !stale_.empty();
    cleared_ = colour;
}

int ImageCanvas::LikeBlocksEnd(int y, int block, int end) const {
    const bool stale = Stale(y, block);
    const QRgb colour = stale ? PlainColour(y, block) : 0;
    while (++block < end && Stale(y, block) == stale && (!stale || PlainColour(y, block) == colour)) {
    }
    return block;
}

void ImageCanvas::WriteBackground(int y, int first, int last) const {
    QRgb* line = reinterpret_cast<QRgb*>(image_.bits() + y * image_.bytesPerLine());
    const int from = first << BlockShift;
    FillPixels(line + from, std::min(last << BlockShift, image_.width()) - from, PlainColour(y, first));
    for (int b = first; b < last; ++b) stale_[BitWord(y, b)] &= ~Bit(b);
}

void ImageCanvas::Settle() const {
    if (!anyStale_) return;
    anyStale_ = false;
    if (Parked()) return;  // a parked picture is settled before it parks
    const int blocks = Blocks();
    for (int y = 0; y < image_.height(); ++y) {
        for (int b = 0; b < blocks;) {
            if (stale_[BitWord(y, b)] == 0 && (b & 63) == 0) {
                b += 64;
                continue;
            }
            const int e = LikeBlocksEnd(y, b, blocks);  // one write for all of them
            if (Stale(y, b)) WriteBackground(y, b, e);
            b = e;
        }
    }
}

void ImageCanvas::Cls() {
    const QRgb colour = ToQRgb(BackColor);
    if (Parked()) {
        image_ = MakeImage(image_.width(), image_.height());
        Reset(colour);
    } else if (colour != cleared_) {
        Reset(colour);
    } else {
        // Only what was drawn or tinted since the last clear differs from
        // the colour.
        for (std::size_t i = 0; i < drawn_.size(); ++i) {
            const std::uint64_t changed = drawn_[i] | tinted_[i];
            stale_[i] |= changed;
            anyStale_ = anyStale_ || changed != 0;
            drawn_[i] = 0;
            tinted_[i] = 0;
        }
        tints_.clear();
    }
    CurrentX = 0;
    CurrentY = 0;
    Changed();
}

void ImageCanvas::Touch(int x1, int y1, int x2, int y2, int margin) {
    const int left = std::max(std::min(x1, x2) - margin, 0);
    const int right = std::min(std::max(x1, x2) + margin, image_.width() - 1);
    const int top = std::max(std::min(y1, y2) - margin, 0);
    const int bottom = std::min(std::max(y1, y2) + margin, image_.height() - 1);
    if (left > right) return;
    for (int y = top; y <= bottom; ++y)
        for (int b = left >> BlockShift; b <= right >> BlockShift; ++b) DrawOnBlock(y, b);
}

// Plain blocks are all of one colour: they are passed over unread when that
// colour is not the border, and stop the search at once when it is.
int ImageCanvas::NextBorderInRow(int y, int from, int to, QRgb border) const {
    const auto* line = reinterpret_cast<const QRgb*>(image_.constBits() + y * image_.bytesPerLine());
    int x = from;
    while (x < to) {
        const int block = x >> BlockShift;
        const int blockEnd = std::min(to, (block + 1) << BlockShift);
        if (BlockDrawn(y, block)) {
            const int found = NextBorder(line, x, blockEnd, border);
            if (found < blockEnd) return found;
        } else if ((PlainColour(y, block) & 0xFFFFFF) == border) {
            return x;
        }
        x = blockEnd;
    }
    return to;
}

int ImageCanvas::RunStartInRow(int y, int x, QRgb border) const {
    const auto* line = reinterpret_cast<const QRgb*>(image_.constBits() + y * image_.bytesPerLine());
    while (x > 0) {
        const int block = (x - 1) >> BlockShift, blockStart = block << BlockShift;
        if (!BlockDrawn(y, block)) {
            if ((PlainColour(y, block) & 0xFFFFFF) == border) break;
            x = blockStart;
            continue;
        }
        while (x > blockStart && (line[x - 1] & 0xFFFFFF) != border) --x;
        if (x > blockStart) break;
    }
    return x;
}

Colour ImageCanvas::Point(int px, int py) const {
    if (px < 0 || py < 0 || px >= image_.width() || py >= image_.height()) return NoColour;
    if (!BlockDrawn(py, px >> BlockShift)) return FromQRgb(PlainColour(py, px >> BlockShift));
    return FromQRgb(image_.pixel(px, py));
}

void ImageCanvas::FloodFill(int px, int py, Colour border, Colour fill) {
    Unpark();
    const int w = image_.width(), h = image_.height();
    if (px < 0 || py < 0 || px >= w || py >= h) return;
    const QRgb borderRgb = ToQRgb(border) & 0xFFFFFF;
    // The rows are fetched once: the non-const accessors detach on every call.
    const uchar* const bits = image_.constBits();
    const qsizetype stride = image_.bytesPerLine();
    auto row = [bits, stride](int y) { return reinterpret_cast<const QRgb*>(bits + y * stride); };
    auto open = [&](const QRgb* line, int x, int y) { return (PixelAt(line, x, y) & 0xFFFFFF) != borderRgb; };
    if (!open(row(py), px, py)) return;

    // The region is found first as runs of pixels per row, the picture
    // unchanged, and filled at the end: a fill colour already present (or
    // equal to the border) cannot make the search loop, and every pixel is
    // read about once and written once.
    std::vector<std::vector<Run>> runs(static_cast<std::size_t>(h));
    std::vector<std::pair<int, Run>> pending;  // runs whose neighbours are still to search
    auto add = [&](int y, int x) {
        Run r{RunStartInRow(y, x, borderRgb), NextBorderInRow(y, x, w, borderRgb) - 1};
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
            const QRgb* line = row(ny);
            for (int x = r.left; x <= r.right; ++x) {
                if (const Run* known = visited(ny, x))
                    x = known->right;
                else if (open(line, x, ny))
                    x = add(ny, x);
            }
        }
    }

    // A block that a run covers whole becomes plain in the fill colour,
    // unwritten; only the blocks at the ends of a run are written. Past 256
    // colours since the last clear, every block is written.
    const QRgb fillRgb = ToQRgb(fill);
    std::size_t tint = 0;
    if (fillRgb != cleared_) {
        tint = static_cast<std::size_t>(std::find(tints_.begin(), tints_.end(), fillRgb) - tints_.begin());
        if (tint == tints_.size() && tints_.size() < 256) tints_.push_back(fillRgb);
        if (tint_.empty()) tint_.resize(static_cast<std::size_t>(Blocks()) * static_cast<std::size_t>(h));
    }
    const bool plainBlocks = tint < tints_.size() || fillRgb == cleared_;
    uchar* const target = image_.bits();  // one detach for the whole fill
    for (int y = 0; y < h; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(target + y * stride);
        for (const Run& r : runs[static_cast<std::size_t>(y)]) {
            // Blocks first to end (excluded) lie whole in the run.
            const int first = (r.left + (1 << BlockShift) - 1) >> BlockShift;
            const int end = r.right == w - 1 ? Blocks() : (r.right + 1) >> BlockShift;
            if (first >= end || !plainBlocks) {  // within one block or across one edge, or no room
                for (int b = r.left >> BlockShift; b <= r.right >> BlockShift; ++b) DrawOnBlock(y, b);
                FillPixels(line + r.left, r.right + 1 - r.left, fillRgb);
                continue;
            }
            if (r.left < first << BlockShift) {
                DrawOnBlock(y, first - 1);
                FillPixels(line + r.left, (first << BlockShift) - r.left, fillRgb);
            }
            MakePlain(y, first, end, fillRgb, static_cast<std::uint8_t>(tint));
            if (end << BlockShift <= r.right) {
                DrawOnBlock(y, end);
                FillPixels(line + (end << BlockShift), r.right + 1 - (end << BlockShift), fillRgb);
            }
        }
    }
    Changed();
}

bool ImageCanvas::PaintOnto(QPainter& painter, const QRegion& area) const {
    if (Parked() || image_.isNull() || painter.hasClipping()) return false;
    QPaintEngine* engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster) return false;
    auto* device = dynamic_cast<QImage*>(engine->paintDevice());
    if (!device || device->devicePixelRatio() != 1.0) return false;
    const QImage::Format format = device->format();
    // The picture's pixels are opaque: the same words in all three.
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
        format != QImage::Format_ARGB32_Premultiplied)
        return false;
    const QTransform shift = painter.deviceTransform();
    if (shift.type() > QTransform::TxTranslate) return false;
    const int dx = static_cast<int>(shift.dx()), dy = static_cast<int>(shift.dy());
    if (dx != shift.dx() || dy != shift.dy()) return false;

    // Only where the painter may paint: the device, and the window system's
    // clip (what is to be painted, less what lies above).
    QRegion target = area.intersected(image_.rect()).translated(dx, dy).intersected(device->rect());
    if (const QRegion clip = engine->systemClip(); !clip.isEmpty()) target &= clip;
    // The painter has the device's memory to itself already: reading its
    // address does not copy it.
    uchar* const out = const_cast<uchar*>(device->constBits());
    const qsizetype outStride = device->bytesPerLine();
    for (const QRect& r : target) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            const int row = y - dy;
            QRgb* to = reinterpret_cast<QRgb*>(out + y * outStride) + dx;
            const auto* from = reinterpret_cast<const QRgb*>(image_.constBits() + row * image_.bytesPerLine());
            const int end = r.right() - dx + 1, endBlock = ((end - 1) >> BlockShift) + 1;
            for (int x = r.left() - dx; x < end;) {
                // Like blocks side by side are one copy or one fill.
                const int block = x >> BlockShift;
                const int next = std::min(LikeBlocksEnd(row, block, endBlock) << BlockShift, end);
                if (Stale(row, block))
                    FillPixels(to + x, next - x, PlainColour(row, block));
                else
                    std::memcpy(to + x, from + x, static_cast<std::size_t>(next - x) * sizeof(QRgb));
                x = next;
            }
        }
    }
    return true;
}

void ImageCanvas::MakePlain(int y, int first, int end, QRgb colour, std::uint8_t tint) {
    const bool tinted = colour != cleared_;
    for (int b = first; b < end;) {
        // A word's worth of blocks at a time.
        const int stop = std::min(end, ((b >> 6) + 1) << 6);
        const std::uint64_t high = stop - (b & ~63) == 64 ? ~std::uint64_t{0} : (Bit(stop) - 1);
        const std::uint64_t mask = high & ~(Bit(b) - 1);
        const std::size_t word = BitWord(y, b);
        drawn_[word] &= ~mask;
        stale_[word] |= mask;
        if (tinted)
            tinted_[word] |= mask;
        else
            tinted_[word] &= ~mask;
        b = stop;
    }
    if (tinted) std::fill(tint_.begin() + static_cast<std::ptrdiff_t>(BlockIndex(y, first)),
                          tint_.begin() + static_cast<std::ptrdiff_t>(BlockIndex(y, end - 1)) + 1, tint);
    anyStale_ = true;
}

bool ImageCanvas::Park() {
    Settle();
    // Written out, tinted blocks are as good as drawn: their colours need
    // no keeping while the picture is parked.
    for (std::size_t i = 0; i < drawn_.size(); ++i) {
        drawn_[i] |= tinted_[i];
        tinted_[i] = 0;
    }
    tint_ = {};
    tints_.clear();
    if (image_.format() != QImage::Format_RGB32 || image_.isNull()) return Parked();
    QImage parked(image_.size(), QImage::Format_Indexed8);
    parked.setDotsPerMeterX(image_.dotsPerMeterX());
    parked.setDotsPerMeterY(image_.dotsPerMeterY());
    QList<QRgb> table;
    QRgb last = 0;
    uchar lastIndex = 0;
    bool haveLast = false;
    for (int y = 0; y < image_.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
        uchar* out = parked.scanLine(y);
        for (int x = 0; x < image_.width(); ++x) {
            const QRgb c = in[x] | 0xFF000000;
            if (!haveLast || c != last) {
                // Few colours, in long runs: a look-up in the table is rare.
                const auto at = std::find(table.cbegin(), table.cend(), c);
                if (at == table.cend()) {
                    if (table.size() == 256) return false;  // too many colours: kept as it is
                    table.push_back(c);
                    lastIndex = static_cast<uchar>(table.size() - 1);
                } else {
                    lastIndex = static_cast<uchar>(at - table.cbegin());
                }
                last = c;
                haveLast = true;
            }
            out[x] = lastIndex;
        }
    }
    parked.setColorTable(table);
    image_ = std::move(parked);
    return true;
}

void ImageCanvas::Unpark() {
    if (Parked()) image_ = image_.convertToFormat(QImage::Format_RGB32);
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
    if (!ClipSegment(x1, y1, dx, dy, -2, image_.width() + 1, -2, image_.height() + 1, t0, t1)) {
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
    // One detach for the whole segment, not one a pixel.
    uchar* const bits = image_.bits();
    const qsizetype stride = image_.bytesPerLine();
    const int w = image_.width(), h = image_.height();
    bool first = true;
    for (;;) {
        if (!(first && skipFirst && t0 == 0)) {
            if (PatternOn(phase) && x >= 0 && y >= 0 && x < w && y < h) {
                DrawOnPixel(x, y);
                reinterpret_cast<QRgb*>(bits + y * stride)[x] = rgb;
            }
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
    for (int i = 0; i + 1 < points; ++i) {
        const double x1 = xy[2 * i], y1 = xy[2 * i + 1];
        const double dx = xy[2 * i + 2] - x1, dy = xy[2 * i + 3] - y1;
        double t0, t1;
        if (!ClipSegment(x1, y1, dx, dy, -margin, image_.width() + margin, -margin,
                         image_.height() + margin, t0, t1))
            continue;
        const QPoint from(RoundPixel(x1 + t0 * dx), RoundPixel(y1 + t0 * dy));
        const QPoint to(RoundPixel(x1 + t1 * dx), RoundPixel(y1 + t1 * dy));
        Touch(from.x(), from.y(), to.x(), to.y(), DrawWidth + 2);  // round ends and joins
        segments.emplace_back(from, to);
    }
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(ToQColor(colour), DrawWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const auto& [from, to] : segments) painter.drawLine(from, to);
}

void ImageCanvas::DeviceLine(double x1, double y1, double x2, double y2, Colour colour) {
    Unpark();
    if (!Finite({x1, y1, x2, y2}) || image_.isNull()) return;
    if (DrawWidth <= 1) {
        long phase = 0;
        ThinSegment(x1, y1, x2, y2, colour, phase, false);
    } else {
        // The classic pens draw every style solid when wider than one pixel.
        const double xy[4] = {x1, y1, x2, y2};
        WidePolyline(xy, 2, colour);
    }
    Changed();
}

void ImageCanvas::DeviceArc(double cx, double cy, double rx, double ry, Colour colour, double start,
                            double end, bool full) {
    Unpark();
    if (!Finite({cx, cy, rx, ry, start, end}) || image_.isNull()) return;
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
    Unpark();
    if (!Finite({x, y}) || image_.isNull()) return;
    const int px = RoundPixel(std::clamp(x, -1e6, 1e6)), py = RoundPixel(std::clamp(y, -1e6, 1e6));
    Touch(px, py, px, py, DrawWidth <= 1 ? 0 : DrawWidth + 2);
    if (DrawWidth <= 1) {
        if (px >= 0 && py >= 0 && px < image_.width() && py < image_.height())
            image_.setPixel(px, py, ToQRgb(colour));
    } else {
        // A wide pen sets a round dot.
        QPainter painter(&image_);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(ToQColor(colour), DrawWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPoint(QPoint(px, py));
    }
    Changed();
}

void ImageCanvas::DeviceText(double x, double y, const std::string& text) {
    Unpark();
    if (!Finite({x, y}) || image_.isNull()) return;
    const QFont font = CurrentFont();
    const QFontMetricsF metrics(font, &image_);
    // (x, y) is the upper-left corner of the text, as Print places it.
    const double left = RoundPixel(std::clamp(x, -1e6, 1e6));
    const double top = RoundPixel(std::clamp(y, -1e6, 1e6));
    const QStringList lines = Lines(text);
    std::vector<QPointF> baselines;
    for (double lineTop = top; const QString& line : lines) {
        baselines.emplace_back(left, lineTop + metrics.ascent());
        lineTop += metrics.height();
        // Glyphs may reach past their advance (italics, overhangs): a wide margin.
        const QRectF box = metrics.boundingRect(line).translated(baselines.back());
        const int margin = static_cast<int>(std::ceil(metrics.height())) + 2;
        Touch(static_cast<int>(std::floor(std::max(box.left(), -1e6))), static_cast<int>(std::floor(std::max(box.top(), -1e6))),
              static_cast<int>(std::ceil(std::min(box.right(), 1e6))), static_cast<int>(std::ceil(std::min(box.bottom(), 1e6))),
              margin);
    }
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(font);
    painter.setPen(ToQColor(ForeColor));
    for (qsizetype i = 0; i < lines.size(); ++i) painter.drawText(baselines[static_cast<std::size_t>(i)], lines[i]);
    painter.end();
    Changed();
}

double ImageCanvas::DeviceTextWidth(const std::string& text) const {
    const QFontMetricsF metrics(CurrentFont(), MetricsDevice(image_));
    double widest = 0;
    for (const QString& line : Lines(text)) widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

double ImageCanvas::DeviceTextHeight(const std::string& text) const {
    const QFontMetricsF metrics(CurrentFont(), MetricsDevice(image_));
    return metrics.height() * static_cast<double>(Lines(text).size());
}

void ImageCanvas::Changed() {
    if (onChanged) onChanged();
}

}  // namespace velm
