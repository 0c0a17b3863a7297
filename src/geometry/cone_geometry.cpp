#include "geometry/cone_geometry.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "geometry/angles.h"
#include "geometry/cylinder_geometry.h"
#include "geometry/law_of_cosines.h"

namespace velm {

namespace {

int Sign(double v) { return (v > 0) - (v < 0); }

double Side(std::int16_t latoSaldatura) { return latoSaldatura < 0 ? -1.0 : 1.0; }

bool Finite(double v) { return std::isfinite(v); }

// What the search needs of a body, in double precision.
struct TraceProblem {
    double D1;   // upper trace length wanted
    double H;    // axis length
    double cosB; // cos and sin of the upper trace's slope
    double sinB;
    double tL;   // tan of the lower cut
    double LCO;  // rise of the lower trace
    double cL;   // horizontal extent of the lower trace
};

// The upper trace through the axis point has the length
//   X(A) = cos B (cL sin^2 A - tL LCO cos^2 A - H sin 2A) / (sin^2 A - sin^2 B),
// that is d cos A (1 / sin(A + B) + 1 / sin(A - B)) with d the apex's height
// above the axis point. Its numerator less D1 times its denominator has no
// pole and keeps the sign of X - D1 wherever A is steeper than the cut.
double TraceMismatch(const TraceProblem& p, double A) {
    const double s = std::sin(A);
    const double c = std::cos(A);
    return p.cosB * (p.cL * s * s - p.tL * p.LCO * c * c - 2 * p.H * s * c) -
           p.D1 * (s * s - p.sinB * p.sinB);
}

// The root where the trace grows through D1, the one on which a real cone
// narrows from the lower cut to the upper: scanned down from the vertical
// side in steps of 0.1 degree, then bisected. False when there is none above
// minAngle.
bool FindBaseAngle(const TraceProblem& p, double minAngle, double& A) {
    double hi = Pi / 2;
    const double gHi = TraceMismatch(p, hi);
    if (gHi == 0) {
        A = hi;
        return true;
    }
    if (!(gHi > 0)) return false;  // the upper end is as wide as the lower one, or wider
    const double step = DegToRad / 10;
    double lo = hi;
    bool bracketed = false;
    for (int k = 0; k <= 900 && lo > minAngle; ++k) {
        lo = std::max(hi - step, minAngle);
        const double g = TraceMismatch(p, lo);
        if (!Finite(g)) return false;
        if (g < 0) {
            bracketed = true;
            break;
        }
        if (g == 0) {
            A = lo;
            return lo > minAngle;
        }
        hi = lo;
    }
    if (!bracketed) return false;
    for (int k = 0; k < 200; ++k) {
        const double mid = (lo + hi) / 2;
        if (mid <= lo || mid >= hi) break;
        if (TraceMismatch(p, mid) < 0) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    A = hi;
    return true;
}

}  // namespace

ConeSolution SolveConeHalfAngle(const ConeBody& body, double axisHeight) {
    const double D1 = body.UpperDiameter;
    const double D2 = body.LowerDiameter;
    const double H = axisHeight;
    // No body: every value 0, never one left from an earlier body.
    const ConeSolution noBody{0, 0, 0, 0, 0, 0, 0, true};
    const double lc = std::fabs(body.LowerCut);
    const double uc = std::fabs(body.UpperCut);
    if (!(D1 > 0) || !(D2 > 0) || !(H > 0) || !Finite(D1) || !Finite(D2) || !Finite(H) ||
        !(lc < Pi / 2) || !(uc < Pi / 2)) {
        return noBody;
    }
    const double sU = std::sin(uc);
    const double LCO = D2 * std::sin(lc);
    const double tL = std::tan(lc);
    const double cL = std::sqrt(std::max(0.0, D2 * D2 - LCO * LCO));

    double A;
    if (lc == 0 && uc == 0) {
        // A right frustum is H high whatever its slope; the slope follows from
        // the diameters (vertical or widening sides are left to the checks).
        A = std::atan2(2.0 * H, D2 - D1);
    } else {
        const TraceProblem p{D1, H, std::cos(uc), std::sin(uc), tL, LCO, cL};
        if (!FindBaseAngle(p, std::max(lc, uc), A)) return noBody;
    }

    const double R = (LCO / std::tan(A) + cL) / 2;
    const double rise = tL * R;
    // (R tan A - rise - H) cos A, without forming the apex height, which
    // grows without bound as the side turns vertical.
    const double dCos = R * std::sin(A) - (rise + H) * std::cos(A);
    // The part of the trace rising from the axis point, whichever side the
    // seam is on, so that the weld side never changes the body.
    const double m = dCos / std::sin(A + uc);
    const double h1 = m * sU + H + rise;
    if (!Finite(R) || !Finite(h1)) return noBody;
    ConeSolution s;
    s.BaseAngle = static_cast<float>(A);
    s.BaseRadius = static_cast<float>(R);
    s.ApexHeight = static_cast<float>(R * std::tan(A));
    s.CutRise = static_cast<float>(rise);
    s.FrustumHeight1 = h1;
    s.FrustumHeight2 = h1 - sU * D1;
    s.LowerCutOffset = static_cast<float>(LCO);
    return s;
}

ConeSection ComputeConeAngle(const ConeBody& body, double frustumHeight1, std::int16_t latoSaldatura,
                             double referenceLength) {
    const double D1 = body.UpperDiameter;
    const double D2 = body.LowerDiameter;
    const double side = Side(latoSaldatura);
    const double upperAbs = std::fabs(body.UpperCut);
    const double lowerAbs = std::fabs(body.LowerCut);
    const double h1 = frustumHeight1;
    const double h2 = h1 - D1 * std::sin(upperAbs);
    const double lco = D2 * std::sin(lowerAbs);

    // Horizontal extents of the two traces.
    const double cL = std::sqrt(std::max(0.0, D2 * D2 - lco * lco));
    const double riseU = h1 - h2;
    const double cU = std::sqrt(std::max(0.0, D1 * D1 - riseU * riseU));
    // Both traces end on the two generatrices: 2R - (their end heights) / tan A
    // is each trace's horizontal extent.
    const double divisor = 2 * (h1 + h2 - lco);
    const double R = ((h1 + h2) * cL - lco * cU) / divisor;
    const double W = 2.0 * R - cU;
    const double A = W == 0 ? Pi / 2 : std::atan((h1 + h2) / W);
    const double apex = (Pi - 2.0 * A) / DegToRad;
    const double Y = side * body.UpperCut >= 0 ? h2 : h1;
    const double inset = Y / std::tan(A);
    // The upper trace carried from its lower end to the axis, less the lower
    // cut's rise there: the same for either weld side.
    const double axis = (R - h2 / std::tan(A)) * std::tan(upperAbs) + h2 - R * std::tan(lowerAbs);

    if (!(D1 > 0) || !(D2 > 0) || divisor == 0 || !Finite(h1) || !Finite(h2) || !Finite(R) ||
        !Finite(A) || !Finite(apex) || !Finite(inset) || !Finite(axis)) {
        // No body, and nothing that is not a number handed on.
        ConeSection none;
        none.FrustumHeight2 = Finite(h2) ? h2 : 0;
        none.LowerCutOffset = Finite(lco) ? lco : 0;
        none.Impossible = true;
        return none;
    }
    ConeSection s;
    s.BaseAngle = A;
    s.ApexAngle = static_cast<float>(apex);
    s.BaseRadius = R;
    s.FrustumHeight2 = h2;
    s.LowerCutOffset = lco;
    s.SeamInset = inset;
    s.AxisCheck = axis;
    // The upper cut reaches level 0, the lower cut reaches the top, or cuts
    // of opposite slope touch or cross.
    const bool endsMeet = h2 <= 0 || lco >= h1 || (Sign(body.UpperCut) != Sign(body.LowerCut) && h2 <= lco);
    // No side, or a cut steeper than the side.
    const bool noSide = A <= 0 || upperAbs > A || lowerAbs > A;
    // The body misses the axis length it was asked for.
    const bool axisMissed = referenceLength != 0 && std::fabs(axis - referenceLength) > referenceLength * 0.01;
    s.Impossible = endsMeet || noSide || axisMissed;
    return s;
}

namespace {

void ClearDevelopment(ConeResults& out, int lastEntry) {
    out.ConeOuterRadius = 0;
    out.ConeInnerRadius = 0;
    out.ConeSectorAngle = 0;
    out.ConeSectorAngleDeg = 0;
    out.ConeOuterChord = 0;
    out.ConeInnerChord = 0;
    std::fill(out.ConeUpperRadii.begin(), out.ConeUpperRadii.begin() + lastEntry + 1, 0.0);
    std::fill(out.ConeLowerRadii.begin(), out.ConeLowerRadii.begin() + lastEntry + 1, 0.0);
    out.UpperEdgeMaxY = 0;
    out.UpperEdgeMinY = 0;
    out.LowerEdgeMaxY = 0;
    out.LowerEdgeMinY = 0;
    out.UpperArcLength = 0;
    out.LowerArcLength = 0;
}

// What both edges of one development share, entry by entry: the cosines of
// the generatrix's angle from the seam and of the developed polar angle, and
// the half-angle sine of the law of cosines between neighbouring entries.
// Computed once for both edges, with the very expressions each edge used.
struct EdgeAngles {
    std::vector<double> cosT;      // cos(i * angleStep) of the generatrix
    std::vector<double> cosPolar;  // cos(-sector / 2 + i * delta)
    double delta = 0;
    double halfSine = 0;  // sin(delta / 2)
};

void ComputeEdgeAngles(int n, float angleStep, double sector, EdgeAngles& a) {
    a.delta = sector / 360.0 * angleStep;
    a.halfSine = std::sin(a.delta / 2);
    const auto count = static_cast<std::size_t>(n) + 1;
    a.cosT.resize(count);
    a.cosPolar.resize(count);
    for (int i = 0; i <= n; ++i) {
        const double t = i * static_cast<double>(angleStep) * DegToRad;
        a.cosT[static_cast<std::size_t>(i)] = std::cos(t);
        a.cosPolar[static_cast<std::size_t>(i)] = std::cos(-sector / 2 + i * a.delta);
    }
}

// LawOfCosinesSide(a, b, delta) for finite sides, with sin(delta / 2) given.
double NeighbourDistance(double a, double b, const EdgeAngles& angles) {
    const double scale = std::max(std::fabs(a), std::fabs(b));
    if (scale > 1e150) return LawOfCosinesSide(a, b, angles.delta);
    const double d = a - b;
    const double s = angles.halfSine;
    const double square = d * d + 4 * a * b * s * s;
    return square > 0 ? std::sqrt(square) : 0.0;
}

// One developed edge: entries 0..n of `table` from the generatrices' meeting
// points with the cut, the extremes along the middle line and the length.
// `meet` gives the height Z where the generatrix through (u, 0) meets the cut.
// In double throughout: near the apex a cut almost along the side meets the
// generatrices at a slant angle, and single precision loses the edge there.
template <typename Meet>
bool DevelopEdge(int n, const EdgeAngles& angles, double R, double tA, double Hapex, Meet meet,
                 ProfileTable& table, float& maxY, float& minY, float& arcLength) {
    const double P2 = 2 * tA * R;
    double lo = 1e15;
    double hi = 0;
    double length = 0;
    for (int i = 0; i <= n; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const double u = (1 - angles.cosT[at]) * R;
        const double Z = meet(u);
        // Slant distance from the apex to the height Z.
        const double Xf = (P2 - Z) / tA;
        const double dx = R - Xf;
        const double dz = Hapex - Z;
        const double r = std::sqrt(dx * dx + dz * dz);
        if (!Finite(Z) || !Finite(r)) return false;
        table[at] = r;
        const double y = angles.cosPolar[at] * r;
        lo = std::min(lo, y);
        hi = std::max(hi, y);
        if (i > 0) length += NeighbourDistance(table[at], table[at - 1], angles);
    }
    minY = static_cast<float>(lo);
    maxY = static_cast<float>(hi);
    arcLength = static_cast<float>(2 * length);
    for (int j = n + 1; j <= 2 * n; ++j) table[j] = table[2 * n - j];
    return Finite(arcLength);
}

// The section's values the development reads, with the seam's side applied.
struct SeamSection {
    double side;  // +1 or -1
    double R;
    double tA;
    double sA;
    double Hapex;  // apex height above level 0
    double lco;
    double Y;  // height of the upper cut's seam point
    double inset;
};

SeamSection SeamSectionOf(double frustumHeight1, const ConeSection& section, const ConeBody& body,
                          std::int16_t latoSaldatura) {
    SeamSection q;
    q.side = Side(latoSaldatura);
    q.R = section.BaseRadius;
    q.tA = std::tan(section.BaseAngle);
    q.sA = std::sin(section.BaseAngle);
    q.Hapex = q.tA * q.R;
    q.lco = section.LowerCutOffset;
    q.Y = q.side * body.UpperCut < 0 ? frustumHeight1 : section.FrustumHeight2;
    q.inset = section.SeamInset;
    return q;
}

// The developed ring sector: apex to the lower and upper seam points, and
// its angle. The base circle runs through the lower cut's seam point.
struct Sector {
    double outer;
    double inner;
    double angle;  // radians
};

Sector SectorOf(const SeamSection& q, double lowerCut) {
    double circumference;
    double slant;  // seam generatrix between the two cuts
    double outer;
    if (q.side * lowerCut < 0) {
        const double b = q.lco / q.tA;
        circumference = (q.R - b) * 2 * Pi;
        slant = (q.Y - q.lco) / q.sA;
        outer = (q.R - b) * slant / (q.inset - b);
    } else {
        circumference = 2 * Pi * q.R;
        slant = q.Y / q.sA;
        outer = q.R * slant / q.inset;
    }
    return {outer, outer - slant, circumference / outer};
}

void StoreSector(const Sector& sector, ConeResults& out) {
    out.ConeOuterRadius = sector.outer;
    out.ConeInnerRadius = sector.inner;
    out.ConeSectorAngle = static_cast<float>(sector.angle);
    out.ConeSectorAngleDeg = static_cast<float>(sector.angle / DegToRad);
    const double q = std::sin(sector.angle / 2.0);
    out.ConeInnerChord = static_cast<float>(2 * sector.inner * q);
    out.ConeOuterChord = static_cast<float>(2 * sector.outer * q);
}

// Where the generatrix from (u, 0) to the apex meets the upper cut, in the section.
struct UpperCutMeet {
    const SeamSection& q;
    double tU;
    double c0;
    UpperCutMeet(const SeamSection& s, double upperCut)
        : q(s), tU(std::tan(s.side * upperCut)), c0(s.Y - tU * s.inset) {}
    double operator()(double u) const {
        const double X = ((q.R - u) * c0 + u * q.Hapex) / ((u - q.R) * tU + q.Hapex);
        return (X - q.inset) * tU + q.Y;
    }
};

// The same for the lower cut, whose trace starts at the opposite foot when
// it slopes against the seam's side.
struct LowerCutMeet {
    const SeamSection& q;
    double tL;
    bool fromFar;
    LowerCutMeet(const SeamSection& s, double lowerCut)
        : q(s), tL(std::tan(s.side * lowerCut)), fromFar(s.side * lowerCut < 0) {}
    double operator()(double u) const {
        if (fromFar) {
            const double X = (2 * q.R * tL * (u - q.R) + u * q.Hapex) / ((u - q.R) * tL + q.Hapex);
            return (X - 2 * q.R) * tL;
        }
        const double X = u * q.Hapex / ((u - q.R) * tL + q.Hapex);
        return tL * X;
    }
};

}  // namespace

bool ComputeConeDevelopmentTables(const ConeBody& body, double frustumHeight1, const ConeSection& section,
                                  float angleStep, std::int16_t latoSaldatura, ConeResults& out) {
    const int n = HalfTurnIndex(angleStep);
    if (!StepDividesHalfTurn(angleStep)) {
        ClearDevelopment(out, ProfileTableLast);
        return false;
    }
    const SeamSection q = SeamSectionOf(frustumHeight1, section, body, latoSaldatura);
    // A side that is not a cone's (flat, vertical or overturned) has no sector.
    if (!(q.tA > 0) || !(q.sA > 0) || !Finite(q.tA) || !Finite(q.Hapex)) {
        ClearDevelopment(out, 2 * n);
        return false;
    }
    const Sector sector = SectorOf(q, body.LowerCut);
    if (!Finite(sector.outer) || !Finite(sector.inner) || !Finite(sector.angle)) {
        ClearDevelopment(out, 2 * n);
        return false;
    }
    StoreSector(sector, out);

    EdgeAngles angles;
    ComputeEdgeAngles(n, angleStep, sector.angle, angles);
    if (!DevelopEdge(n, angles, q.R, q.tA, q.Hapex, UpperCutMeet(q, body.UpperCut), out.ConeUpperRadii,
                     out.UpperEdgeMaxY, out.UpperEdgeMinY, out.UpperArcLength) ||
        !DevelopEdge(n, angles, q.R, q.tA, q.Hapex, LowerCutMeet(q, body.LowerCut), out.ConeLowerRadii,
                     out.LowerEdgeMaxY, out.LowerEdgeMinY, out.LowerArcLength) ||
        !Finite(out.ConeInnerChord) || !Finite(out.ConeOuterChord)) {
        ClearDevelopment(out, 2 * n);
        return false;
    }
    return true;
}

}  // namespace velm
