#pragma once
// A canvas over an image in memory: exact pixels, no antialiasing, so that a
// pixel read or a fill meets only the colours drawn. Lines one pixel wide
// are set pixel by pixel with the draw style's dash pattern; wider lines are
// solid whatever the draw style, with round ends and joins. The pixels live
// in a BlockImage, which every drawing writes through.
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <functional>
#include <string>

#include "platform/canvas.h"
#include "platform/qt/block_image.h"

namespace velm {

class ImageCanvas : public RasterCanvas {
public:
    explicit ImageCanvas(int width = 1, int height = 1);

    int PixelWidth() const override { return picture_.Width(); }
    int PixelHeight() const override { return picture_.Height(); }

    // A new empty picture of the given size, filled with BackColor.
    void Resize(int width, int height);

    void Cls() override;
    Colour Point(int px, int py) const override;
    void FloodFill(int px, int py, Colour border, Colour fill) override;

    // The picture: 32-bit, or 8-bit indexed while parked. Clears left
    // pending are written first.
    const QImage& Image() const { return picture_.Image(); }

    // Puts the part `area` of the picture, in picture pixels, at the origin
    // of `painter`, writing straight into its device: plain blocks go there
    // as their colour without being written into the picture first. Only for
    // a device that is an image in memory, which the painter only shifts by
    // whole pixels; false, with nothing done, for any other.
    bool PaintOnto(QPainter& painter, const QRegion& area) const { return picture_.PaintOnto(painter, area); }

    // Keeps the picture as an 8-bit indexed image, a quarter of the memory,
    // when it has at most 256 colours (false: left as it is). Every drawing
    // call brings it back first; the pixels never change.
    bool Park() { return picture_.Park(); }
    void Unpark() { picture_.Unpark(); }
    bool Parked() const { return picture_.Parked(); }
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
    void Changed();

    BlockImage picture_;
};

}  // namespace velm
