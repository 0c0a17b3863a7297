#include "core/sketch_primitives.h"

#include <algorithm>
#include <limits>

namespace velm {

namespace {

bool Within(float angle, float low, float high) { return angle >= low && angle <= high; }

// Three strokes from the tip to the given offsets: the shaft piece, then the barbs.
void Strokes(Canvas& picture, float x, float y, const float (&offsets)[3][2]) {
    const Colour white = RGB(255, 255, 255);
    for (const auto& d : offsets) {
        const float toX = x + d[0];
        const float toY = y + d[1];
        picture.Line(x, y, toX, toY, white);
    }
}

}  // namespace

void DrawArrowHead(Canvas& picture, float angle, float x, float y) {
    // Screen y grows downwards, so "up" (90 degrees) is -y. The ranges are
    // closed and tried in this order.
    if (Within(angle, -65, -25) || Within(angle, 295, 335)) {
        Strokes(picture, x, y, {{-10, -10}, {-8, -1}, {-1, -8}});
    } else if (Within(angle, -24, 24) || Within(angle, 336, 360)) {
        Strokes(picture, x, y, {{-15, 0}, {-10, -4}, {-10, 4}});
    } else if (Within(angle, 25, 65)) {
        Strokes(picture, x, y, {{-10, 10}, {-8, 1}, {-1, 8}});
    } else if (Within(angle, 66, 114)) {
        Strokes(picture, x, y, {{0, 15}, {-4, 10}, {4, 10}});
    } else if (Within(angle, 115, 155)) {
        Strokes(picture, x, y, {{10, 10}, {8, 1}, {1, 8}});
    } else if (Within(angle, 156, 204)) {
        Strokes(picture, x, y, {{15, 0}, {10, -4}, {10, 4}});
    } else if (Within(angle, 205, 245)) {
        Strokes(picture, x, y, {{10, -10}, {8, -1}, {1, -8}});
    } else if (Within(angle, 246, 294) || Within(angle, -114, -66)) {
        Strokes(picture, x, y, {{0, -15}, {-4, -10}, {4, -10}});
    }
}

SketchFit FitReachesAcross(double width, double margin, const std::vector<SketchReach>& reaches) {
    // A left reach needs centre >= margin + Extent + k Units, a right one
    // centre <= width - margin - Extent - k Units; every pair bounds k.
    const double span = width - 2 * margin;
    double k = 1;
    for (const SketchReach& l : reaches) {
        if (l.Right) continue;
        for (const SketchReach& r : reaches) {
            if (!r.Right) continue;
            const double fixed = span - l.Extent - r.Extent;
            if (fixed < 0) return {0, width / 2};
            const double units = l.Units + r.Units;
            if (units > 0) k = std::min(k, fixed / units);
        }
    }
    double low = -std::numeric_limits<double>::infinity();
    double high = std::numeric_limits<double>::infinity();
    for (const SketchReach& r : reaches) {
        if (r.Right) high = std::min(high, width - margin - r.Extent - k * r.Units);
        else low = std::max(low, margin + r.Extent + k * r.Units);
    }
    const double middle = width / 2;
    // At the largest factor the two bounds meet; rounding may cross them.
    return {k, std::clamp(middle, std::min(low, high), high)};
}

}  // namespace velm
