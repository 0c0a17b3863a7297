// The cylinder's flat pattern as values, checked against the body built in
// space and against the digits a drawing file carries.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "cylinders/cylinder_compute.h"
#include "cylinders/cylinder_outline.h"
#include "support/digits.h"
#include "support/cylinder_reference.h"

namespace velm {
namespace {

using testing::Digits15;

using cut_cylinder::CutCylinder;
using cut_cylinder::kPi;
using cut_cylinder::Rad;
using cut_cylinder::WindowData;

CylinderSettings Settings(float step, std::int16_t lato, std::int16_t factor = 1) {
    CylinderSettings s;
    s.ThicknessFactor = factor;
    s.AngleStep = step;
    s.LatoSaldatura = lato;
    return s;
}

TEST(CylinderOutline, PointsLieOnTheBodyInSpace) {
    const struct { ShapeKind code; CylinderArray data; double topDeg, bottomDeg; } kinds[] = {
        {ShapeCiRe, WindowData(0.3f, 20, 40, 0, 0), 0, 0},
        {ShapeCiTaSup, WindowData(0.3f, 20, 40, 10, 10), 10, 0},
        {ShapeCiConcordi, WindowData(1.5f, 120, 300, 35, 20), 35, 20},
        {ShapeCiDiscordi, WindowData(1.5f, 120, 300, 35, -20), 35, -20},
    };
    for (const auto& k : kinds) {
        for (std::int16_t lato : {1, -1}) {
            for (float step : {1.0f, 0.25f, 10.0f}) {
                SCOPED_TRACE(::testing::Message() << "code " << k.code << " lato " << lato << " step " << step);
                CylinderResults r;
                ASSERT_EQ(CheckAndDevelopCylinder(k.code, k.data, Settings(step, lato), r).Message, 0);
                const CutCylinder b{double{k.data[2]} + k.data[1], k.data[3], k.bottomDeg, k.topDeg, lato};
                const double L = kPi * b.diameter;
                const double tol = 2e-6 * b.Hmax();
                const CylinderOutline o = CylinderOutlineOf(r, step);
                const int n = static_cast<int>(std::lround(360 / step));
                ASSERT_EQ(o.Steps, n);
                ASSERT_EQ(o.Upper.size(), static_cast<std::size_t>(n + 1));
                ASSERT_EQ(o.Lower.size(), static_cast<std::size_t>(n + 1));
                EXPECT_NEAR(o.Length, L, 1e-6 * L);
                EXPECT_NEAR(o.Height, b.Hmax(), tol);
                // The whole turn, seam to seam, with both edges on the body.
                for (int i = 0; i <= n; ++i) {
                    const double deg = i * double{step};
                    ASSERT_NEAR(o.Upper[i].X, L * deg / 360, 1e-6 * L) << i;
                    ASSERT_EQ(o.Lower[i].X, o.Upper[i].X) << i;
                    ASSERT_NEAR(o.Upper[i].Y, b.Upper(deg), tol) << i;
                    ASSERT_NEAR(o.Lower[i].Y, b.Lower(deg), tol) << i;
                }
                const struct { const OutlineSegment& seam; double x; } seams[] = {{o.LeftSeam, 0}, {o.RightSeam, L}};
                for (const auto& s : seams) {
                    EXPECT_NEAR(s.seam.From.X, s.x, 1e-6 * L);
                    EXPECT_EQ(s.seam.To.X, s.seam.From.X);
                    EXPECT_NEAR(s.seam.From.Y, b.Lower(0), tol);
                    EXPECT_NEAR(s.seam.To.Y, b.Upper(0), tol);
                }
                EXPECT_NEAR(o.MiddleLine.From.X, L / 2, 1e-6 * L);
                EXPECT_EQ(o.MiddleLine.To.X, o.MiddleLine.From.X);
                EXPECT_EQ(o.MiddleLine.From.Y, 0);
                EXPECT_NEAR(o.MiddleLine.To.Y, b.Hmax(), tol);
            }
        }
    }
}

// The digits a drawing file writes: x(i) = ((i * L) / 360) * step in double
// with the single-precision step, heights straight from the tables.
TEST(CylinderOutline, CarriesTheDrawingFileDigits) {
    // D' = 20 (typed 19.7, thickness 0.3): the rectangle of a right cylinder.
    CylinderResults r;
    ASSERT_EQ(CheckAndDevelopCylinder(ShapeCiRe, WindowData(0.3f, 19.7f, 40, 0, 0), Settings(1, 1), r).Message, 0);
    CylinderOutline o = CylinderOutlineOf(r, 1);
    EXPECT_EQ(Digits15(o.RightSeam.From.X), "62.8318530717959");
    EXPECT_EQ(o.Height, 40.0f);
    EXPECT_EQ(o.Upper.size(), 361u);

    for (float step : {0.1f, 0.2f, 0.25f, 0.5f, 1.0f, 2.0f, 5.0f, 10.0f}) {
        SCOPED_TRACE(::testing::Message() << "step " << step);
        ASSERT_EQ(CheckAndDevelopCylinder(ShapeCiDiscordi, WindowData(1.5f, 120, 300, 35, -20), Settings(step, -1), r).Message,
                  0);
        o = CylinderOutlineOf(r, step);
        const int n = static_cast<int>(std::lround(360 / step));
        ASSERT_EQ(o.Steps, n);
        const double L = r.DevelopedLength;
        for (int i = 0; i <= n; ++i) {
            const double x = ((i * L) / 360) * static_cast<double>(step);
            ASSERT_EQ(o.Upper[i].X, x) << i;
            ASSERT_EQ(o.Lower[i].X, x) << i;
            ASSERT_EQ(o.Upper[i].Y, r.CylUpperHeights[i]) << i;
            ASSERT_EQ(o.Lower[i].Y, r.CylLowerHeights[i]) << i;
        }
        // Entries j and 2N - j of a table are equal: the turn closes on the seam's heights.
        EXPECT_EQ(o.Upper[n].Y, o.Upper[0].Y);
        EXPECT_EQ(o.Lower[n].Y, o.Lower[0].Y);
        EXPECT_EQ(o.RightSeam.From.X, L);
        EXPECT_EQ(o.MiddleLine.From.X, L / 2);
    }
    // At 0.1 degrees the last step lands past L by the single-precision
    // step's error, as the file writes it.
    ASSERT_EQ(CheckAndDevelopCylinder(ShapeCiRe, WindowData(0.3f, 19.7f, 40, 0, 0), Settings(0.1f, 1), r).Message, 0);
    o = CylinderOutlineOf(r, 0.1f);
    EXPECT_EQ(Digits15(o.Upper[3600].X), "62.8318540080634");
}

TEST(CylinderOutline, UnusableInputGivesAnEmptyOrFiniteOutline) {
    constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
    const CylinderArray good = WindowData(0.3f, 20, 40, 10, 10);
    const struct {
        const char* what;
        ShapeKind code;
        CylinderArray data;
        float step;
        bool flagged;  // the development is not usable
        bool empty;
        int steps = 0;
        void (*spoil)(CylinderResults&) = nullptr;
    } cases[] = {
        {"finest step", ShapeCiConcordi, good, 0.1f, false, false, 3600},
        {"coarsest step", ShapeCiConcordi, good, 10, false, false, 36},
        // Opposite cuts crossing inside the plate.
        {"failed development", ShapeCiDiscordi, WindowData(0.3f, 100, 20, 60, -60), 1, true, false, 360},
        {"zero diameter", ShapeCiConcordi, WindowData(0, 0, 40, 10, 10), 1, true, true},
        {"no results", ShapeCiRe, good, 1, false, true, 0, [](CylinderResults& r) { r = CylinderResults{}; }},
        {"step too fine for the tables", ShapeCiConcordi, good, 0.05f, true, true},
        {"no step", ShapeCiConcordi, good, 0, true, true},
        {"a table entry not a number", ShapeCiConcordi, good, 1, false, true, 0,
         [](CylinderResults& r) { r.CylLowerHeights[360] = kNan; }},
        {"an infinite height", ShapeCiConcordi, good, 1, false, true, 0,
         [](CylinderResults& r) { r.Hmax = std::numeric_limits<float>::infinity(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CylinderResults r;
        EXPECT_EQ(!DevelopCylinder(c.code, c.data, Settings(c.step, 1), r).Usable, c.flagged);
        if (c.spoil) c.spoil(r);
        const CylinderOutline o = CylinderOutlineOf(r, c.step);
        if (c.empty) {
            EXPECT_TRUE(o.Empty());
            EXPECT_TRUE(o.Upper.empty() && o.Lower.empty());
            continue;
        }
        ASSERT_EQ(o.Steps, c.steps);
        ASSERT_EQ(o.Upper.size(), static_cast<std::size_t>(c.steps + 1));
        for (const auto& edge : {o.Upper, o.Lower})
            for (const OutlinePoint& p : edge) ASSERT_TRUE(std::isfinite(p.X) && std::isfinite(p.Y));
        for (const OutlineSegment& s : {o.LeftSeam, o.RightSeam, o.MiddleLine})
            EXPECT_TRUE(std::isfinite(s.From.X + s.From.Y + s.To.X + s.To.Y));
    }
}

}  // namespace
}  // namespace velm
