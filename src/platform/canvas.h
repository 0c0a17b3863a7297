#pragma once
// A drawing surface with an optional user scale, drawn with lines, boxes,
// circles, arcs and text: what a vector device (a printer page, a drawing file) can do.
// Coordinates given to the drawing calls are in user units. RasterCanvas
// adds what only a picture of pixels has: single pixels, pixel reads,
// clearing and flood fills, in device pixels.
#include <string>

#include "platform/look.h"

namespace velm {

enum DrawStyleKind { DrawSolid = 0, DrawDash = 1, DrawDot = 2, DrawDashDot = 3, DrawDashDotDot = 4 };

class Canvas {
public:
    virtual ~Canvas() = default;

    // Device size in device units (pixels of a picture, of a printer page).
    virtual int PixelWidth() const = 0;
    virtual int PixelHeight() const = 0;

    // User scale: (left, top) is the upper-left corner, width and height may be negative.
    void Scale(double left, double top, double right, double bottom);
    void ScalePixels();  // back to pixels with (0, 0) in the upper-left corner
    double ScaleWidth() const { return userScale_ ? scaleWidth_ : PixelWidth(); }
    double ScaleHeight() const { return userScale_ ? scaleHeight_ : PixelHeight(); }
    double ToDeviceX(double x) const;
    double ToDeviceY(double y) const;
    double FromDeviceX(double px) const;
    double FromDeviceY(double py) const;

    // Drawing state.
    double CurrentX = 0;
    double CurrentY = 0;
    int DrawStyle = DrawSolid;
    int DrawWidth = 1;  // device pixels
    Colour ForeColor = RGB(0, 0, 0);
    Colour BackColor = RGB(255, 255, 255);
    double FontSize = 8.25;
    bool FontBold = false;
    std::string FontName = "Liberation Sans";

    // Primitives in user units. Each leaves CurrentX/CurrentY at its end point.
    void Line(double x1, double y1, double x2, double y2, Colour colour);
    void Line(double x1, double y1, double x2, double y2) { Line(x1, y1, x2, y2, ForeColor); }
    // A circle, or an arc from start to end (radians, counter-clockwise from +x),
    // radius in user units of the x axis.
    void Circle(double x, double y, double radius, Colour colour);
    void Arc(double x, double y, double radius, Colour colour, double start, double end);
    // Text at (CurrentX, CurrentY); afterwards CurrentX returns to where it
    // was and CurrentY moves one line down, as Print does.
    void Print(const std::string& text);
    double TextWidth(const std::string& text) const;   // user units
    double TextHeight(const std::string& text) const;  // user units

protected:
    // Device-level drawing that the implementations provide.
    virtual void DeviceLine(double x1, double y1, double x2, double y2, Colour colour) = 0;
    virtual void DeviceArc(double cx, double cy, double rx, double ry, Colour colour,
                           double start, double end, bool full) = 0;
    virtual void DeviceText(double x, double y, const std::string& text) = 0;
    virtual double DeviceTextWidth(const std::string& text) const = 0;
    virtual double DeviceTextHeight(const std::string& text) const = 0;

private:
    bool userScale_ = false;
    double scaleLeft_ = 0, scaleTop_ = 0, scaleWidth_ = 1, scaleHeight_ = 1;
};

// A picture of pixels.
class RasterCanvas : public Canvas {
public:
    void PSet(double x, double y, Colour colour);  // user units

    // Device-pixel operations.
    virtual void Cls() = 0;  // fills with BackColor, resets CurrentX/CurrentY
    virtual Colour Point(int px, int py) const = 0;  // -1 cast outside the picture
    // 4-connected fill from (px, py) of every pixel that is not `border`.
    virtual void FloodFill(int px, int py, Colour border, Colour fill) = 0;

protected:
    virtual void DevicePixel(double x, double y, Colour colour) = 0;
};

constexpr Colour NoColour = 0xFFFFFFFFu;

}  // namespace velm
