#include "cylinders/cylinder_sketch.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/fill_seed.h"
#include "core/sketch_primitives.h"

namespace velm {

namespace {

constexpr Colour Yellow = RGB(255, 255, 0);
constexpr Colour White = RGB(255, 255, 255);

bool CutAtTop(std::int16_t code) { return IsCylinderKind(code) && FindShapeKind(code)->TopCut; }
bool CutAtBottom(std::int16_t code) { return IsCylinderKind(code) && FindShapeKind(code)->BottomCut; }

PlacedLabel WhiteLabel(double left, double top) {
    PlacedLabel label;
    label.Visible = true;
    label.Left = left;
    label.Top = top;
    label.ForeColor = White;
    return label;
}

// The axis length between the two cuts, at the right of the body.
void DrawHeightDimension(Canvas& pic, CylinderSketchPlaces& places, std::int16_t code, const CylinderSketchOutline& o,
                         float axisLength) {
    const double yTop = o.TopAxisY();
    const double yBottom = o.BottomAxisY();
    const double X = o.XR + 30;
    pic.Line(X, yBottom, X, yTop, White);
    pic.Line(CutAtBottom(code) ? o.Cx : o.XR, yBottom, X, yBottom, White);
    DrawArrowHead(pic, 90, static_cast<float>(X), static_cast<float>(yBottom));
    pic.Line(CutAtTop(code) ? o.Cx : o.XR, yTop, X, yTop, White);
    DrawArrowHead(pic, 270, static_cast<float>(X), static_cast<float>(yTop));
    places.Labels[1] = WhiteLabel(o.XR + 40, o.Cy);
    places.Boxes[1] = {true, static_cast<float>(o.XR + 70), static_cast<float>(o.Cy), axisLength, false};
}

// The diameter under the body, its extension lines up to the corners.
void DrawWidthDimension(Canvas& pic, CylinderSketchPlaces& places, const CylinderSketchOutline& o, float diameter) {
    const double Y = o.YB + 30;
    pic.Line(o.XL, Y, o.XR, Y, White);
    pic.Line(o.XL, Y, o.XL, o.BottomLeftY, White);
    pic.Line(o.XR, Y, o.XR, o.BottomRightY, White);
    DrawArrowHead(pic, 0, static_cast<float>(o.XL), static_cast<float>(Y));
    DrawArrowHead(pic, 180, static_cast<float>(o.XR), static_cast<float>(Y));
    places.Labels[0] = WhiteLabel(o.Cx - 40, o.YB + 40);
    places.Boxes[0] = {true, static_cast<float>(o.Cx + 20), static_cast<float>(o.YB + 40), diameter, false};
}

void PlaceAngle(CylinderSketchPlaces& places, int index, float degrees, double x, double y) {
    places.Labels[static_cast<std::size_t>(index)] = WhiteLabel(x - 112, y);
    places.Boxes[static_cast<std::size_t>(index)] = {true, static_cast<float>(x), static_cast<float>(y), degrees, true};
}

// Where the captions and boxes go, as placed below: the width row centred
// under the body, the height's caption and box right of it, the angles'
// left of it. The row under the body keeps clear of the bottom edge.
bool FitToRoom(double width, double height, std::int16_t code, const SketchRoom& room, double& cx, double& a,
               double& b) {
    constexpr double Margin = 2;
    const double lowest = height / 2 - 40 - room.BoxHeight - Margin;  // b at most
    if (b > lowest) {
        a *= lowest / b;
        b = lowest;
    }
    std::vector<SketchReach> reaches{
        {false, a, 0},
        {true, a, std::max(70.0, 42 + room.Label[1]) + room.Box[1]},
        {false, 0, 40},
        {true, 0, std::max(20.0, room.Label[0] - 38) + room.Box[0]},
    };
    if (CutAtTop(code)) reaches.push_back({false, a, std::max(112.0, 59 + room.Label[2])});
    if (CutAtBottom(code)) reaches.push_back({false, a, std::max(112.0, 59 + room.Label[3])});
    const SketchFit fit = FitReachesAcross(width, Margin, reaches);
    a *= fit.Factor;
    b *= fit.Factor;
    cx = fit.Centre;
    return fit.Factor > 0;
}

}  // namespace

CylinderSketchOutline CylinderSketchGeometry(double width, double height, std::int16_t code, const CylinderInputs& data,
                                             const CylinderResults& r, const SketchRoom& room) {
    CylinderSketchOutline o;
    if (!IsCylinderKind(code)) return o;
    const double d = data.Diameter;
    const double V = code == ShapeCiRe ? data.AxisLength : r.Hmax;  // the overall height
    if (!(d > 0) || !(V > 0) || !std::isfinite(d) || !std::isfinite(V)) return o;

    o.Cx = width / 2;
    o.Cy = height / 2;
    double a = o.Cx - 125;
    double b = a * V / d;
    if (static_cast<float>(o.Cy - 60) < b) {  // fitted to the height instead
        b = o.Cy - 60;
        a = b * d / V;
    }
    if (room.Measured && !FitToRoom(width, height, code, room, o.Cx, a, b)) return o;
    if (!(a > 0) || !(b > 0)) return o;  // no room: negative sizes would draw mirrored
    o.A = a;
    o.B = b;
    o.XL = o.Cx - a;
    o.XR = o.Cx + a;
    o.YT = o.Cy - b;
    o.YB = o.Cy + b;

    // Corners follow the development's heights, at the frame's scale.
    const double perUnit = 2 * b / V;
    const double topDrop = CutAtTop(code) ? perUnit * (static_cast<double>(r.Hmax) - r.Hmed) : 0;
    const double bottomRise = CutAtBottom(code) ? perUnit * r.Hmin : 0;
    if (!std::isfinite(topDrop) || !std::isfinite(bottomRise)) return o;
    o.TopLeftY = o.YT + topDrop;
    o.TopRightY = o.YT;
    o.BottomLeftY = code == ShapeCiDiscordi ? o.YB - bottomRise : o.YB;
    o.BottomRightY = code == ShapeCiConcordi ? o.YB - bottomRise : o.YB;
    o.Valid = true;
    return o;
}

CylinderSketchPlaces DrawCylinderSketch(RasterCanvas& pic, std::int16_t code, const CylinderInputs& data,
                                        const CylinderResults& results, Colour fill, const SketchRoom& room) {
    CylinderSketchPlaces places;
    const CylinderSketchOutline o =
        CylinderSketchGeometry(pic.ScaleWidth(), pic.ScaleHeight(), code, data, results, room);
    if (!o.Valid) return places;

    // Outline; the top edge runs one pixel past its right corner.
    pic.Line(o.XL, o.TopLeftY, o.XR + 1, o.TopRightY, Yellow);
    pic.Line(o.XL, o.BottomLeftY, o.XR, o.BottomRightY, Yellow);
    pic.Line(o.XL, o.TopLeftY, o.XL, o.BottomLeftY, Yellow);
    pic.Line(o.XR, o.TopRightY, o.XR, o.BottomRightY, Yellow);

    // Fill from the axis, midway between the cuts: always inside the body.
    if (const auto seed = FillSeedBetween(pic, o.Cx, o.TopAxisY(), o.BottomAxisY(), Yellow))
        pic.FloodFill(seed->X, seed->Y, Yellow, fill);

    pic.DrawStyle = DrawDashDot;
    pic.Line(o.Cx, o.YT, o.Cx, o.YB, White);
    pic.DrawStyle = DrawSolid;

    DrawHeightDimension(pic, places, code, o, data.AxisLength);
    DrawWidthDimension(pic, places, o, data.Diameter);
    if (CutAtTop(code)) PlaceAngle(places, 2, data.TopCut, o.XL, o.YT);
    if (CutAtBottom(code)) PlaceAngle(places, 3, code == ShapeCiDiscordi ? -data.BottomCut : data.BottomCut, o.XL, o.YB);
    places.WeldSideMarker = CutAtTop(code);
    places.Drawn = true;
    return places;
}

}  // namespace velm
