#include "elbows/cyl_elbow.h"

#include <gtest/gtest.h>

#include <cmath>

#include "elbows/elbow_checks.h"
#include "elbows/elbow_messages.h"
#include "support/elbow_cases.h"
#include "support/state_with_settings.h"

namespace velm {
namespace {

using elbow_cases::CylData;
using elbow_cases::kDeg;

// The zero checks, then (the apply's own) the angular step the pieces
// develop with; a save with no window to apply gets the same answers.
TEST(CylElbowInput, ZeroChecksInTheirOrder) {
    const struct { const char* what; float s, d, L; int message; float step = 1; } cases[] = {
        {"everything given", 0.3f, 25, 157, 0},
        {"thickness before diameter", 0, 0, 0, ErrElbowThickness},
        {"diameter before axis length", 0.3f, 0, 0, ErrElbowDiameter},
        {"axis length", 0.3f, 25, 0, ErrElbowAxisLength},
        {"step that does not divide the half turn", 0.3f, 25, 157, ErrAngleStep, 1.7946f},
        {"zero checks before the step", 0.3f, 0, 157, ErrElbowDiameter, 1.7946f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CylElbowArray data = CylData(c.s, c.d, 10, 10, 90, 100, 5);
        data[6] = c.L;
        EXPECT_EQ(CheckCylElbowInput(data), c.message == ErrAngleStep ? 0 : c.message);
        data[9] = data[10] = data[11] = 0;  // the radians are the apply's to set
        DevelopmentSettings settings;
        settings.AngleStep = c.step;
        WorkingState state = StateWithSettings(settings);
        state.Inputs.CylElbowData = data;
        EXPECT_EQ(ElbowApplyAnswer(ShapeCuCilindri, state).Message, c.message);
        EXPECT_EQ(state.Elbow.Generation, 0u) << "the state's elbow changed";
        LastElbow e;
        EXPECT_EQ(ApplyCylElbow(data, settings, e), c.message);
        EXPECT_EQ(e.ElbowError, c.message != 0 ? 1 : 0);
        EXPECT_FLOAT_EQ(data[11], static_cast<float>(90 * kDeg)) << "the bend in radians";
    }
}

// The worked example: thickness 0.3, diameter 25, cuts 10 and 10, 90
// degrees, R 100, 5 pieces, mean fibre.
TEST(CylElbow, DefaultElbow) {
    LastElbow e;
    ASSERT_EQ(ComputeCylElbow(CylData(0.3f, 25, 10, 10, 90, 100, 5), 1, e), 0);
    EXPECT_EQ(e.ElbowError, 0);
    EXPECT_EQ(e.ElbowIsCylinder, 1);
    EXPECT_EQ(e.PieceCount, 5);
    EXPECT_NEAR(e.PieceAngle, 22.5 * kDeg, 1e-7);
    EXPECT_NEAR(e.HalfPieceAngle, 11.25 * kDeg, 1e-7);
    const double height[] = {0, 24.638, 44.815, 44.815, 44.815, 24.638};
    const double axis[] = {0, 19.891, 39.782, 39.782, 39.782, 19.891};
    const double startDeg[] = {0, 10, 11.25, 11.25, 11.25, 11.25};  // entry 1 is the first piece
    const double endDeg[] = {0, -11.25, -11.25, -11.25, -11.25, 10};
    for (int i = 1; i <= 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(e.PieceDiameter[i], 25);
        EXPECT_NEAR(e.PieceHeight[i], height[i], 1e-3);
        EXPECT_NEAR(e.PieceAxisLength[i], axis[i], 1e-3);
        EXPECT_NEAR(e.PieceStartCut[i] / kDeg, startDeg[i], 1e-4);
        EXPECT_NEAR(e.PieceEndCut[i] / kDeg, endDeg[i], 1e-4);
    }
    EXPECT_NEAR(e.FaceOuterX[1], -12.65, 1e-4);
    EXPECT_NEAR(e.FaceOuterY[1], -2.2305, 1e-4);
    EXPECT_NEAR(e.FaceInnerX[1], 12.65, 1e-4);
    EXPECT_NEAR(e.FaceInnerY[1], 2.2305, 1e-4);
    EXPECT_NEAR(e.FaceOuterX[6], 97.77, 1e-2);
    EXPECT_NEAR(e.FaceOuterY[6], 112.65, 1e-2);
    EXPECT_NEAR(e.FaceInnerX[6], 102.23, 1e-2);
    EXPECT_NEAR(e.FaceInnerY[6], 87.35, 1e-2);
    EXPECT_NEAR(e.StartFaceWidth, 25.3, 1e-4);
    EXPECT_NEAR(e.EndFaceWidth, 25.3, 1e-3);
}

TEST(CylElbow, RefusalsAndTheirTexts) {
    const struct { const char* what; CylElbowArray data; int message; bool computed; } cases[] = {
        {"two pieces", CylData(0.3f, 25, 10, 10, 90, 100, 2), ErrPieceCountRange, false},
        {"51 pieces", CylData(0.3f, 25, 10, 10, 90, 100, 51), ErrPieceCountRange, false},
        {"a fractional count", CylData(0.3f, 25, 10, 10, 90, 100, 4.5f), ErrPieceCountRange, false},
        {"a count that is not a number", CylData(0.3f, 25, 10, 10, 90, 100, NAN), ErrPieceCountRange, false},
        {"bend below 10", CylData(0.3f, 25, 10, 10, 9.9f, 100, 5), ErrCylElbow, false},
        {"bend above 180", CylData(0.3f, 25, 10, 10, 180.5f, 100, 5), ErrCylElbow, false},
        {"no bend radius", CylData(0.3f, 25, 10, 10, 90, 0, 5), ErrBendRadiusTooSmall, false},
        {"bend radius below half the diameter", CylData(0.3f, 25, 10, 10, 90, 12, 5), ErrBendRadiusTooSmall, false},
        {"bend radius exactly half the diameter", CylData(0.3f, 25, 10, 10, 90, 12.65f, 5), ErrBendRadiusTooSmall, false},
        // The end pieces' inner sides need R > D'/2 (1 + tan 10 / tan 11.25) = 23.86.
        {"bend radius 12.7", CylData(0.3f, 25, 10, 10, 90, 12.7f, 5), ErrEndPiecesTooShort, true},
        {"bend radius 23.8", CylData(0.3f, 25, 10, 10, 90, 23.8f, 5), ErrEndPiecesTooShort, true},
        {"bend radius 23.9", CylData(0.3f, 25, 10, 10, 90, 23.9f, 5), 0, true},
        {"square ends, bend radius 12.7", CylData(0.3f, 25, 0, 0, 90, 12.7f, 5), 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LastElbow e;
        e.Generation = 7;
        EXPECT_EQ(ComputeCylElbow(c.data, 1, e), c.message);
        EXPECT_EQ(e.ElbowError, c.message != 0 ? 1 : 0);
        EXPECT_EQ(e.Generation, 8u);
        EXPECT_EQ(e.FaceOuterX[1] != 0, c.computed) << "refused before computing, or computed";
    }
}

TEST(CylElbow, EdgeCases) {
    {
        SCOPED_TRACE("three pieces through 180 degrees");
        LastElbow e;
        ASSERT_EQ(ComputeCylElbow(CylData(0.3f, 25, 0, 0, 180, 100, 3), 1, e), 0);
        // The middle piece runs along +x, the last one along -y.
        EXPECT_NEAR(e.FaceOuterY[2], e.FaceOuterY[3], 1e-3);
        EXPECT_NEAR(e.FaceOuterX[3], e.FaceOuterX[4], 1e-3);
        EXPECT_NEAR(e.FaceInnerY[4], 0, 1e-3);
        EXPECT_NEAR(e.FaceInnerX[4], 200 - 12.65, 1e-3);
    }
    {
        SCOPED_TRACE("square ends");
        LastElbow e;
        ASSERT_EQ(ComputeCylElbow(CylData(0.3f, 25, 0, 0, 90, 100, 5), 1, e), 0);
        const double h = 100 * std::tan(11.25 * kDeg);
        EXPECT_NEAR(e.PieceHeight[1], h + 12.65 * std::tan(11.25 * kDeg), 1e-3);
        EXPECT_NEAR(e.PieceAxisLength[1], h, 1e-3);
        EXPECT_NEAR(e.FaceOuterY[1], 0, 1e-6);
        double total = 0;
        for (int i = 1; i <= 5; ++i) total += e.PieceAxisLength[i];
        EXPECT_NEAR(total, 2 * h * 4, 1e-3) << "the axis polygon";
    }
    {
        SCOPED_TRACE("negative start cut");
        LastElbow e;
        ASSERT_EQ(ComputeCylElbow(CylData(0.3f, 25, -20, 10, 90, 100, 5), 1, e), 0);
        EXPECT_GT(e.FaceOuterY[1], 0);
        EXPECT_LT(e.FaceInnerY[1], 0);
        EXPECT_NEAR(e.PieceHeight[1], 100 * std::tan(11.25 * kDeg) + 12.65 * (std::tan(11.25 * kDeg) + std::tan(20 * kDeg)),
                    1e-3);
    }
}

}  // namespace
}  // namespace velm
