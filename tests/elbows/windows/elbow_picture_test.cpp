// The side view on real pixels: every piece filled, the background not.
#include <gtest/gtest.h>

#include <cmath>

#include "elbows/elbow_drawing.h"
#include "platform/qt/image_canvas.h"
#include "support/elbow_samples.h"

namespace velm {
namespace {

using elbow_cases::SampleElbow;

TEST(ElbowPicture, EveryPieceCarriesTheFill) {
    const Colour fill = PaletteColour(12);
    for (int kind = 0; kind <= 3; ++kind) {
        for (float n : {3.0f, 5.0f, 20.0f}) {
            SCOPED_TRACE(::testing::Message() << "kind " << kind << ", " << n << " pieces");
            const LastElbow e = SampleElbow(kind, 150, n);
            ASSERT_EQ(e.ElbowError, 0);
            ImageCanvas pic(640, 480);
            pic.BackColor = PaletteColour(15);
            pic.Cls();
            ElbowDrawing d;
            ASSERT_TRUE(DrawElbow(pic, e, d, fill, fill));
            const double k = d.DrawingRadius / e.BendRadius;
            auto pixel = [&](double x, double y) {
                const double u = (x - e.BendRadius) * std::cos(d.DrawingRotation) + y * std::sin(d.DrawingRotation);
                const double v = -(x - e.BendRadius) * std::sin(d.DrawingRotation) + y * std::cos(d.DrawingRotation);
                return std::pair<int, int>{static_cast<int>(std::lround(d.DrawingCentreX + k * u)),
                                           static_cast<int>(std::lround(d.DrawingCentreY - k * v))};
            };
            // A point of each piece between its axis and its outer side, away
            // from the dotted figure: most pixels around it carry the fill.
            for (int i = 1; i <= e.PieceCount; ++i) {
                const double ox = (e.FaceOuterX[i] + e.FaceOuterX[i + 1]) / 2, oy = (e.FaceOuterY[i] + e.FaceOuterY[i + 1]) / 2;
                const double ix = (e.FaceInnerX[i] + e.FaceInnerX[i + 1]) / 2, iy = (e.FaceInnerY[i] + e.FaceInnerY[i + 1]) / 2;
                for (double w : {0.3, 0.7}) {
                    const auto [px, py] = pixel(ix + w * (ox - ix), iy + w * (oy - iy));
                    int filled = 0;
                    for (int dx = -1; dx <= 1; ++dx)
                        for (int dy = -1; dy <= 1; ++dy) filled += pic.Point(px + dx, py + dy) == fill;
                    EXPECT_GE(filled, 4) << "piece " << i << " at " << w;
                }
            }
            // The background keeps its colour: the corners, and below the bend centre.
            for (auto [x, y] : {std::pair{1, 1}, std::pair{638, 1}, std::pair{1, 478}, std::pair{638, 478}}) {
                EXPECT_NE(pic.Point(x, y), fill) << x << "," << y;
            }
            int below = 0;
            for (int x = 0; x < 640; x += 4) below += pic.Point(x, 476) == fill;
            EXPECT_EQ(below, 0);
        }
    }
}

}  // namespace
}  // namespace velm
