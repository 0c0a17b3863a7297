#pragma once
// A canvas over an image in memory: exact pixels, no antialiasing. Lines one
// pixel wide are set pixel by pixel with the draw style's dash pattern;
// wider lines are solid with round ends, as the classic pens are.
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QRegion>
#include <cstdint>
#include <vector>
#include <functional>

#include "platform/canvas.h"

namespace velm {

class ImageCanvas : public RasterCanvas {
public:
    explicit ImageCanvas(int width = 1, int height = 1);

    int PixelWidth() const override { return image_.width(); }
    int PixelHeight() const override { return image_.height(); }

    // A new empty picture of the given size, filled with BackColor.
    void Resize(int width, int height);

    void Cls() override;
    Colour Point(int px, int py) const override;
    void FloodFill(int px, int py, Colour border, Colour fill) override;

    // The picture: 32-bit, or 8-bit indexed while parked. Clears left
    // pending are written first.
    const QImage& Image() const {
        Settle();
        return image_;
    }

    // Puts the part `area` of the picture, in picture pixels, at the origin
    // of `painter`, writing straight into its device: plain blocks go there
    // as their colour without being written into the picture first. Only for
    // a device that is an image in memory, which the painter only shifts by
    // whole pixels; false, with nothing done, for any other.
    bool PaintOnto(QPainter& painter, const QRegion& area) const;

    // Keeps the picture as an 8-bit indexed image, a quarter of the memory,
    // when it has at most 256 colours (false: left as it is). Every drawing
    // call brings it back first; the pixels never change.
    bool Park();
    void Unpark();
    bool Parked() const { return image_.format() == QImage::Format_Indexed8; }
    // The font that text is drawn with, from FontName, FontSize and FontBold.
    QFont CurrentFont() const;

    // Called after every change of the picture (the widget repaints).
    std::function<void()> onChanged;

protected:
    void DeviceLine(double x1, double y1, double x2, double y2, Colour colour) override;
    void DeviceArc(double cx, double cy, double rx, double ry, Colour colour, double start, double end,
                   bool full) override;
    void DevicePixel(double x, double y, Colour colour) override;
    void DeviceText(double x, double y, const std::string& text) override;
    double DeviceTextWidth(const std::string& text) const override;
    double DeviceTextHeight(const std::string& text) const override;

private:
    // A thin line from pixel to pixel with the dash pattern; `phase` runs on
    // along a polyline; `skipFirst` leaves out the joint already drawn.
    void ThinSegment(double x1, double y1, double x2, double y2, Colour colour, long& phase,
                     bool skipFirst);
    void WidePolyline(const double* xy, int points, Colour colour);
    bool PatternOn(long phase) const;
    struct Run {
        int left, right;  // pixels of one row, both included
    };
    void Changed();
    // Every block of 64 pixels of a row is either drawn, its memory holding
    // its pixels, or plain: all of one colour, the last clear's (`cleared_`)
    // or, when tinted, its own (`tints_`, a short list, by `tint_`). The memory of a plain block holds
    // that colour unless the block is stale. A clear turns drawn and tinted
    // blocks into stale plain ones; a fill that covers a block whole makes
    // it a stale tinted one. A stale block is written with its colour when
    // it is first drawn on or when the picture is shown. So a clear or a
    // large fill costs no writing, the background under a fill is never
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
    void DrawOnPixel(int x, int y) { DrawOnBlock(y, x >> BlockShift); }
    // Blocks first to end (excluded) of row y become all `colour`, nothing
    // written yet; `tint` is its place in `tints_` unless it is `cleared_`.
    void MakePlain(int y, int first, int end, QRgb colour, std::uint8_t tint);
    // Pixels in the device rectangle from (x1, y1) to (x2, y2), both
    // included and in either order, grown by `margin`, are about to be drawn.
    void Touch(int x1, int y1, int x2, int y2, int margin = 0);
    // The pixel as it counts, stale blocks included.
    QRgb PixelAt(const QRgb* line, int x, int y) const {
        return BlockDrawn(y, x >> BlockShift) ? line[x] : PlainColour(y, x >> BlockShift);
    }
    // The picture becomes all `colour` with nothing written yet.
    void Reset(QRgb colour);
    // Writes their colour into the stale blocks first to last (end excluded)
    // of row y, all of the first one's colour, and marks them written.
    void WriteBackground(int y, int first, int last) const;
    void Settle() const;
    // The first border pixel of row y from `from` on (before `to`), or `to`;
    // the first pixel of the open run that ends at `x` going left.
    int NextBorderInRow(int y, int from, int to, QRgb border) const;
    int RunStartInRow(int y, int x, QRgb border) const;

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
