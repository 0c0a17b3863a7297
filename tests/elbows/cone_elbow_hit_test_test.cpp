#include "elbows/cone_elbow_hit_test.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace velm {
namespace {

constexpr double kDeg = 3.14159265358979323846 / 180;
constexpr float kCx = 400, kCy = 300;

using HitTest = std::int16_t (*)(float, float, float, float, std::int16_t, float);

// The picture point at `degrees` from the left horizontal, 100 pixels from
// the centre; below the centre's line with `below`.
std::int16_t At(HitTest test, double degrees, std::int16_t n, double bendDegrees, bool below = false) {
    const float x = static_cast<float>(kCx - 100 * std::cos(degrees * kDeg));
    const float dy = static_cast<float>(100 * std::sin(degrees * kDeg));
    return test(x, below ? kCy + dy : kCy - dy, kCx, kCy, n, static_cast<float>(bendDegrees * kDeg));
}

TEST(ConeElbowHitTest, PiecesByAngleAroundTheCentre) {
    const struct {
        const char* what;
        HitTest test;
        std::int16_t n;
        double bend;
        double degrees;
        bool below;
        int piece;
    } cases[] = {
        // Half end pieces: 45-56.25, 56.25-78.75, 78.75-101.25, 101.25-123.75, 123.75-135.
        {"1: before the bend", ConeElbow1PieceAt, 5, 90, 20, false, 1},
        {"1: first half piece", ConeElbow1PieceAt, 5, 90, 56.2, false, 1},
        {"1: second", ConeElbow1PieceAt, 5, 90, 56.3, false, 2},
        {"1: middle", ConeElbow1PieceAt, 5, 90, 100, false, 3},
        {"1: fourth", ConeElbow1PieceAt, 5, 90, 123.7, false, 4},
        {"1: last half piece", ConeElbow1PieceAt, 5, 90, 123.8, false, 5},
        {"1: beyond the bend", ConeElbow1PieceAt, 5, 90, 170, false, 5},
        {"1: three pieces", ConeElbow1PieceAt, 3, 90, 67.4, false, 1},
        {"1: three pieces, middle", ConeElbow1PieceAt, 3, 90, 112.4, false, 2},
        {"1: below the line", ConeElbow1PieceAt, 5, 90, 60, true, 0},
        // Whole pieces: up to 63, 63-81, 81-99, 99-117, 117 and beyond.
        {"2: before the bend", ConeElbow2PieceAt, 5, 90, 10, false, 1},
        {"2: first", ConeElbow2PieceAt, 5, 90, 62.9, false, 1},
        {"2: second", ConeElbow2PieceAt, 5, 90, 63.1, false, 2},
        {"2: fourth", ConeElbow2PieceAt, 5, 90, 116.9, false, 4},
        {"2: last", ConeElbow2PieceAt, 5, 90, 117.1, false, 5},
        {"2: beyond the bend", ConeElbow2PieceAt, 5, 90, 179, false, 5},
        {"2: below the line", ConeElbow2PieceAt, 5, 90, 100, true, 0},
        // Between connections: <45 start, 45-63, ..., 117-135, >135 end.
        {"3: start connection", ConeElbow3PieceAt, 5, 90, 44.9, false, 1},
        {"3: first cone piece", ConeElbow3PieceAt, 5, 90, 45.1, false, 2},
        {"3: second", ConeElbow3PieceAt, 5, 90, 63.1, false, 3},
        {"3: last cone piece", ConeElbow3PieceAt, 5, 90, 134.9, false, 6},
        {"3: end connection", ConeElbow3PieceAt, 5, 90, 135.1, false, 7},
        {"3: below, left", ConeElbow3PieceAt, 5, 90, 80, true, 1},
        {"3: below, right", ConeElbow3PieceAt, 5, 90, 100, true, 7},
        {"3: on the line, left", ConeElbow3PieceAt, 5, 90, 0, false, 1},
        {"3: on the line, right", ConeElbow3PieceAt, 5, 90, 180, false, 7},
        {"3: a half turn, on the line right", ConeElbow3PieceAt, 5, 180, 180, false, 7},
    };
    for (const auto& c : cases)
        EXPECT_EQ(At(c.test, c.degrees, c.n, c.bend, c.below), c.piece) << c.what << " at " << c.degrees;
}

// Straight above the centre the angle is 1.5708; where a
// boundary lies there the point goes to the higher-numbered piece.
TEST(ConeElbowHitTest, StraightAboveAndBelowTheCentre) {
    const float up = kCy - 50, down = kCy + 50, bend = static_cast<float>(90 * kDeg);
    EXPECT_EQ(ConeElbow1PieceAt(kCx, up, kCx, kCy, 5, bend), 3);
    EXPECT_EQ(ConeElbow1PieceAt(kCx, up, kCx, kCy, 4, bend), 3);  // on the boundary at 90 degrees
    EXPECT_EQ(ConeElbow2PieceAt(kCx, up, kCx, kCy, 5, bend), 3);
    EXPECT_EQ(ConeElbow2PieceAt(kCx, up, kCx, kCy, 4, bend), 3);  // on the boundary at 90 degrees
    EXPECT_EQ(ConeElbow3PieceAt(kCx, up, kCx, kCy, 5, bend), 4);
    EXPECT_EQ(ConeElbow3PieceAt(kCx, up, kCx, kCy, 4, bend), 4);  // on the boundary at 90 degrees
    // Straight below: neither side, so the angle decides, as above.
    EXPECT_EQ(ConeElbow3PieceAt(kCx, down, kCx, kCy, 5, bend), 4);
    EXPECT_EQ(ConeElbow1PieceAt(kCx, down, kCx, kCy, 5, bend), 0);
    EXPECT_EQ(ConeElbow2PieceAt(kCx, down, kCx, kCy, 5, bend), 0);
}

// No division by zero, no root of a negative, no endless loop: the centre,
// counts outside 1 to 50, bends that are not positive numbers and points far
// away all come back at once with 0 or a piece of the elbow.
TEST(ConeElbowHitTest, SafeAndBoundedForAnyInput) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float bend = static_cast<float>(90 * kDeg);
    for (HitTest test : {ConeElbow1PieceAt, ConeElbow2PieceAt, ConeElbow3PieceAt}) {
        EXPECT_EQ(test(kCx, kCy, kCx, kCy, 5, bend), 0) << "the centre";
        for (std::int16_t n : {-1, 0, 51, 32767}) EXPECT_EQ(test(kCx, 100, kCx, kCy, n, bend), 0) << n;
        for (float b : {0.0f, -1.0f, nan, inf}) EXPECT_EQ(test(kCx, 100, kCx, kCy, 5, b), 0) << b;
        EXPECT_EQ(test(nan, 100, kCx, kCy, 5, bend), 0);
        EXPECT_EQ(test(-1e6f, kCy - 1, kCx, kCy, 5, bend), 1) << "far left, just above the line";
        const std::int16_t overflow = test(-1e30f, kCy - 1, kCx, kCy, 5, bend);
        EXPECT_GE(overflow, 0);
        EXPECT_LE(overflow, 7);
    }
    EXPECT_EQ(ConeElbow1PieceAt(kCx - 10, kCy, kCx, kCy, 5, bend), 0) << "on the line";
    EXPECT_EQ(ConeElbow2PieceAt(kCx + 10, kCy, kCx, kCy, 5, bend), 0) << "on the line";
}

// Swept from the left horizontal to the right one, every count and bend
// meets each piece once, in order, first and last included (a half-turn
// elbow's start connection hangs wholly below the line).
TEST(ConeElbowHitTest, SweepMeetsEveryPieceInOrder) {
    const struct { HitTest test; int extra; } kinds[] = {
        {ConeElbow1PieceAt, 0}, {ConeElbow2PieceAt, 0}, {ConeElbow3PieceAt, 2}};
    for (const auto& k : kinds)
        for (std::int16_t n = 3; n <= 50; ++n)
            for (double bend : {10.0, 45.0, 90.0, 179.0, 180.0}) {
                int last = 0, changes = 0;
                for (int i = 1; i < 18000; ++i) {
                    const int piece = At(k.test, i / 100.0, n, bend);
                    ASSERT_GE(piece, last) << "n " << n << " bend " << bend << " at " << i / 100.0;
                    changes += piece != last;
                    last = piece;
                }
                EXPECT_EQ(last, n + k.extra) << "n " << n << " bend " << bend;
                const int hidden = k.extra == 2 && bend == 180.0 ? 1 : 0;
                EXPECT_EQ(changes, n + k.extra - hidden) << "n " << n << " bend " << bend;
            }
}

}  // namespace
}  // namespace velm
