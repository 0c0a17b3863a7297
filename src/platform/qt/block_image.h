#pragma once
// The picture of an ImageCanvas in memory, kept in blocks of 64 pixels of a
// row so that a clear or a large fill costs no writing. Its pixels are
// written only through a Writer or Paint, which mark every block they write
// in as drawn first: a drawing cannot leave a block reading as plain under
// pixels it has set.
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <cstdint>
#include <vector>

namespace velm {

class BlockImage {
public:
    // A picture of the given size, all `colour`.
    BlockImage(int width, int height, QRgb colour);

    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    bool IsNull() const { return image_.isNull(); }

    // A new picture of the given size, all `colour`.
    void Resize(int width, int height, QRgb colour);
    // The whole picture becomes `colour`, written only when it is drawn on
    // or shown.
    void Clear(QRgb colour);

    // Pixel (x, y), inside the picture, as it is shown.
    QRgb Pixel(int x, int y) const;
    // The picture: 32-bit, or 8-bit indexed while parked. Clears left
    // pending are written first.
    const QImage& Image() const {
        Settle();
        return image_;
    }
    // The device that text is measured on: 96 dots an inch, even before the
    // picture has a size.
    const QPaintDevice* MetricsDevice() const;
    // ImageCanvas::PaintOnto.
    bool PaintOnto(QPainter& painter, const QRegion& area) const;

    // Keeps the picture as an 8-bit indexed image when it has at most 256
    // colours (false: left as it is); Unpark brings it back to 32 bits. Every
    // drawing unparks first.
    bool Park();
    void Unpark();
    bool Parked() const { return image_.format() == QImage::Format_Indexed8; }

    // Reading, for a fill's search on a picture that is not parked: the
    // memory of row y, and pixel x of it as it counts, plain blocks included.
    const QRgb* RowToRead(int y) const {
        return reinterpret_cast<const QRgb*>(image_.constBits() + y * image_.bytesPerLine());
    }
    QRgb PixelAt(const QRgb* row, int x, int y) const {
        return BlockDrawn(y, x >> BlockShift) ? row[x] : PlainColour(y, x >> BlockShift);
    }
    // The first pixel of row y from `from` on (before `to`) that is of the
    // border colour (without alpha), or `to`; the first pixel of the run
    // free of it that ends at `x` going left.
    int NextBorderInRow(int y, int from, int to, QRgb border) const;
    int RunStartInRow(int y, int x, QRgb border) const;

    struct Run {
        int left, right;  // pixels of one row, both included
    };
    // Every run of `runs` (indexed by row, each row's runs left to right)
    // becomes `colour`. Blocks that a run covers whole become plain in it,
    // unwritten, while fewer than 256 fill colours are kept since the last
    // clear.
    void FillRuns(const std::vector<std::vector<Run>>& runs, QRgb colour);

    // Sets pixels one by one or along a row, marking each block drawn on.
    // Taken once for a whole drawing: the memory is detached once, not at
    // every pixel. Only on a picture that is not parked.
    class Writer {
    public:
        // Pixel (x, y), inside the picture.
        void Set(int x, int y, QRgb colour) {
            picture_.DrawOnBlock(y, x >> BlockShift);
            reinterpret_cast<QRgb*>(bits_ + y * stride_)[x] = colour;
        }
        // Pixels left to right of row y, both included, inside the picture.
        void Fill(int y, int left, int right, QRgb colour);

    private:
        friend class BlockImage;
        explicit Writer(BlockImage& picture);
        BlockImage& picture_;
        uchar* bits_;
        qsizetype stride_;
    };
    Writer Write() { return Writer(*this); }

    // Where a painter will draw: the rectangle from (x1, y1) to (x2, y2),
    // both included and in either order, grown by `margin` on every side.
    struct Area {
        int x1, y1, x2, y2, margin;
    };
    // Marks the blocks of `areas` drawn on, then gives `draw` a painter on
    // the picture, without antialiasing, that it must keep inside them.
    template <class Draw>
    void Paint(const std::vector<Area>& areas, Draw&& draw) {
        for (const Area& area : areas) Touch(area);
        QPainter painter(&image_);
        painter.setRenderHint(QPainter::Antialiasing, false);
        draw(painter);
    }

private:
    // Every block is either drawn, its memory holding its pixels, or plain:
    // all of one colour, the last clear's (`cleared_`) or, when tinted, its
    // own (`tints_`, a short list, by `tint_`). The memory of a plain block
    // holds that colour unless the block is stale. A clear turns drawn and
    // tinted blocks into stale plain ones; a fill that covers a block whole
    // makes it a stale tinted one. A stale block is written with its colour
    // when it is first drawn on or when the picture is shown. So a clear or
    // a large fill costs no writing, the background under a fill is never
    // written twice, and a fill reads no plain block.
    static constexpr int BlockShift = 6;
    std::size_t BitWord(int y, int block) const {
        return static_cast<std::size_t>(y) * wordsPerRow_ + static_cast<std::size_t>(block >> 6);
    }
    static std::uint64_t Bit(int block) { return std::uint64_t{1} << (block & 63); }
    bool BlockDrawn(int y, int block) const { return drawn_[BitWord(y, block)] & Bit(block); }
    int Blocks() const { return (image_.width() + (1 << BlockShift) - 1) >> BlockShift; }
    std::size_t BlockIndex(int y, int block) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(Blocks()) + static_cast<std::size_t>(block);
    }
    // The colour of a block that is not drawn.
    QRgb PlainColour(int y, int block) const {
        return tinted_[BitWord(y, block)] & Bit(block) ? tints_[tint_[BlockIndex(y, block)]] : cleared_;
    }
    bool Stale(int y, int block) const { return stale_[BitWord(y, block)] & Bit(block); }
    // The first block after `block` (or `end`) unlike it: written where it is
    // stale, stale where it is written, or stale in another colour.
    int LikeBlocksEnd(int y, int block, int end) const;
    // Block `block` of row y is about to be drawn on.
    void DrawOnBlock(int y, int block) {
        const std::size_t word = BitWord(y, block);
        if (stale_[word] & Bit(block)) WriteBackground(y, block, block + 1);
        drawn_[word] |= Bit(block);
        tinted_[word] &= ~Bit(block);
    }
    // The blocks of `area` that lie in the picture are about to be drawn on.
    void Touch(const Area& area);
    // Blocks first to end (excluded) of row y become all `colour`, nothing
    // written yet; `tint` is its place in `tints_` unless it is `cleared_`.
    void MakePlain(int y, int first, int end, QRgb colour, std::uint8_t tint);
    // The picture becomes all `colour` with nothing written yet.
    void Reset(QRgb colour);
    // Writes their colour into the stale blocks first to last (end excluded)
    // of row y, all of the first one's colour, and marks them written.
    void WriteBackground(int y, int first, int last) const;
    void Settle() const;

    mutable QImage image_;
    std::vector<std::uint64_t> drawn_, tinted_;
    std::vector<std::uint8_t> tint_;  // a block's colour in `tints_` while tinted
    std::vector<QRgb> tints_;
    mutable std::vector<std::uint64_t> stale_;
    mutable bool anyStale_ = false;
    std::size_t wordsPerRow_ = 0;
    QRgb cleared_ = 0;
};

}  // namespace velm
