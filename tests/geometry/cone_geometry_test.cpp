#include "geometry/cone_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "support/frustum_model.h"

namespace velm {
namespace {

using testing::kDeg;
using testing::SpaceFrustum;

const float kNaN = std::numeric_limits<float>::quiet_NaN();

// The three routines in their calling order, as a frustum development runs them.
struct ConeRun {
    float solverR = 0, apexHeight = 0, solverA = 0, cutRise = 0;
    double h1 = 0, R = 0, A = 0, inset = 0, axis = 0, lco = 0;
    std::int16_t solverFlag = 0, angleFlag = 0;
    bool tables = false;
    std::unique_ptr<ConeResults> res = std::make_unique<ConeResults>();
};

ConeRun Develop(float D1, float D2, float lowerCut, float upperCut, float H, std::int16_t side, float step) {
    ConeRun r;
    ConeResults& c = *r.res;
    const ConeBody body{D1, D2, upperCut, lowerCut};
    const ConeSolution s = SolveConeHalfAngle(body, H);
    r.solverR = s.BaseRadius, r.apexHeight = s.ApexHeight, r.solverA = s.BaseAngle, r.cutRise = s.CutRise;
    r.h1 = s.FrustumHeight1;
    r.solverFlag = s.NoBody ? 1 : 0;
    c.FrustumHeight1 = static_cast<float>(r.h1);
    const ConeSection section = ComputeConeAngle(body, r.h1, side, H);
    r.A = section.BaseAngle, c.ConeApexAngle = section.ApexAngle, r.R = section.BaseRadius;
    c.FrustumHeight2 = section.FrustumHeight2, r.lco = section.LowerCutOffset;
    r.inset = section.SeamInset, r.axis = section.AxisCheck;
    r.angleFlag = section.Impossible ? 1 : 0;
    c.LowerCutOffset = static_cast<float>(r.lco);
    r.tables = ComputeConeDevelopmentTables(body, r.h1, section, step, side, c);
    return r;
}

float Rad(double deg) { return static_cast<float>(deg * kDeg); }

// Bodies built in space: their typed dimensions go in, and everything that
// comes out is compared with the body.
TEST(ConeGeometry, DevelopmentMatchesTheBodyInSpace) {
    const struct { const char* what; double Adeg, apexZ, H, lowerDeg, upperDeg; std::int16_t side; float step;
                   double tol, arcTol; } bodies[] = {  // cuts as typed and stored
        {"cut bottom, seam high", 70, 90, 30, 15, 0, -1, 0.5f, 2e-6, 1e-5},
        {"same way, other side, coarsest step", 80, 150, 60, 10, 25, -1, 10, 2e-6, 2e-6},
        {"opposite ways, other side", 78, 150, 60, -15, 20, -1, 0.1f, 2e-6, 2e-5},
        {"flat, apex 58", 61, 60, 20, 10, 20, 1, 1, 2e-6, 2e-6},
        {"steep upper cut", 70, 48, 40, 5, 65, 1, 1, 2e-6, 2e-6},
    };
    for (const auto& b : bodies) {
        SCOPED_TRACE(b.what);
        const SpaceFrustum f{b.Adeg * kDeg, b.apexZ, {0, b.side * b.lowerDeg * kDeg}, {b.H, b.side * b.upperDeg * kDeg}};
        const ConeRun r = Develop(static_cast<float>(f.TraceLength(f.upper)), static_cast<float>(f.TraceLength(f.lower)),
                                  Rad(b.lowerDeg), Rad(b.upperDeg), static_cast<float>(b.H), b.side, b.step);
        ASSERT_EQ(r.solverFlag, 0);
        ASSERT_EQ(r.angleFlag, 0);
        ASSERT_TRUE(r.tables);
        const double R0 = (f.apexZ - f.Level0()) / std::tan(f.A);  // radius at level 0
        EXPECT_NEAR(r.A, f.A, 1e-6);
        EXPECT_NEAR(r.R, R0, R0 * b.tol);
        EXPECT_NEAR(r.cutRise, -f.Level0(), 1e-4);
        EXPECT_NEAR(r.inset, f.X(f.upper, 0) + R0, 1e-4);  // from the seam generatrix's foot
        EXPECT_NEAR(r.axis, b.H, b.H * 1e-5);
        testing::ExpectDevelopmentOf(f, *r.res, b.step, b.tol, b.arcTol);
    }
}

TEST(ConeGeometry, SolverRefusesBodiesThatDoNotExist) {
    const struct { const char* what; float D1, D2, lowerDeg, upperDeg, H; std::int16_t side; } cases[] = {
        // Its only root lies at 69.8 degrees, below the 70-degree cut.
        {"no side steeper than the cut fits", 20, 150, 10, 70, 200, 1},
        {"no height", 20, 30, 10, 10, 0, 1},
        {"diameter not a number", kNaN, 30, 10, 10, 50, 1},
        {"vertical cut", 20, 30, 0, 90, 50, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // A failure hands on no value of a body.
        const ConeSolution s = SolveConeHalfAngle(ConeBody{c.D1, c.D2, Rad(c.upperDeg), Rad(c.lowerDeg)}, c.H);
        EXPECT_TRUE(s.NoBody);
        for (double output : {double{s.BaseRadius}, double{s.ApexHeight}, double{s.BaseAngle}, double{s.CutRise},
                              double{s.LowerCutOffset}, s.FrustumHeight1, s.FrustumHeight2})
            EXPECT_EQ(output, 0);
    }
    // A right frustum is H high whatever its diameters: equal or widening ones
    // are left to the side and apex-angle checks.
    for (float D1 : {30.0f, 40.0f}) {
        const ConeSolution s = SolveConeHalfAngle(ConeBody{D1, 30, 0, 0}, 35);
        EXPECT_FALSE(s.NoBody);
        EXPECT_EQ(s.FrustumHeight1, 35);
        EXPECT_EQ(s.BaseRadius, 15);
    }
}

TEST(ConeGeometry, ComputeConeAngleFlagsImpossibleBodies) {
    const struct { const char* what; float FH1, D1, D2, lowerDeg, upperDeg, reference; std::int16_t flag; } cases[] = {
        // Right frustum: the recomputed axis is FH1 itself.
        {"no reference", 100, 20, 30, 0, 0, 0, 0},
        {"axis over 1 % long", 101.01f, 20, 30, 0, 0, 100, 1},
        {"upper cut reaches level 0", 10, 20, 40, 0, 30, 0, 1},
        {"cut steeper than the side", 30, 20, 40, 0, 80, 0, 1},
        {"widening right frustum", 40, 30, 20, 0, 0, 0, 1},
        {"height not a number", kNaN, 20, 30, 10, 10, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ConeSection s = ComputeConeAngle(ConeBody{c.D1, c.D2, Rad(c.upperDeg), Rad(c.lowerDeg)}, c.FH1, 1,
                                               c.reference);
        EXPECT_EQ(s.Impossible ? 1 : 0, c.flag);
        EXPECT_TRUE(std::isfinite(s.BaseAngle + s.ApexAngle + s.BaseRadius + s.LowerCutOffset + s.SeamInset +
                                  s.AxisCheck + s.FrustumHeight2));
    }
}

TEST(ConeGeometry, TablesRefuseBodiesWithoutAFiniteSector) {
    const struct { const char* what; float A, R, FH1; double FH2; float LCO, inset, lowerDeg, upperDeg; } cases[] = {
        {"upper cut's seam point at level 0", 1.4f, 15, 5, 0, 0, 0, 0, 10},
        // -1: inset of the lower cut's seam point, so the slant between them is flat.
        {"both seam points at one height", 1.4f, 15, 10, 5, 5, -1, -10, -10},
        {"radius not a number", 1.4f, kNaN, 10, 10, 0, 1, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const double inset = c.inset >= 0 ? c.inset : c.LCO / std::tan(static_cast<double>(c.A));
        auto res = std::make_unique<ConeResults>();
        res->ConeUpperRadii.fill(3);
        ConeSection section;
        section.BaseAngle = c.A, section.BaseRadius = c.R, section.FrustumHeight2 = c.FH2;
        section.LowerCutOffset = c.LCO, section.SeamInset = inset;
        EXPECT_FALSE(ComputeConeDevelopmentTables(ConeBody{0, 0, Rad(c.upperDeg), Rad(c.lowerDeg)}, c.FH1, section, 1,
                                                  1, *res));
        EXPECT_EQ(res->ConeOuterRadius, 0);
        EXPECT_EQ(res->UpperArcLength, 0);
        EXPECT_EQ(res->ConeUpperRadii[360], 0);
    }
}

}  // namespace
}  // namespace velm
