#include "frame/sketch_primitives.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/recording_canvas.h"

namespace velm {
namespace {

struct Offset { float dx, dy; };

struct ArrowCase {
    float angle;
    std::vector<Offset> strokes;  // ends relative to the tip; empty: nothing drawn
};

const std::vector<Offset> PlusX = {{-15, 0}, {-10, -4}, {-10, 4}};
const std::vector<Offset> MinusX = {{15, 0}, {10, -4}, {10, 4}};
const std::vector<Offset> Up = {{0, 15}, {-4, 10}, {4, 10}};
const std::vector<Offset> Down = {{0, -15}, {-4, -10}, {4, -10}};
const std::vector<Offset> PlusXDown = {{-10, -10}, {-8, -1}, {-1, -8}};
const std::vector<Offset> PlusXUp = {{-10, 10}, {-8, 1}, {-1, 8}};
const std::vector<Offset> MinusXUp = {{10, 10}, {8, 1}, {1, 8}};
const std::vector<Offset> MinusXDown = {{10, -10}, {8, -1}, {1, -8}};

TEST(DrawArrowHead, ChoosesThePatternByTheAngle) {
    // Each pattern at its middle and at the edges of its band; none between the bands.
    const std::vector<ArrowCase> cases = {
        {0, PlusX},         {-24, PlusX},     {336, PlusX},     {90, Up},          {114, Up},
        {156, MinusX},      {204, MinusX},    {-90, Down},      {246, Down},       {25, PlusXUp},
        {65, PlusXUp},      {135, MinusXUp},  {115, MinusXUp},  {225, MinusXDown}, {-45, PlusXDown},
        {335, PlusXDown},   {24.5f, {}},      {65.5f, {}},      {361, {}},         {-115, {}},
    };
    const float x = 100.5f, y = 40;
    for (const auto& c : cases) {
        RecordingCanvas canvas;
        canvas.ForeColor = RGB(255, 255, 0);
        DrawArrowHead(canvas, c.angle, x, y);
        EXPECT_EQ(canvas.ForeColor, RGB(255, 255, 0));  // the picture's colour stays
        ASSERT_EQ(canvas.lines.size(), c.strokes.size()) << "angle " << c.angle;
        for (size_t i = 0; i < c.strokes.size(); ++i) {
            const auto& l = canvas.lines[i];
            EXPECT_DOUBLE_EQ(l.x1, x) << "angle " << c.angle;
            EXPECT_DOUBLE_EQ(l.y1, y) << "angle " << c.angle;
            EXPECT_DOUBLE_EQ(l.x2, x + c.strokes[i].dx) << "angle " << c.angle << " stroke " << i;
            EXPECT_DOUBLE_EQ(l.y2, y + c.strokes[i].dy) << "angle " << c.angle << " stroke " << i;
            EXPECT_EQ(l.colour, RGB(255, 255, 255));
        }
    }
}

}  // namespace
}  // namespace velm
