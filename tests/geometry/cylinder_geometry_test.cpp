#include "geometry/cylinder_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "support/cylinder_reference.h"

namespace velm {
namespace {

using cut_cylinder::CutCylinder;
using cut_cylinder::EllipsePerimeter;
using cut_cylinder::kPi;
using cut_cylinder::Rad;

constexpr float kNan = std::numeric_limits<float>::quiet_NaN();

// Buildable bodies: the four kinds and a few awkward ones.
const CutCylinder kBodies[] = {
    {20.3, 40, 0, 0},     {20.3, 40, 0, 10},     {20.3, 40, 10, 10},  {20.3, 40, -10, 10},
    {100, 250, 30, 60},   {100, 250, -45, 30},   {300, 600, 80, 80},  {6.5, 3, -20, 20},
};

TEST(CylinderCutEdges, HeightsTablesAndLengthsMatchTheBodyInSpace) {
    for (CutCylinder b : kBodies) {
        for (int lato : {1, -1}) {
            for (float step : {1.0f, 0.1f, 10.0f}) {
                b.lato = lato;
                SCOPED_TRACE(::testing::Message() << "D'=" << b.diameter << " H=" << b.axis << " cuts " << b.bottomDeg
                                                  << "/" << b.topDeg << " lato " << lato << " step " << step);
                const float dp = static_cast<float>(b.diameter);
                const CutHeights heights = ComputeCutHeightsFromAxis(
                    CylinderBody{dp, Rad(b.bottomDeg), Rad(b.topDeg)}, static_cast<float>(b.axis));
                const double tol = 2e-6 * b.Hmax();
                EXPECT_FALSE(heights.Impossible);
                EXPECT_NEAR(heights.Hmax, b.Hmax(), tol);
                EXPECT_NEAR(heights.Hmed, b.Hmed(), tol);
                EXPECT_NEAR(heights.Hmin, b.Hmin(), tol);

                ProfileTable upper, lower;
                upper.fill(-7), lower.fill(-7);
                const CutCurveLengths lengths = ComputeCutCurveTables(
                    CylinderBody{dp, Rad(b.bottomDeg), Rad(b.topDeg)}, heights, step, static_cast<std::int16_t>(lato),
                    upper, lower);
                ASSERT_TRUE(lengths.Done);
                const double developed = lengths.DevelopedLength;
                const float upperArc = lengths.UpperArcLength, lowerArc = lengths.LowerArcLength;
                const int n = HalfTurnIndex(step);
                for (int i = 0; i <= ProfileTableLast; ++i) {
                    // Entries past the full turn keep what they held.
                    const bool filled = i <= 2 * n;
                    ASSERT_NEAR(upper[i], filled ? b.Upper(i * double{step}) : -7, tol) << i;
                    ASSERT_NEAR(lower[i], filled ? b.Lower(i * double{step}) : -7, tol) << i;
                }
                EXPECT_NEAR(developed, kPi * dp, 1e-12 * developed);
                // A chord polygon falls short of the curve by about (step in rad)^2 / 24.
                const double rel = 2e-5 + std::pow(Rad(step), 2) / 12;
                EXPECT_NEAR(upperArc, EllipsePerimeter(b.diameter / 2, b.topDeg), rel * upperArc);
                EXPECT_NEAR(lowerArc, EllipsePerimeter(b.diameter / 2, b.bottomDeg), rel * lowerArc);
            }
        }
    }
}

TEST(CylinderCutEdges, WithThicknessSolvesTheSameBodyFromItsHeight) {
    // Elbow pieces give the plate height and the typed diameter and thickness.
    const float diameter = 60, thickness = 2.5f;
    for (std::int16_t factor = -2; factor <= 2; ++factor) {
        for (CutCylinder b : kBodies) {
            b.diameter = diameter + factor * thickness;
            // Both solvers must agree on what can be built.
            const CutHeights fromAxis = ComputeCutHeightsFromAxis(
                CylinderBody{static_cast<float>(b.diameter), Rad(b.bottomDeg), Rad(b.topDeg)},
                static_cast<float>(b.axis));
            const CylinderBody body{WorkingDiameter(diameter, thickness, factor), Rad(b.bottomDeg),
                                    Rad(b.topDeg)};
            const CutHeights h = ComputeCutHeightsFromTop(body, static_cast<float>(b.Hmax()));
            SCOPED_TRACE(::testing::Message() << factor << " " << b.axis);
            const double tol = 2e-6 * b.Hmax();
            EXPECT_NEAR(h.Hmed, b.Hmed(), tol);
            EXPECT_NEAR(h.Hmin, b.Hmin(), tol);
            EXPECT_NEAR(h.AxisLength, b.axis, tol);
            EXPECT_EQ(h.Impossible, fromAxis.Impossible);
        }
    }
}

TEST(CylinderCutEdges, ImpossibleBodiesAreFlagged) {
    // fromAxis: else from the plate height, with thickness 1 and factor 1.
    const struct { const char* what; bool fromAxis; float length, diameter, bottomDeg, topDeg; std::int16_t flag; }
        cases[] = {
        {"top cut reaches the baseline", true, 10, 200, 0, 80, 1},
        {"opposite cuts cross", true, 99, 100, -45, 45, 1},
        {"opposite cuts clear", true, 101, 100, -45, 45, 0},
        {"zero working diameter", true, 40, 0, 0, 0, 1},
        {"cut not a number", true, 40, 20, 10, kNan, 1},
        {"piece: top cut below the baseline", false, 5, 19, 0, 30, 1},
        {"piece: no working diameter", false, 50, -1, 10, 10, 1},
    };
    for (const auto& c : cases) {
        const CutHeights h =
            c.fromAxis ? ComputeCutHeightsFromAxis(CylinderBody{c.diameter, Rad(c.bottomDeg), Rad(c.topDeg)}, c.length)
                       : ComputeCutHeightsFromTop(
                             CylinderBody{WorkingDiameter(c.diameter, 1, 1), Rad(c.bottomDeg), Rad(c.topDeg)},
                             c.length);
        EXPECT_EQ(h.Impossible, c.flag == 1) << c.what;
    }
}

TEST(CylinderCutEdges, StepsTheTablesCanAndCannotHold) {
    const struct { float step; int n; } cases[] = {
        {0.1f, 1800}, {10, 18}, {72, 2}, {120, 2}, {1.7946f, 100},  // halves to the even neighbour
        {0.0999f, -1}, {0, -1}, {400, -1}, {kNan, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HalfTurnIndex(c.step), c.n) << c.step;
        ProfileTable upper, lower;
        upper.fill(3), lower.fill(4);
        CutHeights heights;
        heights.Hmax = 40, heights.Hmed = 38, heights.Hmin = 0;
        const CutCurveLengths lengths = ComputeCutCurveTables(CylinderBody{20, 0, Rad(10)}, heights, c.step, 1, upper,
                                                              lower);
        const bool done = lengths.Done;
        // 72, 120 and 1.7946 do not divide the half turn: refused like a step the tables cannot hold.
        EXPECT_EQ(done, c.n > 0 && c.n * c.step == 180) << c.step;
        if (done) continue;
        // A refused step leaves everything as it was.
        EXPECT_TRUE(std::all_of(upper.begin(), upper.end(), [](double v) { return v == 3; }));
        EXPECT_EQ(lengths.DevelopedLength + lengths.UpperArcLength + lengths.LowerArcLength, 0);
    }
}

}  // namespace
}  // namespace velm
