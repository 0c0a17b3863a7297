#include "elbows/plane_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velm {
namespace {

constexpr double kPi = 3.14159265358979323846;

TEST(PlaneGeometry, LinesAndTheirMeetings) {
    const struct { const char* what; float x1, y1, x2, y2; PlaneLine want; } lines[] = {
        {"horizontal through (0, 5)", 0, 5, 3, 5, {0, -1, 5}},
        {"vertical, whatever the y values", 2, 7, 2, -3, {1, 0, -2}},
        {"two equal points", 4, 4, 4, 4, {1, 0, -4}},
        {"slope 2 through (1, 1)", 1, 1, 2, 3, {2, -1, -1}},
    };
    for (const auto& c : lines) {
        const PlaneLine l = LineThroughPoints(c.x1, c.y1, c.x2, c.y2);
        EXPECT_EQ(l.a, c.want.a) << c.what;
        EXPECT_EQ(l.b, c.want.b) << c.what;
        EXPECT_EQ(l.c, c.want.c) << c.what;
    }
    float x = 9, y = 9;
    ASSERT_TRUE(IntersectLines({1, 0, 2}, {0, -1, 0}, x, y));
    EXPECT_EQ(x, -2);
    EXPECT_EQ(y, 0);
    ASSERT_TRUE(IntersectLines(LineThroughPoints(0, 0, 1, 1), LineThroughPoints(0, 2, 2, 0), x, y));
    EXPECT_FLOAT_EQ(x, 1);
    EXPECT_FLOAT_EQ(y, 1);
    x = y = 9;
    EXPECT_FALSE(IntersectLines({2, -1, 0}, {2, -1, 5}, x, y)) << "parallel lines";
    EXPECT_EQ(x, 9);
}

TEST(PlaneGeometry, DistancesAnglesAndMappings) {
    EXPECT_EQ(PointDistance(0, 0, 3, 4), 5);
    EXPECT_EQ(PointLineDistance(3, -4, 0, -1, 0), 4);
    EXPECT_NEAR(PointLineDistance(0, 0, 1, -1, 2), std::sqrt(2.0), 1e-12);
    EXPECT_EQ(PointLineDistance(1, 1, 0, 0, 3), 0) << "no line";
    // From y = 0 to y = x is a quarter turn counter-clockwise; back is negative.
    EXPECT_NEAR(AngleBetweenDirections(0, -1, 1, -1), kPi / 4, 1e-12);
    EXPECT_NEAR(AngleBetweenDirections(1, -1, 0, -1), -kPi / 4, 1e-12);
    EXPECT_NEAR(AngleBetweenDirections(0, -1, 1, 0), kPi / 2, 1e-12) << "perpendicular";
    const PlanePoint p = RotateTranslatePoint(1, 0, static_cast<float>(kPi / 2), 5, 5);
    EXPECT_FLOAT_EQ(p.x, 5);
    EXPECT_FLOAT_EQ(p.y, 6);
    float wx = 10, wy = 10;
    WorldToPicture(wx, wy, 2, 100, 100, 1);
    EXPECT_EQ(wx, 120);
    EXPECT_EQ(wy, 80);
    std::int16_t iy = 0, ix = 0;
    ToIntegerPair(2.7f, -0.5f, iy, ix);
    EXPECT_EQ(iy, -1);
    EXPECT_EQ(ix, 2);
    ToIntegerPair(1e9f, NAN, iy, ix);
    EXPECT_EQ(ix, 32767);
    EXPECT_EQ(iy, 0);
}

TEST(PlaneGeometry, TriangleLaws) {
    const struct { const char* what; float a, b, c; double want; } angles[] = {
        {"acute: arccos", 3, 4, 4, std::acos(23.0 / 32)},
        {"right angle", 5, 3, 4, kPi / 2},
        {"obtuse: arccos - pi, as the callers take it", 6, 3, 4, std::acos(-11.0 / 24) - kPi},
        {"flat", 1, 3, 4, 0},
        // Float sides that do not close: q rounds past 1, and its root
        // would not be a number.
        {"sides that do not close", 0.19f, 0.1f, 0.3f, 0},
        {"no side", 1, 0, 4, 0},
    };
    for (const auto& c : angles) {
        const double got = AngleFromThreeSides(c.a, c.b, c.c);
        EXPECT_TRUE(std::isfinite(got)) << c.what;
        EXPECT_NEAR(got, c.want, 1e-6) << c.what;
    }
    EXPECT_NEAR(LawOfSinesSide(2, static_cast<float>(kPi / 6), static_cast<float>(kPi / 2)), 1, 1e-7);
}

}  // namespace
}  // namespace velm
