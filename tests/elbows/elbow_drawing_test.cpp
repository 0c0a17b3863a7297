#include "elbows/elbow_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "support/elbow_samples.h"
#include "support/recording_canvas.h"

namespace velm {
namespace {

using elbow_cases::kDeg;
using elbow_cases::SampleElbow;

const Colour Yellow = RGB(255, 255, 0);
const Colour Fill = PaletteColour(12);

// The elbow's extent once turned, as the fit measures it.
struct Extent {
    double width = 0, height = 0;
};
Extent ExtentOf(const LastElbow& e, double rotation) {
    double maxX = 0, maxY = 0, minX = 1e10, minY = 1e10;
    for (int j = 1; j <= e.PieceCount + 1; ++j) {
        for (auto [x, y] : {std::pair<double, double>{e.FaceOuterX[j], e.FaceOuterY[j]},
                            std::pair<double, double>{e.FaceInnerX[j], e.FaceInnerY[j]}}) {
            const double u = (x - e.BendRadius) * std::cos(rotation) + y * std::sin(rotation);
            const double v = -(x - e.BendRadius) * std::sin(rotation) + y * std::cos(rotation);
            maxX = std::max(maxX, u);
            minX = std::min(minX, u);
            maxY = std::max(maxY, v);
            minY = std::min(minY, v);
        }
    }
    return {maxX - minX, maxY - std::min(minY, 0.0)};
}

TEST(ElbowFit, FillsThreeQuartersToAllOfTheRoom) {
    const struct { const char* what; int kind; float bend; int width, height; } cases[] = {
        {"cylinder, 90 degrees", 0, 90, 640, 480},
        {"cylinder, 180 degrees", 0, 180, 640, 480},
        {"half ends in a small picture: the scale shrinks", 1, 90, 60, 40},
        {"full pieces in a large picture: the scale grows", 2, 45, 1280, 800},
        {"connections, tall picture", 3, 120, 300, 900},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const LastElbow e = SampleElbow(c.kind, c.bend);
        ASSERT_EQ(e.ElbowError, 0);
        RecordingCanvas pic(c.width, c.height);
        ElbowDrawing d;
        ASSERT_TRUE(FitElbowToPicture(pic, e.Bend, e, e.PieceCount, e.BendRadius, d));
        EXPECT_NEAR(d.DrawingRotation, kDeg * (90 - c.bend / 2), 1e-6);
        const double k = d.DrawingScaleNum / d.DrawingScaleDen;
        EXPECT_FLOAT_EQ(d.DrawingRadius, static_cast<float>(k * e.BendRadius));
        const Extent x = ExtentOf(e, d.DrawingRotation);
        const double W = c.width - 10, H = c.height - 10;
        const double share = x.width / W < x.height / H ? x.height * k / H : x.width * k / W;
        EXPECT_GE(share, 0.75 - 1e-6);
        EXPECT_LE(share, 1 + 1e-6);
        EXPECT_LE(d.DrawingCentreY, H + 10);
        // Turned symmetric: the ends of the bend's axis lie mirrored about
        // the centre's vertical, the start on the left.
        auto turned = [&](double x0, double y0) {
            const double u = (x0 - e.BendRadius) * std::cos(d.DrawingRotation) + y0 * std::sin(d.DrawingRotation);
            const double v = -(x0 - e.BendRadius) * std::sin(d.DrawingRotation) + y0 * std::cos(d.DrawingRotation);
            return std::pair<double, double>{u, v};
        };
        const double bend = c.bend * kDeg;
        const auto start = turned(0, 0);
        const auto end = turned(e.BendRadius * (1 - std::cos(bend)), e.BendRadius * std::sin(bend));
        EXPECT_LT(start.first, 0);
        EXPECT_NEAR(start.first, -end.first, 1e-3 * e.BendRadius);
        EXPECT_NEAR(start.second, end.second, 1e-3 * e.BendRadius);
    }
}

TEST(ElbowFit, EndsForAnyPicture) {
    const LastElbow e = SampleElbow(0);
    ElbowDrawing d;
    d.DrawingCentreX = 123;
    for (auto [w, h] : {std::pair{10, 400}, std::pair{400, 10}, std::pair{0, 0}, std::pair{11, 11}}) {
        RecordingCanvas pic(w, h);
        EXPECT_EQ(FitElbowToPicture(pic, e.Bend, e, e.PieceCount, e.BendRadius, d), w > 10 && h > 10) << w << "x" << h;
    }
    LastElbow flat;  // every corner on the bend centre: no extent at all
    for (int j = 1; j <= 6; ++j) flat.FaceOuterX[j] = flat.FaceInnerX[j] = 100;
    RecordingCanvas pic(640, 480);
    d = ElbowDrawing{};
    EXPECT_FALSE(FitElbowToPicture(pic, 1.5f, flat, 5, 100, d));
    EXPECT_EQ(d.DrawingRadius, 0) << "left alone";
    // A tiny elbow in a large picture still ends.
    LastElbow tiny = e;
    for (int j = 1; j <= 6; ++j) {
        tiny.FaceOuterX[j] = e.BendRadius + (e.FaceOuterX[j] - e.BendRadius) * 1e-7f;
        tiny.FaceInnerX[j] = e.BendRadius + (e.FaceInnerX[j] - e.BendRadius) * 1e-7f;
        tiny.FaceOuterY[j] *= 1e-7f;
        tiny.FaceInnerY[j] *= 1e-7f;
    }
    RecordingCanvas large(30000, 30000);
    FitElbowToPicture(large, e.Bend, tiny, 5, e.BendRadius, d);
    SUCCEED();
    // Nothing drawn for a failed elbow, or for no room.
    RecordingCanvas none(640, 480);
    LastElbow failed = e;
    failed.ElbowError = 1;
    EXPECT_FALSE(DrawElbow(none, failed, d, Fill, Fill));
    RecordingCanvas small(10, 10);
    EXPECT_FALSE(DrawElbow(small, e, d, Fill, Fill));
    EXPECT_TRUE(none.lines.empty() && small.lines.empty() && none.fills.empty() && small.fills.empty());
}

std::string Letters(const RecordingCanvas& pic) {
    std::string s;
    for (const auto& t : pic.texts) s += t.text;
    return s;
}

TEST(ElbowDrawing, OutlineFillJointsAndFigure) {
    for (int kind = 0; kind <= 3; ++kind) {
        SCOPED_TRACE(kind);
        const LastElbow e = SampleElbow(kind);
        const int K = e.PieceCount;
        RecordingCanvas pic(640, 480);
        ElbowDrawing d;
        ASSERT_TRUE(DrawElbow(pic, e, d, Fill, PaletteColour(13)));
        // The outline first: from the end face's inner corner along the
        // outer corners, back along the inner ones, closed, in yellow.
        ASSERT_GE(pic.lines.size(), static_cast<size_t>(2 * K + 2));
        auto mapped = [&](float x, float y) {
            const double u = (x - e.BendRadius) * std::cos(d.DrawingRotation) + y * std::sin(d.DrawingRotation);
            const double v = -(x - e.BendRadius) * std::sin(d.DrawingRotation) + y * std::cos(d.DrawingRotation);
            const double k = d.DrawingRadius / e.BendRadius;
            return std::pair<double, double>{d.DrawingCentreX + k * u, d.DrawingCentreY - k * v};
        };
        std::size_t line = 0;
        for (int j = K + 1; j >= 1; --j) {
            const auto& l = pic.lines[line++];
            const auto want = mapped(e.FaceOuterX[j], e.FaceOuterY[j]);
            EXPECT_NEAR(l.x2, want.first, 1e-3) << "outer corner " << j;
            EXPECT_NEAR(l.y2, want.second, 1e-3) << "outer corner " << j;
            EXPECT_EQ(l.colour, Yellow);
            EXPECT_EQ(l.style, DrawSolid);
        }
        const auto& closing = pic.lines[2 * K + 1];
        const auto start = mapped(e.FaceInnerX[K + 1], e.FaceInnerY[K + 1]);
        EXPECT_NEAR(closing.x2, start.first, 1e-3);
        EXPECT_NEAR(closing.y2, start.second, 1e-3);
        EXPECT_NEAR(pic.lines[0].x1, start.first, 1e-3);
        // One fill, at the top of the axis arc, up to the outline.
        ASSERT_EQ(pic.fills.size(), 1u);
        EXPECT_EQ(pic.fills[0].px, std::lround(d.DrawingCentreX));
        EXPECT_EQ(pic.fills[0].py, std::lround(d.DrawingCentreY - d.DrawingRadius));
        EXPECT_EQ(pic.fills[0].border, Yellow);
        EXPECT_EQ(pic.fills[0].fill, kind == 0 ? Fill : PaletteColour(13));
        // Then the joints, dotted green, one per joint.
        for (int j = 0; j < K - 1; ++j) {
            const auto& l = pic.lines[2 * K + 2 + j];
            EXPECT_EQ(l.colour, PaletteColour(2));
            EXPECT_EQ(l.style, DrawDot);
        }
        // The figure: dotted blue lines, the letters.
        const auto figure = std::count_if(pic.lines.begin(), pic.lines.end(), [](const auto& l) {
            return l.colour == PaletteColour(1) && l.style == DrawDot;
        });
        EXPECT_GT(figure, 2 * 180);
        EXPECT_EQ(Letters(pic), kind == 0 ? "RAd" : "DRAd");
        EXPECT_EQ(pic.DrawStyle, DrawSolid);
        // Variants 2 and 3 draw the outline once more over the figure.
        if (kind >= 2) {
            const auto& last = pic.lines.back();
            EXPECT_EQ(last.colour, Yellow);
            EXPECT_EQ(last.style, DrawSolid);
        }
    }
}

}  // namespace
}  // namespace velm
