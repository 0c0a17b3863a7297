// The frustum's flat pattern as values, checked against the body built in
// space and against the digits a drawing file carries.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <memory>
#include <string>

#include "cones/cone_compute.h"
#include "cones/cone_outline.h"
#include "support/digits.h"
#include "support/frustum_model.h"

namespace velm {
namespace {

using testing::Digits15;

using testing::ConeWindowData;
using testing::kDeg;

ConeSettings Settings(float step, std::int16_t side = 1) {
    ConeSettings s;
    s.AngleStep = step;
    s.LatoSaldatura = side;
    return s;
}

TEST(ConeOutline, PointsLieOnTheBodyInSpace) {
    for (std::int16_t shape = ShapeCoRe; shape <= ShapeCoDiscordi; ++shape) {
        for (std::int16_t side : {1, -1}) {
            for (float step : {1.0f, 0.25f, 10.0f}) {
                SCOPED_TRACE(::testing::Message() << "shape " << shape << " side " << side << " step " << step);
                const bool upperCut = shape == ShapeCoTaSup || shape >= ShapeCoConcordi;
                const bool lowerCut = shape >= ShapeCoTaInf;
                const ConeArray data = ConeWindowData(shape, 0.3f, 21, 29, 35, upperCut ? 10 : 0, lowerCut ? 10 : 0);
                auto r = std::make_unique<ConeResults>();
                ASSERT_EQ(CheckAndDevelopCone(static_cast<ShapeKind>(shape), data, Settings(step, side), *r).Message, 0);
                testing::SpaceFrustum f;
                ASSERT_TRUE(testing::SolveFrustum({21.3, 29.3, 35, data[7], data[8], side}, f));

                const ConeOutline o = ConeOutlineOf(*r, step);
                const int n = static_cast<int>(std::lround(360 / step));
                ASSERT_EQ(o.Steps, n);
                ASSERT_EQ(o.Upper.size(), static_cast<std::size_t>(n + 1));
                ASSERT_EQ(o.Lower.size(), static_cast<std::size_t>(n + 1));
                const double S = f.SectorAngle() / kDeg;
                const double h = S / 2;
                const double tol = 5e-6 * f.SlantTo(f.lower, 0);
                EXPECT_NEAR(o.SectorAngleDeg, S, 5e-6 * S);
                // Entry i: the generatrix i * step degrees round the base from
                // the seam, at i * step / 360 of the sector from its left seam.
                double upperMin = 1e300, lowerMax = -1e300;
                for (int i = 0; i <= n; ++i) {
                    const double a = (h - S * i * step / 360) * kDeg;
                    const double t = i * step * kDeg;
                    const double ru = f.SlantTo(f.upper, t), rl = f.SlantTo(f.lower, t);
                    ASSERT_NEAR(o.Upper[i].X, -ru * std::sin(a), tol) << i;
                    ASSERT_NEAR(o.Upper[i].Y, -ru * std::cos(a), tol) << i;
                    ASSERT_NEAR(o.Lower[i].X, -rl * std::sin(a), tol) << i;
                    ASSERT_NEAR(o.Lower[i].Y, -rl * std::cos(a), tol) << i;
                    ASSERT_NEAR(o.Upper[i].Radius, ru, tol) << i;
                    ASSERT_NEAR(o.Lower[i].Angle, a / kDeg, 5e-6 * S) << i;
                    upperMin = std::min(upperMin, ru * std::cos(a));
                    lowerMax = std::max(lowerMax, rl * std::cos(a));
                }
                const double r0 = f.SlantTo(f.upper, 0), R0 = f.SlantTo(f.lower, 0);
                const double sh = std::sin(h * kDeg), ch = std::cos(h * kDeg);
                auto expectAt = [&](const OutlinePoint& p, double x, double y, const char* what) {
                    EXPECT_NEAR(p.X, x, tol) << what;
                    EXPECT_NEAR(p.Y, y, tol) << what;
                };
                for (const SeamEdge& s : {o.LeftSeam, o.LeftEdgeSeam}) {
                    expectAt(s.Inner, -r0 * sh, -r0 * ch, "left seam, inner end");
                    expectAt(s.Outer, -R0 * sh, -R0 * ch, "left seam, outer end");
                }
                for (const SeamEdge& s : {o.RightSeam, o.RightEdgeSeam}) {
                    expectAt(s.Inner, r0 * sh, -r0 * ch, "right seam, inner end");
                    expectAt(s.Outer, R0 * sh, -R0 * ch, "right seam, outer end");
                }
                const struct { const OutlineArc& arc; double radius; } arcs[] = {{o.InnerArc, r0}, {o.OuterArc, R0}};
                for (const auto& a : arcs) {
                    expectAt(a.arc.Centre, 0, 0, "arc centre");
                    EXPECT_NEAR(a.arc.Radius, a.radius, tol);
                    EXPECT_NEAR(a.arc.StartAngle, 270 - h, 5e-6 * S);
                    EXPECT_NEAR(a.arc.EndAngle, 270 + h, 5e-6 * S);
                }
                expectAt(o.MiddleLine.From, 0, -upperMin, "middle line, top");
                expectAt(o.MiddleLine.To, 0, -lowerMax, "middle line, bottom");
            }
        }
    }
}

// The digits a drawing file writes: a(i) = h - ((i * S) / 360) * step in
// single precision like the sector angle S it comes from, h = S / 2, the
// points and seams in double.
TEST(ConeOutline, CarriesTheDrawingFileDigits) {
    // A right frustum opened to 120 degrees: arcs from 210 to 330.
    auto r = std::make_unique<ConeResults>();
    r->ConeSectorAngleDeg = 120;
    r->ConeSectorAngle = static_cast<float>(2 * testing::kPi / 3);
    r->ConeInnerRadius = 10;
    r->ConeOuterRadius = 20;
    r->ConeUpperRadii.fill(10);
    r->ConeLowerRadii.fill(20);
    ConeOutline o = ConeOutlineOf(*r, 1);
    EXPECT_EQ(o.InnerArc.StartAngle, 210.0f);
    EXPECT_EQ(o.OuterArc.EndAngle, 330.0f);
    EXPECT_EQ(o.InnerArc.Radius, 10.0);
    EXPECT_EQ(Digits15(o.LeftSeam.Inner.X), "-8.66025403784439");
    EXPECT_EQ(Digits15(o.LeftSeam.Inner.Y), "-5");
    EXPECT_EQ(Digits15(o.RightSeam.Outer.X), "17.3205080756888");
    EXPECT_EQ(Digits15(o.Lower[360].X), "17.3205080756888");

    for (std::int16_t shape : {ShapeCoTaSup, ShapeCoTaInf, ShapeCoDiscordi}) {
        for (float step : {0.1f, 0.25f, 1.0f, 10.0f}) {
            SCOPED_TRACE(::testing::Message() << "shape " << shape << " step " << step);
            ASSERT_EQ(CheckAndDevelopCone(static_cast<ShapeKind>(shape), ConeWindowData(shape, 0.3f, 21, 29, 35, 10, 10), Settings(step, -1), *r).Message,
                      0);
            o = ConeOutlineOf(*r, step);
            const int n = static_cast<int>(std::lround(360 / step));
            ASSERT_EQ(o.Steps, n);
            const float S = r->ConeSectorAngleDeg;
            const float h = S / 2;
            EXPECT_EQ(o.HalfAngle, h);
            for (int i = 0; i <= n; ++i) {
                const float a = h - ((static_cast<float>(i) * S) / 360) * step;
                const double rad = a * DegToRad;
                ASSERT_EQ(o.Upper[i].Angle, a) << i;
                ASSERT_EQ(o.Upper[i].X, -r->ConeUpperRadii[i] * std::sin(rad)) << i;
                ASSERT_EQ(o.Upper[i].Y, -r->ConeUpperRadii[i] * std::cos(rad)) << i;
                ASSERT_EQ(o.Lower[i].X, -r->ConeLowerRadii[i] * std::sin(rad)) << i;
                ASSERT_EQ(o.Lower[i].Y, -r->ConeLowerRadii[i] * std::cos(rad)) << i;
            }
            const double sh = std::sin(h * DegToRad), ch = std::cos(h * DegToRad);
            const double U0 = r->ConeUpperRadii[0], L0 = r->ConeLowerRadii[0];
            const double rr = r->ConeInnerRadius, R = r->ConeOuterRadius;
            EXPECT_EQ(o.RightEdgeSeam.Inner.X, U0 * sh);
            EXPECT_EQ(o.RightEdgeSeam.Inner.Y, -U0 * ch);
            EXPECT_EQ(o.LeftEdgeSeam.Outer.X, -L0 * sh);
            EXPECT_EQ(o.LeftEdgeSeam.Outer.Y, -L0 * ch);
            EXPECT_EQ(o.RightSeam.Outer.X, R * sh);
            EXPECT_EQ(o.LeftSeam.Inner.X, -rr * sh);
            EXPECT_EQ(o.LeftSeam.Inner.Y, -rr * ch);
            EXPECT_EQ(o.InnerArc.StartAngle, 270 - h);
            EXPECT_EQ(o.OuterArc.EndAngle, 270 + h);
            EXPECT_EQ(o.UpperEdgeMaxY, r->UpperEdgeMaxY);
            EXPECT_EQ(o.LowerEdgeMinY, r->LowerEdgeMinY);
        }
    }
}

TEST(ConeOutline, UnusableInputGivesAnEmptyOrFiniteOutline) {
    constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
    const ConeArray good = ConeWindowData(ShapeCoConcordi, 0.3f, 21, 29, 35, 10, 10);
    const struct {
        const char* what;
        ShapeKind shape;
        ConeArray data;
        float step;
        bool flagged;  // no body can be built
        bool empty;
        int steps = 0;
        void (*spoil)(ConeResults&) = nullptr;
    } cases[] = {
        {"finest step", ShapeCoConcordi, good, 0.1f, false, false, 3600},
        {"coarsest step", ShapeCoConcordi, good, 10, false, false, 36},
        // Opposite cuts crossing inside a short body: flagged, yet a sector.
        {"failed development", ShapeCoDiscordi, ConeWindowData(ShapeCoDiscordi, 0.3f, 21, 29, 5, 40, 40), 1, true, false, 360},
        {"failed development without a sector", ShapeCoTaSup, ConeWindowData(ShapeCoTaSup, 0.3f, 21, 29, 35, 80, 0), 1, true,
         true},
        {"zero upper diameter, mean fibre", ShapeCoRe, ConeWindowData(ShapeCoRe, 0.3f, 0, 29, 35, 0, 0), 1, false, false, 360},
        {"zero upper diameter", ShapeCoRe, ConeWindowData(ShapeCoRe, 0, 0, 29, 35, 0, 0), 1, true, true},
        {"zero diameters", ShapeCoRe, ConeWindowData(ShapeCoRe, 0, 0, 0, 35, 0, 0), 1, true, true},
        {"no results", ShapeCoRe, good, 1, false, true, 0, [](ConeResults& r) { r = ConeResults{}; }},
        {"step too fine for the tables", ShapeCoConcordi, good, 0.05f, false, true},
        {"no step", ShapeCoConcordi, good, 0, false, true},
        {"a table entry not a number", ShapeCoConcordi, good, 1, false, true, 0,
         [](ConeResults& r) { r.ConeUpperRadii[360] = kNan; }},
        {"an extreme not a number", ShapeCoConcordi, good, 1, false, true, 0,
         [](ConeResults& r) { r.LowerEdgeMaxY = static_cast<float>(kNan); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto r = std::make_unique<ConeResults>();
        EXPECT_EQ(DevelopCone(c.shape, c.data, Settings(c.step), *r).NoBody, c.flagged);
        if (c.spoil) c.spoil(*r);
        const ConeOutline o = ConeOutlineOf(*r, c.step);
        if (c.empty) {
            EXPECT_TRUE(o.Empty());
            EXPECT_TRUE(o.Upper.empty() && o.Lower.empty());
            continue;
        }
        ASSERT_EQ(o.Steps, c.steps);
        ASSERT_EQ(o.Lower.size(), static_cast<std::size_t>(c.steps + 1));
        for (const auto& edge : {o.Upper, o.Lower})
            for (const SectorPoint& p : edge) ASSERT_TRUE(std::isfinite(p.X + p.Y + p.Radius + p.Angle));
        for (const SeamEdge& s : {o.LeftSeam, o.RightSeam, o.LeftEdgeSeam, o.RightEdgeSeam})
            EXPECT_TRUE(std::isfinite(s.Inner.X + s.Inner.Y + s.Outer.X + s.Outer.Y));
        EXPECT_TRUE(std::isfinite(o.MiddleLine.From.Y + o.MiddleLine.To.Y + o.OuterArc.Radius + o.InnerArc.Radius));
    }
}

}  // namespace
}  // namespace velm
