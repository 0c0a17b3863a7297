#include "platform/canvas.h"

#include <cmath>

namespace velm {

void Canvas::Scale(double left, double top, double right, double bottom) {
    userScale_ = true;
    scaleLeft_ = left;
    scaleTop_ = top;
    scaleWidth_ = right - left;
    scaleHeight_ = bottom - top;
}

void Canvas::ScalePixels() {
    userScale_ = false;
    scaleLeft_ = scaleTop_ = 0;
}

double Canvas::ToDeviceX(double x) const {
    if (!userScale_ || scaleWidth_ == 0) return x - scaleLeft_;
    return (x - scaleLeft_) * PixelWidth() / scaleWidth_;
}

double Canvas::ToDeviceY(double y) const {
    if (!userScale_ || scaleHeight_ == 0) return y - scaleTop_;
    return (y - scaleTop_) * PixelHeight() / scaleHeight_;
}

double Canvas::FromDeviceX(double px) const {
    if (!userScale_ || PixelWidth() == 0) return px + scaleLeft_;
    return scaleLeft_ + px * scaleWidth_ / PixelWidth();
}

double Canvas::FromDeviceY(double py) const {
    if (!userScale_ || PixelHeight() == 0) return py + scaleTop_;
    return scaleTop_ + py * scaleHeight_ / PixelHeight();
}

void Canvas::Line(double x1, double y1, double x2, double y2, Colour colour) {
    DeviceLine(ToDeviceX(x1), ToDeviceY(y1), ToDeviceX(x2), ToDeviceY(y2), colour);
    CurrentX = x2;
    CurrentY = y2;
}

void Canvas::Circle(double x, double y, double radius, Colour colour) {
    const double rx = std::fabs(ToDeviceX(x + radius) - ToDeviceX(x));
    DeviceArc(ToDeviceX(x), ToDeviceY(y), rx, rx, colour, 0, 2 * M_PI, true);
    CurrentX = x;
    CurrentY = y;
}

void Canvas::Arc(double x, double y, double radius, Colour colour, double start, double end) {
    const double rx = std::fabs(ToDeviceX(x + radius) - ToDeviceX(x));
    DeviceArc(ToDeviceX(x), ToDeviceY(y), rx, rx, colour, start, end, false);
    CurrentX = x;
    CurrentY = y;
}

void RasterCanvas::PSet(double x, double y, Colour colour) {
    DevicePixel(ToDeviceX(x), ToDeviceY(y), colour);
    CurrentX = x;
    CurrentY = y;
}

void Canvas::Print(const std::string& text) {
    const double top = ToDeviceY(CurrentY);
    DeviceText(ToDeviceX(CurrentX), top, text);
    // One line down the screen, also when the user scale's y axis points up.
    CurrentY = FromDeviceY(top + DeviceTextHeight(text));
}

double Canvas::TextWidth(const std::string& text) const {
    const double w = DeviceTextWidth(text);
    if (!userScale_ || PixelWidth() == 0) return w;
    return std::fabs(w * scaleWidth_ / PixelWidth());
}

double Canvas::TextHeight(const std::string& text) const {
    const double h = DeviceTextHeight(text);
    if (!userScale_ || PixelHeight() == 0) return h;
    return std::fabs(h * scaleHeight_ / PixelHeight());
}

}  // namespace velm
