#pragma once
// A cut cone frustum built in space, to check developments against: every
// expected value comes from intersecting the cone's generatrices with the
// two cutting planes.
//
// Axis z, apex at (0, 0, apexZ), base angle A between a generatrix and the
// horizontal. The seam generatrix lies towards -x; the generatrix at the
// angle t from it runs down along (-cos t cos A, -sin t cos A, -sin A). A cut
// is the plane z = axisZ + x tan(slope).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/shape_kinds.h"
#include "core/working_state.h"
#include "geometry/cone_geometry.h"

namespace velm::testing {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180;

struct CutPlane {
    double axisZ, slope;
};

struct SpaceFrustum {
    double A, apexZ;
    CutPlane lower, upper;

    // Distance from the apex, along the generatrix at t, to the plane.
    double SlantTo(const CutPlane& p, double t) const {
        return (apexZ - p.axisZ) / (std::sin(A) - std::cos(t) * std::cos(A) * std::tan(p.slope));
    }
    double Z(const CutPlane& p, double t) const { return apexZ - SlantTo(p, t) * std::sin(A); }
    double X(const CutPlane& p, double t) const { return -std::cos(t) * std::cos(A) * SlantTo(p, t); }
    // The cut's trace in the section through the seam: a cut end's typed diameter.
    double TraceLength(const CutPlane& p) const {
        return std::hypot(X(p, kPi) - X(p, 0), Z(p, kPi) - Z(p, 0));
    }
    double Level0() const { return std::min(Z(lower, 0), Z(lower, kPi)); }
    double Height1() const { return std::max(Z(upper, 0), Z(upper, kPi)) - Level0(); }
    double Height2() const { return std::min(Z(upper, 0), Z(upper, kPi)) - Level0(); }
    double LowerRise() const { return std::max(Z(lower, 0), Z(lower, kPi)) - Level0(); }
    double ApexAngleDeg() const { return 180 - 2 * A / kDeg; }
    double SectorAngle() const { return 2 * kPi * std::sin(kPi / 2 - A); }  // 360 sin(half apex angle)
};

// Typed dimensions: working diameters, axis length, cuts as stored, weld side.
struct TypedFrustum {
    double D1, D2, H, upperCut, lowerCut;
    int side;
};

// For a base angle A the lower trace fixes the apex; the upper trace must
// then come out D1 long. Bisects on A below the first sign change met coming
// down from the vertical side; false when there is none.
inline bool SolveFrustum(const TypedFrustum& d, SpaceFrustum& out) {
    auto build = [&](double A) {
        SpaceFrustum f{A, 1, {0, d.side * d.lowerCut}, {d.H, d.side * d.upperCut}};
        f.apexZ = d.D2 / f.TraceLength(f.lower);  // the trace grows with the apex distance
        return f;
    };
    auto miss = [&](double A) {
        const SpaceFrustum f = build(A);
        return f.apexZ <= d.H ? -d.D1 : f.TraceLength(f.upper) - d.D1;
    };
    const double lowest = std::max(std::fabs(d.lowerCut), std::fabs(d.upperCut)) + 1e-9;
    double hi = kPi / 2 - 1e-12, lo = hi;
    if (!(miss(hi) > 0)) return false;
    do {
        hi = lo;
        lo = std::max(lo - 0.01 * kDeg, lowest);
        if (miss(lo) >= 0 && lo == lowest) return false;
    } while (miss(lo) >= 0);
    for (int k = 0; k < 200; ++k) {
        const double mid = (lo + hi) / 2;
        (miss(mid) < 0 ? lo : hi) = mid;
    }
    out = build(hi);
    return true;
}

// Checks a development against the body: heights, apex and sector angles,
// radii, chords, every table entry and its mirror, extremes along the middle
// line, and the lengths of the polygons through the developed points (summed
// in single precision, hence arcTol).
inline void ExpectDevelopmentOf(const SpaceFrustum& f, const ConeResults& r, float step, double tol,
                                double arcTol) {
    auto near = [&](double got, double want, const char* what) {
        EXPECT_NEAR(got, want, std::fabs(want) * tol + 1e-5) << what;
    };
    near(r.FrustumHeight1, f.Height1(), "FrustumHeight1");
    near(r.FrustumHeight2, f.Height2(), "FrustumHeight2");
    near(r.LowerCutOffset, f.LowerRise(), "LowerCutOffset");
    near(r.ConeApexAngle, f.ApexAngleDeg(), "apex angle");
    const double sector = f.SectorAngle();
    near(r.ConeSectorAngle, sector, "sector");
    near(r.ConeSectorAngleDeg, sector / kDeg, "sector in degrees");
    near(r.ConeOuterRadius, f.SlantTo(f.lower, 0), "outer radius");
    near(r.ConeInnerRadius, f.SlantTo(f.upper, 0), "inner radius");
    near(r.ConeOuterChord, 2 * f.SlantTo(f.lower, 0) * std::sin(sector / 2), "outer chord");
    near(r.ConeInnerChord, 2 * f.SlantTo(f.upper, 0) * std::sin(sector / 2), "inner chord");
    const int n = static_cast<int>(std::lround(180 / step));
    struct Edge {
        const CutPlane& plane;
        const ProfileTable& table;
        float minY, maxY, length;
    };
    for (const Edge& e : {Edge{f.upper, r.ConeUpperRadii, r.UpperEdgeMinY, r.UpperEdgeMaxY, r.UpperArcLength},
                          Edge{f.lower, r.ConeLowerRadii, r.LowerEdgeMinY, r.LowerEdgeMaxY, r.LowerArcLength}}) {
        double minY = 1e300, maxY = -1e300, length = 0, px = 0, py = 0;
        for (int i = 0; i <= n; ++i) {
            const double t = i * step * kDeg;
            const double radius = f.SlantTo(e.plane, t);
            const double phi = -sector / 2 + sector * t / (2 * kPi);  // base circle onto the sector
            const double x = radius * std::sin(phi), y = radius * std::cos(phi);
            if (i > 0) length += 2 * std::hypot(x - px, y - py);
            px = x;
            py = y;
            minY = std::min(minY, y);
            maxY = std::max(maxY, y);
            near(e.table[i], radius, "table entry");
            EXPECT_EQ(e.table[2 * n - i], e.table[i]) << "mirrored entry " << i;
        }
        near(e.minY, minY, "edge min");
        near(e.maxY, maxY, "edge max");
        EXPECT_NEAR(e.length, length, length * arcTol) << "edge length";
    }
}

// ConeData as a frustum window's apply leaves it: degrees as typed, the lower
// angle negated by FrmCoDiscordi, and the same in radians.
inline ConeArray ConeWindowData(std::int16_t shape, float t, float D1, float D2, float H, float upperDeg,
                                float lowerDeg) {
    const float lower = shape == ShapeCoDiscordi ? -lowerDeg : lowerDeg;
    return {0, t, D1, D2, H, upperDeg, lower, static_cast<float>(upperDeg * kDeg), static_cast<float>(lower * kDeg)};
}

// The results of a right frustum whose sector has radii 50 and 100 and the
// given angle.
inline ConeResults RingSector(float degrees) {
    ConeResults r;
    r.ConeSectorAngleDeg = degrees;
    r.ConeSectorAngle = static_cast<float>(degrees * kDeg);
    r.ConeInnerRadius = 50;
    r.ConeOuterRadius = 100;
    r.ConeUpperRadii.fill(50);
    r.ConeLowerRadii.fill(100);
    const double h = r.ConeSectorAngle / 2.0;
    r.UpperEdgeMinY = static_cast<float>(50 * std::cos(h));
    r.UpperEdgeMaxY = 50;
    r.LowerEdgeMinY = static_cast<float>(100 * std::cos(h));
    r.LowerEdgeMaxY = 100;
    return r;
}

}  // namespace velm::testing
