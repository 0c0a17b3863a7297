#include "recording_canvas.h"

#include <algorithm>

namespace velm {

void RecordingCanvas::Cls() {
    ++clsCount;
    order.push_back(KindCls);
    CurrentX = 0;
    CurrentY = 0;
}

Colour RecordingCanvas::Point(int px, int py) const {
    pointReads.emplace_back(px, py);
    order.push_back(KindPoint);
    if (px < 0 || py < 0 || px >= width_ || py >= height_) return NoColour;
    auto it = pixelColours.find({px, py});
    return it == pixelColours.end() ? pointColour : it->second;
}

void RecordingCanvas::FloodFill(int px, int py, Colour border, Colour fill) {
    fills.push_back({px, py, border, fill});
    order.push_back(KindFill);
}

void RecordingCanvas::Clear() {
    lines.clear();
    arcs.clear();
    pixels.clear();
    texts.clear();
    fills.clear();
    pointReads.clear();
    order.clear();
    clsCount = 0;
}

void RecordingCanvas::DeviceLine(double x1, double y1, double x2, double y2, Colour colour) {
    lines.push_back({FromDeviceX(x1), FromDeviceY(y1), FromDeviceX(x2), FromDeviceY(y2), x1, y1, x2, y2,
                     colour, DrawStyle, DrawWidth});
    order.push_back(KindLine);
}

void RecordingCanvas::DeviceArc(double cx, double cy, double rx, double ry, Colour colour, double start,
                                double end, bool full) {
    arcs.push_back({FromDeviceX(cx), FromDeviceY(cy), cx, cy, rx, ry, colour, start, end, full, DrawStyle,
                    DrawWidth});
    order.push_back(KindArc);
}

void RecordingCanvas::DevicePixel(double x, double y, Colour colour) {
    pixels.push_back({FromDeviceX(x), FromDeviceY(y), x, y, colour});
    order.push_back(KindPixel);
}

void RecordingCanvas::DeviceText(double x, double y, const std::string& text) {
    texts.push_back({FromDeviceX(x), FromDeviceY(y), x, y, text, ForeColor, FontName, FontSize, FontBold});
    order.push_back(KindText);
}

double RecordingCanvas::DeviceTextWidth(const std::string& text) const {
    // The widest line.
    std::size_t widest = 0, current = 0;
    for (char c : text) {
        if (c == '\n') {
            widest = std::max(widest, current);
            current = 0;
        } else {
            ++current;
        }
    }
    return charWidth * static_cast<double>(std::max(widest, current));
}

double RecordingCanvas::DeviceTextHeight(const std::string& text) const {
    return lineHeight * static_cast<double>(1 + std::count(text.begin(), text.end(), '\n'));
}

}  // namespace velm
