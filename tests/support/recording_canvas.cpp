#include "recording_canvas.h"

#include <algorithm>

namespace velm {

void RecordingCanvas::DeviceLine(double x1, double y1, double x2, double y2, Colour colour) {
    lines.push_back({FromDeviceX(x1), FromDeviceY(y1), FromDeviceX(x2), FromDeviceY(y2), x1, y1, x2, y2,
                     colour, DrawStyle, DrawWidth});
}

// 6 pixels a character of the widest line, 13 pixels a line.
double RecordingCanvas::DeviceTextWidth(const std::string& text) const {
    std::size_t widest = 0, current = 0;
    for (char c : text) {
        current = c == '\n' ? 0 : current + 1;
        widest = std::max(widest, current);
    }
    return 6.0 * static_cast<double>(widest);
}

double RecordingCanvas::DeviceTextHeight(const std::string& text) const {
    return 13.0 * static_cast<double>(1 + std::count(text.begin(), text.end(), '\n'));
}

}  // namespace velm
