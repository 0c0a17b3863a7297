#include "cones/cone_outline.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <initializer_list>

#include "geometry/angles.h"

namespace velm {

namespace {

bool Finite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

bool FiniteEntries(const ProfileTable& table, int last) {
    for (int i = 0; i <= last; ++i)
        if (!std::isfinite(table[static_cast<std::size_t>(i)])) return false;
    return true;
}

// Both edges over the whole turn, entry by entry at one angle; the angle in
// single precision, as the sector angle it comes from.
void Edges(const ConeResults& r, int n, float S, float h, float angleStep, ConeOutline& o) {
    o.Upper.resize(static_cast<std::size_t>(n) + 1);
    o.Lower.resize(static_cast<std::size_t>(n) + 1);
    for (int i = 0; i <= n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const float a = h - ((static_cast<float>(i) * S) / 360.0f) * angleStep;
        const double rad = static_cast<double>(a) * DegToRad;
        const double sa = std::sin(rad);
        const double ca = std::cos(rad);
        const double u = r.ConeUpperRadii[k];
        const double l = r.ConeLowerRadii[k];
        o.Upper[k] = {-u * sa, -u * ca, u, a};
        o.Lower[k] = {-l * sa, -l * ca, l, a};
    }
}

}  // namespace

ConeOutline ConeOutlineOf(const ConeResults& r, float angleStep) {
    ConeOutline o;
    const int n = WholeTurnIndex(angleStep);
    const float S = r.ConeSectorAngleDeg;
    if (n < 1 || !(S > 0) || !(r.ConeSectorAngle > 0) ||
        !Finite({S, r.ConeSectorAngle, r.ConeInnerRadius, r.ConeOuterRadius, r.UpperEdgeMinY, r.UpperEdgeMaxY,
                 r.LowerEdgeMinY, r.LowerEdgeMaxY}) ||
        !FiniteEntries(r.ConeUpperRadii, n) || !FiniteEntries(r.ConeLowerRadii, n))
        return o;

    const float h = S / 2;
    o.Steps = n;
    o.SectorAngleDeg = S;
    o.HalfAngle = h;
    o.SectorAngle = r.ConeSectorAngle;
    o.InnerRadius = r.ConeInnerRadius;
    o.OuterRadius = r.ConeOuterRadius;
    Edges(r, n, S, h, angleStep, o);

    const double sh = std::sin(static_cast<double>(h) * DegToRad);
    const double ch = std::cos(static_cast<double>(h) * DegToRad);
    auto left = [&](double rho) { return OutlinePoint{-rho * sh, -rho * ch}; };
    auto right = [&](double rho) { return OutlinePoint{rho * sh, -rho * ch}; };
    const double r0 = o.InnerRadius, R0 = o.OuterRadius;
    const double U0 = r.ConeUpperRadii[0], L0 = r.ConeLowerRadii[0];
    o.LeftSeam = {left(r0), left(R0)};
    o.RightSeam = {right(r0), right(R0)};
    o.LeftEdgeSeam = {left(U0), left(L0)};
    o.RightEdgeSeam = {right(U0), right(L0)};

    const float start = 270.0f - h;
    const float end = 270.0f + h;
    o.InnerArc = {{0, 0}, r0, start, end};
    o.OuterArc = {{0, 0}, R0, start, end};

    o.UpperEdgeMinY = r.UpperEdgeMinY;
    o.UpperEdgeMaxY = r.UpperEdgeMaxY;
    o.LowerEdgeMinY = r.LowerEdgeMinY;
    o.LowerEdgeMaxY = r.LowerEdgeMaxY;
    o.MiddleLine = {{0, -static_cast<double>(r.UpperEdgeMinY)}, {0, -static_cast<double>(r.LowerEdgeMaxY)}};
    return o;
}

SectorExtent TrueExtentOf(const ConeOutline& o) {
    SectorExtent b;
    if (o.Empty()) return b;
    b.Top = -1e300;
    b.Bottom = 1e300;
    for (const auto* edge : {&o.Upper, &o.Lower})
        for (const SectorPoint& p : *edge) {
            b.HalfWidth = std::max(b.HalfWidth, std::fabs(p.X));
            b.Top = std::max(b.Top, p.Y);
            b.Bottom = std::min(b.Bottom, p.Y);
        }
    return b;
}

}  // namespace velm
