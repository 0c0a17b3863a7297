#pragma once
// A canvas that draws nothing and records every primitive as values, both in
// user units (as the caller gave them, mapped back through the scale) and in
// device pixels. Text metrics are fixed per character so that layouts are
// predictable.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/canvas.h"

namespace velm {

class RecordingCanvas : public Canvas {
public:
    enum Kind { KindLine, KindArc, KindPixel, KindText, KindCls, KindFill, KindPoint };

    struct LineRec {
        double x1, y1, x2, y2;      // user units
        double px1, py1, px2, py2;  // device pixels
        Colour colour;
        int style;
        int width;
    };
    struct ArcRec {
        double x, y;         // centre, user units
        double px, py;       // centre, device pixels
        double rx, ry;       // radii, device pixels
        Colour colour;
        double start, end;   // radians; 0 and 2*pi for a full circle
        bool full;
        int style;
        int width;
    };
    struct PixelRec {
        double x, y, px, py;
        Colour colour;
    };
    struct TextRec {
        double x, y, px, py;
        std::string text;
        Colour colour;
        std::string fontName;
        double fontSize;
        bool bold;
    };
    struct FillRec {
        int px, py;
        Colour border, fill;
    };

    RecordingCanvas(int width = 640, int height = 480) : width_(width), height_(height) {}

    int PixelWidth() const override { return width_; }
    int PixelHeight() const override { return height_; }
    void SetDeviceSize(int width, int height) { width_ = width; height_ = height; }

    void Cls() override;
    Colour Point(int px, int py) const override;
    void FloodFill(int px, int py, Colour border, Colour fill) override;

    // Forget everything recorded so far.
    void Clear();

    std::vector<LineRec> lines;
    std::vector<ArcRec> arcs;
    std::vector<PixelRec> pixels;
    std::vector<TextRec> texts;
    std::vector<FillRec> fills;
    mutable std::vector<std::pair<int, int>> pointReads;  // device pixels asked of Point
    mutable std::vector<Kind> order;                      // every call in order
    int clsCount = 0;

    // What Point answers: pixelColours when it holds the pixel, else pointColour.
    Colour pointColour = RGB(255, 255, 255);
    std::map<std::pair<int, int>, Colour> pixelColours;
    // Text metrics in device pixels.
    double charWidth = 6;
    double lineHeight = 13;

protected:
    void DeviceLine(double x1, double y1, double x2, double y2, Colour colour) override;
    void DeviceArc(double cx, double cy, double rx, double ry, Colour colour, double start, double end,
                   bool full) override;
    void DevicePixel(double x, double y, Colour colour) override;
    void DeviceText(double x, double y, const std::string& text) override;
    double DeviceTextWidth(const std::string& text) const override;
    double DeviceTextHeight(const std::string& text) const override;

private:
    int width_;
    int height_;
};

}  // namespace velm
