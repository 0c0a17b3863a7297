#include "platform/qt/block_image.h"

#include <QPaintEngine>
#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace velm {

namespace {

constexpr int DotsPerMetre96Dpi = 3780;  // 96 dots an inch, 15 twips a pixel

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

}  // namespace

BlockImage::BlockImage(int width, int height, QRgb colour) : image_(MakeImage(width, height)) { Reset(colour); }

void BlockImage::Resize(int width, int height, QRgb colour) {
    image_ = MakeImage(width, height);
    Reset(colour);
}

void BlockImage::Clear(QRgb colour) {
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
}

QRgb BlockImage::Pixel(int x, int y) const {
    return BlockDrawn(y, x >> BlockShift) ? image_.pixel(x, y) : PlainColour(y, x >> BlockShift);
}

const QPaintDevice* BlockImage::MetricsDevice() const {
    static const QImage fallback = MakeImage(1, 1);
    return image_.isNull() ? &fallback : &image_;
}

BlockImage::Writer::Writer(BlockImage& picture)
    : picture_(picture), bits_(picture.image_.bits()), stride_(picture.image_.bytesPerLine()) {}

void BlockImage::Writer::Fill(int y, int left, int right, QRgb colour) {
    for (int b = left >> BlockShift; b <= right >> BlockShift; ++b) picture_.DrawOnBlock(y, b);
    FillPixels(reinterpret_cast<QRgb*>(bits_ + y * stride_) + left, right + 1 - left, colour);
}

void BlockImage::FillRuns(const std::vector<std::vector<Run>>& runs, QRgb colour) {
    const int w = image_.width(), h = image_.height();
    std::size_t tint = 0;
    if (colour != cleared_) {
        tint = static_cast<std::size_t>(std::find(tints_.begin(), tints_.end(), colour) - tints_.begin());
        if (tint == tints_.size() && tints_.size() < 256) tints_.push_back(colour);
        if (tint_.empty()) tint_.resize(static_cast<std::size_t>(Blocks()) * static_cast<std::size_t>(h));
    }
    const bool plainBlocks = tint < tints_.size() || colour == cleared_;
    Writer writer = Write();  // one detach for the whole fill
    for (int y = 0; y < h; ++y) {
        for (const Run& r : runs[static_cast<std::size_t>(y)]) {
            // Blocks first to end (excluded) lie whole in the run.
            const int first = (r.left + (1 << BlockShift) - 1) >> BlockShift;
            const int end = r.right == w - 1 ? Blocks() : (r.right + 1) >> BlockShift;
            if (first >= end || !plainBlocks) {  // within one block or across one edge, or no room
                writer.Fill(y, r.left, r.right, colour);
                continue;
            }
            if (r.left < first << BlockShift) writer.Fill(y, r.left, (first << BlockShift) - 1, colour);
            MakePlain(y, first, end, colour, static_cast<std::uint8_t>(tint));
            if (end << BlockShift <= r.right) writer.Fill(y, end << BlockShift, r.right, colour);
        }
    }
}

void BlockImage::Reset(QRgb colour) {
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

int BlockImage::LikeBlocksEnd(int y, int block, int end) const {
    const bool stale = Stale(y, block);
    const QRgb colour = stale ? PlainColour(y, block) : 0;
    while (++block < end && Stale(y, block) == stale && (!stale || PlainColour(y, block) == colour)) {
    }
    return block;
}

void BlockImage::WriteBackground(int y, int first, int last) const {
    QRgb* line = reinterpret_cast<QRgb*>(image_.bits() + y * image_.bytesPerLine());
    const int from = first << BlockShift;
    FillPixels(line + from, std::min(last << BlockShift, image_.width()) - from, PlainColour(y, first));
    for (int b = first; b < last; ++b) stale_[BitWord(y, b)] &= ~Bit(b);
}

void BlockImage::Settle() const {
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

void BlockImage::Touch(const Area& area) {
    const int left = std::max(std::min(area.x1, area.x2) - area.margin, 0);
    const int right = std::min(std::max(area.x1, area.x2) + area.margin, image_.width() - 1);
    const int top = std::max(std::min(area.y1, area.y2) - area.margin, 0);
    const int bottom = std::min(std::max(area.y1, area.y2) + area.margin, image_.height() - 1);
    if (left > right) return;
    for (int y = top; y <= bottom; ++y)
        for (int b = left >> BlockShift; b <= right >> BlockShift; ++b) DrawOnBlock(y, b);
}

// Plain blocks are all of one colour: they are passed over unread when that
// colour is not the border, and stop the search at once when it is.
int BlockImage::NextBorderInRow(int y, int from, int to, QRgb border) const {
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

int BlockImage::RunStartInRow(int y, int x, QRgb border) const {
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

bool BlockImage::PaintOnto(QPainter& painter, const QRegion& area) const {
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

void BlockImage::MakePlain(int y, int first, int end, QRgb colour, std::uint8_t tint) {
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

bool BlockImage::Park() {
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

void BlockImage::Unpark() {
    if (Parked()) image_ = image_.convertToFormat(QImage::Format_RGB32);
}

}  // namespace velm
