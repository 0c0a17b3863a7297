#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "cylinders/cylinder_compute.h"
#include "cylinders/cylinder_development_drawing.h"
#include "cylinders/cylinder_sketch.h"
#include "support/cylinder_reference.h"
#include "support/recording_canvas.h"

namespace velm {
namespace {

constexpr Colour Yellow = RGB(255, 255, 0);

// bottom as typed (a magnitude)
struct Body { ShapeKind code; float thickness, diameter, length, top, bottom; std::int16_t factor = 1; float step = 1;
              std::int16_t lato = 1; };

CylinderArray DataOf(const Body& b) {
    const float bottom = b.code == ShapeCiDiscordi ? -b.bottom : b.bottom;
    return {0, b.thickness, b.diameter, b.length, b.top, bottom,
            static_cast<float>(b.top * Pi / 180), static_cast<float>(bottom * Pi / 180)};
}

CylinderResults Develop(const Body& b) {
    CylinderSettings s;
    s.ThicknessFactor = b.factor;
    s.AngleStep = b.step;
    s.LatoSaldatura = b.lato;
    CylinderResults r;
    EXPECT_EQ(CheckAndDevelopCylinder(b.code, DataOf(b), s, r).Message, 0) << "body refused";
    return r;
}

CylinderDevelopmentLabels DrawDevelopment(RecordingCanvas& pic, const Body& b, const CylinderResults& r,
                                          std::int16_t unit = 0) {
    CylinderDevelopmentSettings s;
    s.ShapeCode = b.code;
    s.Diameter = b.diameter;
    s.AngleStep = b.step;
    s.MeasuringSystem = unit;
    return DrawCylinderDevelopment(pic, r, s);
}

std::vector<RecordingCanvas::LineRec> LinesOf(const RecordingCanvas& pic, Colour colour) {
    std::vector<RecordingCanvas::LineRec> out;
    for (const auto& l : pic.lines)
        if (l.colour == colour) out.push_back(l);
    return out;
}

// A ray to the right crosses the outline an odd number of times from inside.
void ExpectInsideOutline(const RecordingCanvas& pic, int px, int py, const std::string& what) {
    int crossings = 0;
    for (const auto& l : LinesOf(pic, Yellow))
        if ((l.py1 > py) != (l.py2 > py) && l.px1 + (py - l.py1) * (l.px2 - l.px1) / (l.py2 - l.py1) > px) ++crossings;
    EXPECT_EQ(crossings % 2, 1) << what << ": seed (" << px << ", " << py << ") outside the outline";
}

// Nothing drawn mirrored or past the picture's edges.
void ExpectInsidePicture(const RecordingCanvas& pic, const std::string& what) {
    const double w = pic.PixelWidth() - 0.5, h = pic.PixelHeight() - 0.5;
    for (const auto& l : pic.lines)
        EXPECT_TRUE(std::min({l.px1, l.px2, l.py1, l.py2}) >= -0.5 && std::max(l.px1, l.px2) <= w &&
                    std::max(l.py1, l.py2) <= h)
            << what;
}

// The user-unit box around some lines.
struct Extent {
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    void Add(const RecordingCanvas::LineRec& l) {
        minX = std::min({minX, l.x1, l.x2});
        maxX = std::max({maxX, l.x1, l.x2});
        minY = std::min({minY, l.y1, l.y2});
        maxY = std::max({maxY, l.y1, l.y2});
    }
};

// --- Development on screen ---

// Diameter 100, length 20, cuts 45/45, no thickness factor: Hmed (20) lies
// below Hmin (100). Scaled by Hmed - Hmin the pattern came out upside down
// and the fill ran into the background.
TEST(CylinderDevelopmentDrawing, FlatSameSlopeCylinderStaysUprightAndInside) {
    for (std::int16_t lato : {1, -1}) {
        const Body b{ShapeCiConcordi, 1, 100, 20, 45, 45, 0, 1, lato};
        const CylinderResults r = Develop(b);
        ASSERT_LT(r.Hmed, r.Hmin);
        RecordingCanvas pic(1000, 700);
        ASSERT_TRUE(DrawDevelopment(pic, b, r).Drawn);
        ExpectInsidePicture(pic, "flat cylinder");
        // Drawing order: the lower edge (two lines a degree and the middle
        // line), then the upper edge the same way.
        const auto yellow = LinesOf(pic, Yellow);
        ASSERT_GE(yellow.size(), 2u * 361u);
        for (std::size_t i = 0; i < 361; ++i) {
            EXPECT_LT(yellow[361 + i].py2, yellow[i].py2) << "upper edge under the lower at line " << i;
        }
        ASSERT_EQ(pic.fills.size(), 1u);
        ExpectInsideOutline(pic, pic.fills[0].px, pic.fills[0].py, "flat cylinder");
    }
}

// Every kind, weld side and step: the fill starts inside the outline, and the
// outline is the right way up.
TEST(CylinderDevelopmentDrawing, FillStartsInsideTheOutline) {
    const Body bodies[] = {
        {ShapeCiTaSup, 3, 300, 300, 60, 0, 1, 0.1f},
        {ShapeCiConcordi, 0.3f, 20, 40, 80, 80, 1, 2},
        // Opposite cuts that nearly meet at the seam, then in the middle.
        {ShapeCiDiscordi, 0.1f, 100, 175, 60, 60, 0, 5},
        {ShapeCiDiscordi, 0.1f, 100, 173.3f, 60, 60, 0, 1, -1},
    };
    for (const auto& b : bodies) {
        const CylinderResults r = Develop(b);
        for (auto [w, h] : {std::pair{1000, 700}, std::pair{500, 300}}) {
            RecordingCanvas pic(w, h);
            ASSERT_TRUE(DrawDevelopment(pic, b, r).Drawn);
            const std::string what = "code " + std::to_string(b.code) + " step " + std::to_string(b.step) +
                                     " side " + std::to_string(b.lato) + " picture " + std::to_string(w);
            ExpectInsidePicture(pic, what);
            ASSERT_LE(pic.fills.size(), 1u) << what;
            if (pic.fills.empty()) continue;
            ExpectInsideOutline(pic, pic.fills[0].px, pic.fills[0].py, what);
        }
    }
}

TEST(CylinderDevelopmentDrawing, SmallPictures) {
    const Body cut{ShapeCiTaSup, 0.3f, 20, 40, 30, 0};
    const CylinderResults r = Develop(cut);
    // No room at all: nothing drawn, no label, never mirrored.
    for (auto [w, h] : {std::pair{279, 700}, std::pair{1000, 90}, std::pair{-50, -50}}) {
        RecordingCanvas pic(w, h);
        const auto labels = DrawDevelopment(pic, cut, r);
        EXPECT_FALSE(labels.Drawn) << w << "x" << h;
        EXPECT_TRUE(pic.lines.empty() && pic.fills.empty()) << w << "x" << h;
    }
    // Half-width 60: a whole-pixel step would be 0 and the cut edge a
    // vertical line at each seam; its left half runs from the seam to the
    // middle and is not flat.
    RecordingCanvas pic(400, 300);
    ASSERT_TRUE(DrawDevelopment(pic, cut, r).Drawn);
    const auto yellow = LinesOf(pic, Yellow);
    Extent e;
    for (std::size_t i = 361; i < 361 + 360; i += 2) e.Add(yellow[i]);  // the upper edge's left half
    EXPECT_NEAR(e.minX, 80, 1e-6);
    EXPECT_NEAR(e.maxX, 140, 1e-6);
    EXPECT_GT(e.maxY - e.minY, 10);
    ExpectInsidePicture(pic, "small");
}

// --- Sheet drawing ---

TEST(CylinderSheetDrawing, WholeAndHalves) {
    const Body b{ShapeCiConcordi, 0.3f, 20, 40, 10, 10};
    const CylinderResults r = Develop(b);
    const int W = 721, H = 301;
    const struct { std::int16_t part; double middleX; } cases[] = {{0, 360.5}, {1, 720}, {2, 0}};
    for (const auto& c : cases) {
        RecordingCanvas pic(W, H);
        DrawCylinderSheetDevelopment(pic, r, b.step, c.part);
        Extent e;
        int middle = 0;
        for (const auto& l : pic.lines) {
            if (l.style != DrawDashDot) e.Add(l);
            else middle += l.x1 == c.middleX && l.x2 == c.middleX;
        }
        EXPECT_GT(middle, 0) << c.part;
        EXPECT_NEAR(e.minX, 0, 1e-6) << c.part;
        EXPECT_NEAR(e.maxX, W - 1, 1e-6) << c.part;
        EXPECT_NEAR(e.minY, 0, 1e-3) << "Hmax fills the height";
        EXPECT_NEAR(e.maxY, H - 1, 1e-3);
    }
}

// Each part against the body in space: every solid line's ends lie on one of
// the two cut edges at the generatrix their x stands for, the seams stand
// where the part has them, the dash-dot line on the 180 degree generatrix.
TEST(CylinderSheetDrawing, PartsFollowTheBodyInSpace) {
    const int W = 721, H = 301;
    const double xR = W - 1, yB = H - 1;
    for (float step : {1.0f, 0.25f, 5.0f}) {
        const Body b{ShapeCiDiscordi, 1.5f, 120, 300, 35, 20, 1, step, -1};
        const CylinderResults r = Develop(b);
        const cut_cylinder::CutCylinder body{120 + 1.5, 300, -20, 35, -1};
        const double scale = yB / body.Hmax();
        const int perHalf = static_cast<int>(180 / std::max(1.0f, step));
        const struct { std::int16_t part; double middleX; bool left, right; } parts[] = {
            {0, W / 2.0, true, true}, {1, xR, true, false}, {2, 0, false, true}};
        for (const auto& p : parts) {
            SCOPED_TRACE(::testing::Message() << "step " << step << " developmentPart " << p.part);
            RecordingCanvas pic(W, H);
            DrawCylinderSheetDevelopment(pic, r, step, p.part);
            // Degrees per pixel of either half, measured from its own end.
            const double ppd = p.part == 0 ? W / 2.0 / 180 : xR / 180;
            auto onEdge = [&](double x, double y) {
                std::vector<double> thetas;
                if (p.left) thetas.push_back(x / ppd);
                if (p.right) thetas.push_back(360 - (xR - x) / ppd);
                for (double t : thetas) {
                    if (t < -1e-9 || t > 360 + 1e-9) continue;
                    if (std::fabs(y - (yB - scale * body.Upper(t))) < 1e-3 ||
                        std::fabs(y - (yB - scale * body.Lower(t))) < 1e-3)
                        return true;
                }
                return false;
            };
            int edgeLines = 0, middle = 0;
            std::vector<double> seams;
            for (const auto& l : pic.lines) {
                if (l.style == DrawDashDot) {
                    middle += l.x1 == p.middleX && l.x2 == p.middleX && l.y1 == 0 && l.y2 == H;
                } else if (l.x1 == l.x2) {
                    seams.push_back(l.x1);
                    EXPECT_NEAR(std::max(l.y1, l.y2), yB - scale * body.Lower(0), 1e-3);
                    EXPECT_NEAR(std::min(l.y1, l.y2), yB - scale * body.Upper(0), 1e-3);
                } else {
                    ++edgeLines;
                    EXPECT_TRUE(onEdge(l.x1, l.y1) && onEdge(l.x2, l.y2))
                        << "(" << l.x1 << ", " << l.y1 << ") - (" << l.x2 << ", " << l.y2 << ")";
                }
            }
            EXPECT_EQ(middle, 1);
            EXPECT_EQ(edgeLines, 2 * perHalf * (p.left + p.right));
            std::vector<double> wanted;
            if (p.left) wanted.push_back(0);
            if (p.right) wanted.push_back(xR);
            EXPECT_EQ(seams, wanted);
        }
    }
}

// --- Sketch ---

CylinderSketchOutline Outline(const Body& b, double w = 800, double h = 600) {
    return CylinderSketchGeometry(w, h, b.code, CylinderInputsOf(DataOf(b)), Develop(b));
}

TEST(CylinderSketch, CornersFollowTheHeights) {
    // No room: nothing to draw (never negative sizes).
    for (auto [w, h] : {std::pair{249.0, 600.0}, std::pair{800.0, 120.0}, std::pair{-10.0, -10.0}})
        EXPECT_FALSE(Outline({ShapeCiTaSup, 0.3f, 20, 40, 10, 0}, w, h).Valid) << w << "x" << h;
    // Without thickness factor a 45 degree top cut lowers the top-left corner
    // by the full width 2a.
    const CylinderSketchOutline o = Outline({ShapeCiTaSup, 1, 100, 200, 45, 0, 0});
    EXPECT_NEAR(o.TopLeftY - o.YT, 2 * o.A, 1e-3);
    EXPECT_DOUBLE_EQ(o.BottomLeftY, o.YB);

    // The outline never crosses itself, also where the working diameter is
    // much smaller than the typed one (inner fibre of an outer diameter:
    // d - 2 s) and the cuts are steep.
    const Body bodies[] = {
        {ShapeCiTaSup, 3, 20, 50, 80, 0, -2},   {ShapeCiConcordi, 3, 20, 50, 80, 80, -2},
        {ShapeCiConcordi, 1, 100, 20, 45, 45, 0}, {ShapeCiDiscordi, 3, 20, 120, 80, 80, -2},
    };
    for (const auto& b : bodies) {
        const CylinderSketchOutline s = Outline(b);
        ASSERT_TRUE(s.Valid);
        EXPECT_LT(s.TopLeftY, s.BottomLeftY) << b.code << " " << b.top;
        EXPECT_LT(s.TopRightY, s.BottomRightY) << b.code << " " << b.top;
        EXPECT_TRUE(s.TopLeftY >= s.YT - 1e-9 && std::max(s.BottomLeftY, s.BottomRightY) <= s.YB + 1e-9);
    }
}

// Which boxes each kind places, the bottom angle shown as typed, and the
// fill started inside the body.
TEST(CylinderSketch, BoxesAndFill) {
    const struct { Body body; int boxes; } cases[] = {
        {{ShapeCiRe, 0.3f, 20, 40, 0, 0}, 2},          {{ShapeCiTaSup, 0.3f, 20, 40, 10, 0}, 3},
        {{ShapeCiDiscordi, 0.3f, 20, 40, 10, 15}, 4},  {{ShapeCiConcordi, 3, 20, 50, 80, 80, -2}, 4},
    };
    for (const auto& c : cases) {
        RecordingCanvas pic(800, 600);
        const CylinderSketchPlaces places =
            DrawCylinderSketch(pic, c.body.code, CylinderInputsOf(DataOf(c.body)), Develop(c.body), RGB(255, 0, 0));
        ASSERT_TRUE(places.Drawn);
        EXPECT_EQ(places.WeldSideMarker, c.body.code != ShapeCiRe);
        for (int k = 0; k < 4; ++k) EXPECT_EQ(places.Boxes[k].Visible, k < c.boxes) << k;
        if (c.boxes > 3) {
            EXPECT_FLOAT_EQ(places.Boxes[3].Value, c.body.bottom) << "the bottom angle as typed";
        }
        ASSERT_EQ(pic.fills.size(), 1u);
        ExpectInsideOutline(pic, pic.fills[0].px, pic.fills[0].py, "sketch " + std::to_string(c.body.code));
        ExpectInsidePicture(pic, "sketch");
    }
}

}  // namespace
}  // namespace velm
