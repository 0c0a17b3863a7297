#include "core/sketch_primitives.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/recording_canvas.h"

namespace velm {
namespace {

struct Offset { float dx, dy; };
using Strokes = std::vector<Offset>;  // ends relative to the tip; empty: nothing drawn

TEST(DrawArrowHead, ChoosesThePatternByTheAngle) {
    const Strokes PlusX = {{-15, 0}, {-10, -4}, {-10, 4}}, MinusX = {{15, 0}, {10, -4}, {10, 4}};
    const Strokes Up = {{0, 15}, {-4, 10}, {4, 10}}, Down = {{0, -15}, {-4, -10}, {4, -10}};
    const Strokes PlusXDown = {{-10, -10}, {-8, -1}, {-1, -8}}, PlusXUp = {{-10, 10}, {-8, 1}, {-1, 8}};
    const Strokes MinusXUp = {{10, 10}, {8, 1}, {1, 8}}, MinusXDown = {{10, -10}, {8, -1}, {1, -8}};
    // Each pattern and the edges of some bands; none between the bands.
    const std::pair<float, Strokes> cases[] = {
        {-24, PlusX},  {336, PlusX},    {114, Up},         {204, MinusX},    {-90, Down},  {25, PlusXUp},
        {65, PlusXUp}, {135, MinusXUp}, {225, MinusXDown}, {-45, PlusXDown}, {24.5f, {}},  {361, {}},
    };
    const float x = 100.5f, y = 40;
    for (const auto& [angle, strokes] : cases) {
        RecordingCanvas canvas;
        canvas.ForeColor = RGB(255, 255, 0);
        DrawArrowHead(canvas, angle, x, y);
        EXPECT_EQ(canvas.ForeColor, RGB(255, 255, 0));  // the picture's colour stays
        ASSERT_EQ(canvas.lines.size(), strokes.size()) << "angle " << angle;
        for (size_t i = 0; i < strokes.size(); ++i) {
            const auto& l = canvas.lines[i];
            EXPECT_TRUE(l.x1 == x && l.y1 == y && l.x2 == x + strokes[i].dx && l.y2 == y + strokes[i].dy)
                << "angle " << angle << " stroke " << i;
            EXPECT_EQ(l.colour, RGB(255, 255, 255));
        }
    }
}

// The figure keeps its first fit and the middle while it can; captions beside
// it move it aside, then shrink it; fixed extents too wide leave nothing.
TEST(FitReachesAcross, MovesThenShrinksTheFigure) {
    const std::pair<std::vector<SketchReach>, SketchFit> cases[] = {
        {{}, {1, 200}}, {{{true, 100, 150}}, {1, 148}}, {{{true, 100, 150}, {false, 100, 112}}, {0.67, 181}},
        {{{false, 0, 60}, {true, 0, 400}}, {0, 200}}};
    for (auto [reaches, want] : cases) {
        reaches.insert(reaches.end(), {{false, 100, 0}, {true, 100, 0}});  // the figure itself
        const SketchFit fit = FitReachesAcross(400, 2, reaches);
        EXPECT_NEAR(fit.Factor, want.Factor, 1e-9) << want.Centre;
        EXPECT_NEAR(fit.Centre, want.Centre, 1e-9) << want.Factor;
    }
}

}  // namespace
}  // namespace velm
