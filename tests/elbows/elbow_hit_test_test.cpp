// Which piece a point of the drawn elbow names, at the sectors' boundaries,
// at ties, on and below the centre line and at the centre itself.
#include "elbows/elbow_hit_test.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geometry/angles.h"

namespace velm {
namespace {

constexpr float Cx = 300, Cy = 200;

// A point at `deg` degrees from the left horizontal, above the centre.
std::pair<float, float> At(double deg, double r = 100) {
    const double a = deg * DegToRad;
    return {static_cast<float>(Cx - r * std::cos(a)), static_cast<float>(Cy - r * std::sin(a))};
}

TEST(ElbowHitTest, FivePiecesOverAQuarterTurn) {
    // a0 = 45, step = 22.5: 45-56.25 piece 1, then 22.5 each, 123.75-135 piece 5.
    const float bend = static_cast<float>(90 * DegToRad);
    const struct {
        double deg;
        int piece;
    } cases[] = {{50, 1}, {56, 1}, {57, 2}, {78, 2}, {79, 3}, {90, 3}, {101, 3}, {102, 4},
                 {123, 4}, {124, 5}, {134, 5}, {10, 1}, {170, 5}, {0.01, 1}, {179.99, 5}};
    for (const auto& c : cases) {
        const auto [x, y] = At(c.deg);
        EXPECT_EQ(CylElbowPieceAt(x, y, Cx, Cy, 5, bend), c.piece) << c.deg;
    }
    // Straight above: theta is the fixed 1.5708.
    EXPECT_EQ(CylElbowPieceAt(Cx, Cy - 50, Cx, Cy, 5, bend), 3);
    EXPECT_EQ(AngleAboveCentre(Cx, Cy - 50, Cx, Cy).value(), 1.5708f);
}

TEST(ElbowHitTest, OnOrBelowTheCentreLineAndAtTheCentreNoPiece) {
    const float bend = static_cast<float>(90 * DegToRad);
    for (auto [x, y] : {std::pair{Cx, Cy}, std::pair{Cx - 80, Cy}, std::pair{Cx + 80, Cy}, std::pair{Cx, Cy + 1},
                        std::pair{Cx - 30, Cy + 40}}) {
        EXPECT_EQ(CylElbowPieceAt(x, y, Cx, Cy, 5, bend), 0) << x << "," << y;
        EXPECT_FALSE(AngleAboveCentre(x, y, Cx, Cy).has_value());
    }
}

TEST(ElbowHitTest, BoundariesGoToTheHigherPieceInSinglePrecision) {
    const float bend = static_cast<float>(90 * DegToRad);
    const auto a0 = static_cast<float>(Pi / 2 - bend / 2);
    const float step = bend / 4;
    const double first = static_cast<double>(a0) + step / 2;
    const double last = Pi - a0 - step / 2;
    for (int k = 0; k <= 2; ++k) {
        const auto boundary = static_cast<float>(first + k * step);
        EXPECT_EQ(PieceBySector(boundary, first, last, step, 5), k + 2) << k;
        EXPECT_EQ(PieceBySector(std::nextafter(boundary, 0.0f), first, last, step, 5), k + 1) << k;
    }
    EXPECT_EQ(PieceBySector(static_cast<float>(last), first, last, step, 5), 5) << "on the last boundary";
    EXPECT_EQ(PieceBySector(std::nextafter(static_cast<float>(last), 0.0f), first, last, step, 5), 4);
}

TEST(ElbowHitTest, NoZeroDivisorNegativeRootOrEndlessLoop) {
    const float bend = static_cast<float>(90 * DegToRad);
    // Fewer than two pieces would divide by zero: no piece.
    EXPECT_EQ(CylElbowPieceAt(Cx, Cy - 50, Cx, Cy, 1, bend), 0);
    EXPECT_EQ(CylElbowPieceAt(Cx, Cy - 50, Cx, Cy, 0, bend), 0);
    EXPECT_EQ(CylElbowPieceAt(Cx, Cy - 50, Cx, Cy, -3, bend), 0);
    EXPECT_EQ(CylElbowPieceAt(Cx, Cy - 50, Cx, Cy, 5, std::nanf("")), 0);
    // Far out along the line the cosine rounds to 1: the angle's limit, not a NaN.
    const std::optional<float> left = AngleAboveCentre(Cx - 1e7f, Cy - 0.01f, Cx, Cy);
    ASSERT_TRUE(left.has_value());
    EXPECT_TRUE(std::isfinite(*left));
    EXPECT_NEAR(*left, 0, 1e-4);
    EXPECT_EQ(CylElbowPieceAt(Cx - 1e7f, Cy - 0.01f, Cx, Cy, 5, bend), 1);
    EXPECT_EQ(CylElbowPieceAt(Cx + 1e7f, Cy - 0.01f, Cx, Cy, 5, bend), 5);
    // A sector table whose steps never pass theta ends at the last piece.
    EXPECT_EQ(PieceBySector(2.0f, 0.1, 3.0, 0.0, 32767), 32767);
    EXPECT_EQ(PieceBySector(2.0f, 0.1, 3.0, 0.1, 0), 0);
}

}  // namespace
}  // namespace velm
