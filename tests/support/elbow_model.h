#pragma once
// Elbow pieces built in space from their own records, to check an elbow
// against: each piece is a cut cylinder or a cut frustum (found by the
// frustum model from its traces and axis length); its two cut planes stand
// square to the bend plane, so the piece is known from its section in that
// plane and the minor axes of its two cut ellipses.
//
// A piece's own frame: y along its axis from the start face's axis point
// towards the end, x across it, the outer side at -x.
#include <algorithm>
#include <cmath>

#include "support/frustum_model.h"

namespace velm::elbow_model {

struct Point {
    double x = 0, y = 0;
};

inline double Distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

struct PieceSection {
    Point startOuter, startInner, endOuter, endInner;
    double startMinor = 0, endMinor = 0;  // minor axes of the cut ellipses
    double height = 0;                    // axial extent of the face corners
    bool built = false;
};

// A cylinder of working diameter D: cut planes y = x tan(cut) through the
// start axis point and y = axis + x tan(cut) through the end one.
inline PieceSection CylinderPiece(double D, double axis, double startCut, double endCut) {
    PieceSection s;
    s.startOuter = {-D / 2, -D / 2 * std::tan(startCut)};
    s.startInner = {D / 2, D / 2 * std::tan(startCut)};
    s.endOuter = {-D / 2, axis - D / 2 * std::tan(endCut)};
    s.endInner = {D / 2, axis + D / 2 * std::tan(endCut)};
    s.startMinor = s.endMinor = D;
    s.height = std::max(s.endOuter.y, s.endInner.y) - std::min(s.startOuter.y, s.startInner.y);
    s.built = true;
    return s;
}

// A frustum whose start (small, upper) trace is D1 and end trace D2 long,
// axis length `axis`, found in space; its frame is the frustum model's turned
// half a turn (small end at the start, outer side at -x).
inline PieceSection FrustumPiece(double D1, double D2, double axis, double startCut, double endCut) {
    PieceSection s;
    testing::SpaceFrustum f;
    if (!testing::SolveFrustum({D1, D2, axis, startCut, endCut, 1}, f)) return s;
    auto at = [&](const testing::CutPlane& p, double t) { return Point{-f.X(p, t), axis - f.Z(p, t)}; };
    // Minor axis: the cone's chord square to the section at the trace's middle.
    auto minor = [&](const testing::CutPlane& p) {
        const double xm = (f.X(p, 0) + f.X(p, testing::kPi)) / 2, zm = (f.Z(p, 0) + f.Z(p, testing::kPi)) / 2;
        const double r = (f.apexZ - zm) / std::tan(f.A);
        return 2 * std::sqrt(std::max(0.0, r * r - xm * xm));
    };
    s.startOuter = at(f.upper, testing::kPi);
    s.startInner = at(f.upper, 0);
    s.endOuter = at(f.lower, testing::kPi);
    s.endInner = at(f.lower, 0);
    s.startMinor = minor(f.upper);
    s.endMinor = minor(f.lower);
    s.height = f.Height1();
    s.built = true;
    return s;
}

// The rigid motion (a turn, then a shift) that lays a segment onto another
// of the same length, first ends together.
struct Placement {
    double angle = 0;
    Point shift;
    Point Map(Point p) const {
        const double c = std::cos(angle), s = std::sin(angle);
        return {p.x * c - p.y * s + shift.x, p.x * s + p.y * c + shift.y};
    }
    // The piece's axis direction (its frame's +y) after the motion.
    double AxisDirection() const { return angle + testing::kPi / 2; }
};

inline Placement LayOnto(Point from1, Point from2, Point to1, Point to2) {
    Placement m;
    m.angle = std::atan2(to2.y - to1.y, to2.x - to1.x) - std::atan2(from2.y - from1.y, from2.x - from1.x);
    const Point r = m.Map(from1);
    m.shift = {to1.x - r.x, to1.y - r.y};
    return m;
}

// The angle a turns to reach b, in (-pi, pi].
inline double Turn(double a, double b) { return std::remainder(b - a, 2 * testing::kPi); }

}  // namespace velm::elbow_model
