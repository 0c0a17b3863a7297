#pragma once
// A canvas that draws nothing and records lines, texts and fills as values,
// lines both in user units (as the caller gave them, mapped back through the
// scale) and in device pixels. Text metrics are fixed per character so that
// layouts are predictable.
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace velm {

class RecordingCanvas : public RasterCanvas {
public:
    struct LineRec {
        double x1, y1, x2, y2;      // user units
        double px1, py1, px2, py2;  // device pixels
        Colour colour;
        int style;
        int width;
    };
    struct TextRec {
        double x, y;  // user units
        std::string text;
    };
    struct FillRec {
        int px, py;
        Colour border, fill;
    };

    RecordingCanvas(int width = 640, int height = 480) : width_(width), height_(height) {}

    int PixelWidth() const override { return width_; }
    int PixelHeight() const override { return height_; }

    void Cls() override { CurrentX = CurrentY = 0; }
    // White inside the picture: nothing recorded here is ever a border.
    Colour Point(int px, int py) const override {
        return px < 0 || py < 0 || px >= width_ || py >= height_ ? NoColour : RGB(255, 255, 255);
    }
    void FloodFill(int px, int py, Colour border, Colour fill) override { fills.push_back({px, py, border, fill}); }

    std::vector<LineRec> lines;
    std::vector<TextRec> texts;
    std::vector<FillRec> fills;

protected:
    void DeviceLine(double x1, double y1, double x2, double y2, Colour colour) override;
    void DeviceArc(double, double, double, double, Colour, double, double, bool) override {}
    void DevicePixel(double, double, Colour) override {}
    void DeviceText(double x, double y, const std::string& text) override {
        texts.push_back({FromDeviceX(x), FromDeviceY(y), text});
    }
    double DeviceTextWidth(const std::string& text) const override;
    double DeviceTextHeight(const std::string& text) const override;

private:
    int width_;
    int height_;
};

}  // namespace velm
