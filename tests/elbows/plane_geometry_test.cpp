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
    std::optional<PlanePoint> p = IntersectLines({1, 0, 2}, {0, -1, 0});
    ASSERT_TRUE(p);
    EXPECT_EQ(p->x, -2);
    EXPECT_EQ(p->y, 0);
    p = IntersectLines(LineThroughPoints(0, 0, 1, 1), LineThroughPoints(0, 2, 2, 0));
    ASSERT_TRUE(p);
    EXPECT_FLOAT_EQ(p->x, 1);
    EXPECT_FLOAT_EQ(p->y, 1);
    EXPECT_FALSE(IntersectLines({2, -1, 0}, {2, -1, 5})) << "parallel lines";
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
    const PlanePoint w = WorldToPicture({10, 10}, 2, 100, 100, 1);
    EXPECT_EQ(w.x, 120);
    EXPECT_EQ(w.y, 80);
    IntegerPair i = ToIntegerPair(2.7f, -0.5f);
    EXPECT_EQ(i.y, -1);
    EXPECT_EQ(i.x, 2);
    i = ToIntegerPair(1e9f, NAN);
    EXPECT_EQ(i.x, 32767);
    EXPECT_EQ(i.y, 0);
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
