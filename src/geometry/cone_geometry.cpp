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

void SolveConeHalfAngle(double D1, double D2, double lowerCut, double upperCut, double H,
                        std::int16_t /*latoSaldatura: the body is the same on either side*/,
                        float& baseRadius, float& apexHeight, float& baseAngle, float& cutRise,
                        double& frustumHeight1, double& frustumHeight2, float& lowerCutOffset,
                        std::int16_t& errorFlag) {
    // No body: every output 0, never a value left from an earlier body.
    auto noBody = [&] {
        baseRadius = apexHeight = baseAngle = cutRise = lowerCutOffset = 0;
        frustumHeight1 = frustumHeight2 = 0;
        errorFlag = 1;
    };
    const double lc = std::fabs(lowerCut);
    const double uc = std::fabs(upperCut);
    if (!(D1 > 0) || !(D2 > 0) || !(H > 0) || !Finite(D1) || !Finite(D2) || !Finite(H) ||
        !(lc < Pi / 2) || !(uc < Pi / 2)) {
        noBody();
        return;
    }
    const double sU = std::sin(uc);
    const double LCO = D2 * std::sin(lc);
    const double tL = std::tan(lc);
    const double cL = std::sqrt(std::max(0.0, D2 * D2 - LCO * LCO));
    lowerCutOffset = static_cast<float>(LCO);

    double A;
    if (lc == 0 && uc == 0) {
        // A right frustum is H high whatever its slope; the slope follows from
        // the diameters (vertical or widening sides are left to the checks).
        A = std::atan2(2.0 * H, D2 - D1);
    } else {
        const TraceProblem p{D1, H, std::cos(uc), std::sin(uc), tL, LCO, cL};
        if (!FindBaseAngle(p, std::max(lc, uc), A)) {
            noBody();
            return;
        }
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
    if (!Finite(R) || !Finite(h1)) {
        noBody();
        return;
    }
    baseAngle = static_cast<float>(A);
    baseRadius = static_cast<float>(R);
    apexHeight = static_cast<float>(R * std::tan(A));
    cutRise = static_cast<float>(rise);
    frustumHeight1 = h1;
    frustumHeight2 = h1 - sU * D1;
}

void ComputeConeAngle(double frustumHeight1, double D1, double D2, double lowerCut, double upperCut,
                      std::int16_t latoSaldatura, double& baseAngle, float& coneApexAngle,
                      double& baseRadius, double& frustumHeight2, double& lowerCutOffset,
                      double& seamInset, double& axisCheck, double referenceLength,
                      std::int16_t& errorFlag) {
    const double side = Side(latoSaldatura);
    const double upperAbs = std::fabs(upperCut);
    const double lowerAbs = std::fabs(lowerCut);
    const double h1 = frustumHeight1;
    frustumHeight2 = h1 - D1 * std::sin(upperAbs);
    const double lco = D2 * std::sin(lowerAbs);
    lowerCutOffset = lco;
    const double h2 = frustumHeight2;

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
    const double Y = side * upperCut >= 0 ? h2 : h1;
    const double inset = Y / std::tan(A);
    // The upper trace carried from its lower end to the axis, less the lower
    // cut's rise there: the same for either weld side.
    const double axis = (R - h2 / std::tan(A)) * std::tan(upperAbs) + h2 - R * std::tan(lowerAbs);

    if (!(D1 > 0) || !(D2 > 0) || divisor == 0 || !Finite(h1) || !Finite(h2) || !Finite(R) ||
        !Finite(A) || !Finite(apex) || !Finite(inset) || !Finite(axis)) {
        // No body, and nothing that is not a number handed on.
        baseAngle = 0;
        coneApexAngle = 0;
        baseRadius = 0;
        seamInset = 0;
        axisCheck = 0;
        if (!Finite(h2)) frustumHeight2 = 0;
        if (!Finite(lco)) lowerCutOffset = 0;
        errorFlag = 1;
        return;
    }
    baseAngle = A;
    coneApexAngle = static_cast<float>(apex);
    baseRadius = R;
    seamInset = inset;
    axisCheck = axis;

    // The upper cut reaches level 0, the lower cut reaches the top, or cuts
    // of opposite slope touch or cross.
    if (h2 <= 0 || lco >= h1 || (Sign(upperCut) != Sign(lowerCut) && h2 <= lco)) {
        errorFlag = 1;
        return;
    }
    // No side, or a cut steeper than the side.
    if (A <= 0 || upperAbs > A || lowerAbs > A) {
        errorFlag = 1;
        return;
    }
    // The body misses the axis length it was asked for.
    if (referenceLength != 0 && std::fabs(axis - referenceLength) > referenceLength * 0.01) errorFlag = 1;
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

}  // namespace

bool ComputeConeDevelopmentTables(double baseAngle, double baseRadius, double frustumHeight1,
                                  double frustumHeight2, double lowerCutOffset, double seamInset,
                                  double lowerCut, double upperCut, float angleStep,
                                  std::int16_t latoSaldatura, ConeResults& out) {
    const int n = HalfTurnIndex(angleStep);
    if (!StepDividesHalfTurn(angleStep)) {
        ClearDevelopment(out, ProfileTableLast);
        return false;
    }
    const double side = Side(latoSaldatura);
    const double A = baseAngle;
    const double R = baseRadius;
    const double lco = lowerCutOffset;
    const double Y = side * upperCut < 0 ? frustumHeight1 : frustumHeight2;
    const double tA = std::tan(A);
    const double sA = std::sin(A);
    const double Hapex = tA * R;
    // A side that is not a cone's (flat, vertical or overturned) has no sector.
    if (!(tA > 0) || !(sA > 0) || !Finite(tA) || !Finite(Hapex)) {
        ClearDevelopment(out, 2 * n);
        return false;
    }

    // The base circle runs through the lower cut's seam point.
    double circumference;
    double slant;  // seam generatrix between the two cuts
    double outer;
    if (side * lowerCut < 0) {
        const double b = lco / tA;
        circumference = (R - b) * 2 * Pi;
        slant = (Y - lco) / sA;
        outer = (R - b) * slant / (seamInset - b);
    } else {
        circumference = 2 * Pi * R;
        slant = Y / sA;
        outer = R * slant / seamInset;
    }
    const double inner = outer - slant;
    const double sector = circumference / outer;
    if (!Finite(outer) || !Finite(inner) || !Finite(sector)) {
        ClearDevelopment(out, 2 * n);
        return false;
    }
    out.ConeOuterRadius = outer;
    out.ConeInnerRadius = inner;
    out.ConeSectorAngle = static_cast<float>(sector);
    out.ConeSectorAngleDeg = static_cast<float>(sector / DegToRad);
    const double q = std::sin(sector / 2.0);
    out.ConeInnerChord = static_cast<float>(2 * inner * q);
    out.ConeOuterChord = static_cast<float>(2 * outer * q);

    // Where the generatrix from (u, 0) to the apex meets each cut, in the section.
    const double tU = std::tan(side * upperCut);
    const double c0 = Y - tU * seamInset;
    auto meetUpper = [&](double u) {
        const double X = ((R - u) * c0 + u * Hapex) / ((u - R) * tU + Hapex);
        return (X - seamInset) * tU + Y;
    };
    const double tL = std::tan(side * lowerCut);
    const bool lowerFromFar = side * lowerCut < 0;  // the lower trace starts at the opposite foot
    auto meetLower = [&](double u) {
        if (lowerFromFar) {
            const double X = (2 * R * tL * (u - R) + u * Hapex) / ((u - R) * tL + Hapex);
            return (X - 2 * R) * tL;
        }
        const double X = u * Hapex / ((u - R) * tL + Hapex);
        return tL * X;
    };

    EdgeAngles angles;
    ComputeEdgeAngles(n, angleStep, sector, angles);
    if (!DevelopEdge(n, angles, R, tA, Hapex, meetUpper, out.ConeUpperRadii,
                     out.UpperEdgeMaxY, out.UpperEdgeMinY, out.UpperArcLength) ||
        !DevelopEdge(n, angles, R, tA, Hapex, meetLower, out.ConeLowerRadii,
                     out.LowerEdgeMaxY, out.LowerEdgeMinY, out.LowerArcLength) ||
        !Finite(out.ConeInnerChord) || !Finite(out.ConeOuterChord)) {
        ClearDevelopment(out, 2 * n);
        return false;
    }
    return true;
}

}  // namespace velm
