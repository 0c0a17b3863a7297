#pragma once
// A canvas over an image in memory: exact pixels, no antialiasing. Lines one
// pixel wide are set pixel by pixel with the draw style's dash pattern;
// wider lines are solid with round ends, as the classic pens are.
#include <QFont>
#include <QImage>
#include <QRect>
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

    // The picture: 32-bit, or 8-bit indexed while parked.
    const QImage& Image() const { return image_; }

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
    // Pixels in the device rectangle from (x1, y1) to (x2, y2), both
    // included and in either order, grown by `margin`, may have changed.
    void Touch(int x1, int y1, int x2, int y2, int margin = 0);
    void TouchAll() { Touch(0, 0, image_.width() - 1, image_.height() - 1); }
    // Marks nothing changed: the picture is all of `colour`.
    void Clean(QRgb colour);

    QImage image_;
    // Row y may have changed from dirtyLeft_[y] to dirtyRight_[y] (none when
    // left > right); every other pixel has the colour of the last clear,
    // `cleared_`: a clear of the same colour repaints only those runs.
    std::vector<int> dirtyLeft_;
    std::vector<int> dirtyRight_;
    QRgb cleared_ = 0;
};

}  // namespace velm
