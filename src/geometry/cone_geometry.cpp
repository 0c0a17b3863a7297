#include "geometry/cone_geometry.h"

#include <algorithm>
#include <cmath>

#include "geometry/angles.h"
#include "geometry/cylinder_geometry.h"
#include "geometry/law_of_cosines.h"

namespace velm {

namespace {

int Sign(float v) { return (v > 0) - (v < 0); }

float Side(std::int16_t latoSaldatura) { return latoSaldatura < 0 ? -1.0f : 1.0f; }

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

void SolveConeHalfAngle(float D1, float D2, float lowerCut, float upperCut, float H,
                        std::int16_t latoSaldatura, float& baseRadius, float& apexHeight,
                        float& baseAngle, float& cutRise, float& frustumHeight1,
                        double& frustumHeight2, float& lowerCutOffset, std::int16_t& errorFlag) {
    const double lc = std::fabs(static_cast<double>(lowerCut));
    const double uc = std::fabs(static_cast<double>(upperCut));
    const double slope = static_cast<double>(Side(latoSaldatura) * upperCut);  // upper trace, signed
    if (!(D1 > 0) || !(D2 > 0) || !(H > 0) || !Finite(D1) || !Finite(D2) || !Finite(H) ||
        !(lc < Pi / 2) || !(uc < Pi / 2)) {
        errorFlag = 1;
        return;
    }
    const double sU = std::sin(uc);
    const double LCO = static_cast<double>(D2) * std::sin(lc);
    const double tL = std::tan(lc);
    const double cL = std::sqrt(std::max(0.0, static_cast<double>(D2) * D2 - LCO * LCO));
    lowerCutOffset = static_cast<float>(LCO);

    double A;
    if (lc == 0 && uc == 0) {
        // A right frustum is H high whatever its slope; the slope follows from
        // the diameters (vertical or widening sides are left to the checks).
        A = std::atan2(2.0 * H, static_cast<double>(D2) - D1);
    } else {
        const TraceProblem p{D1, H, std::cos(slope), std::sin(slope), tL, LCO, cL};
        if (!FindBaseAngle(p, std::max(lc, uc), A)) {
            errorFlag = 1;
            return;
        }
    }

    const double R = (LCO / std::tan(A) + cL) / 2;
    const double rise = tL * R;
    // (R tan A - rise - H) cos A, without forming the apex height, which
    // grows without bound as the side turns vertical.
    const double dCos = R * std::sin(A) - (rise + H) * std::cos(A);
    const double seamPart = dCos / std::sin(A - slope);  // part of the trace on the seam side
    const double m = slope < 0 ? seamPart : D1 - seamPart;  // part rising from the axis point
    const double h1 = m * sU + H + rise;
    if (!Finite(R) || !Finite(h1) || !Finite(seamPart)) {
        errorFlag = 1;
        return;
    }
    baseAngle = static_cast<float>(A);
    baseRadius = static_cast<float>(R);
    apexHeight = static_cast<float>(R * std::tan(A));
    cutRise = static_cast<float>(rise);
    frustumHeight1 = static_cast<float>(h1);
    frustumHeight2 = static_cast<double>(frustumHeight1) - sU * D1;
}

void ComputeConeAngle(float frustumHeight1, float D1, float D2, float lowerCut, float upperCut,
                      std::int16_t latoSaldatura, float& baseAngle, float& coneApexAngle,
                      float& baseRadius, double& frustumHeight2, float& lowerCutOffset,
                      float& seamInset, float& axisCheck, float referenceLength,
                      std::int16_t& errorFlag) {
    const float side = Side(latoSaldatura);
    const double upperAbs = std::fabs(static_cast<double>(upperCut));
    const double lowerAbs = std::fabs(static_cast<double>(lowerCut));
    const double h1 = frustumHeight1;
    frustumHeight2 = h1 - static_cast<double>(D1) * std::sin(upperAbs);
    lowerCutOffset = static_cast<float>(static_cast<double>(D2) * std::sin(lowerAbs));
    const double lco = lowerCutOffset;
    const double h2 = frustumHeight2;

    // Horizontal extents of the two traces.
    const double cL = std::sqrt(std::max(0.0, static_cast<double>(D2) * D2 - lco * lco));
    const double riseU = h1 - h2;
    const double cU = std::sqrt(std::max(0.0, static_cast<double>(D1) * D1 - riseU * riseU));
    // Both traces end on the two generatrices: 2R - (their end heights) / tan A
    // is each trace's horizontal extent.
    const double divisor = 2 * (h1 + h2 - lco);
    const float R = static_cast<float>(((h1 + h2) * cL - lco * cU) / divisor);
    const float W = static_cast<float>(2.0 * R - cU);
    const float A = W == 0 ? static_cast<float>(Pi / 2) : static_cast<float>(std::atan((h1 + h2) / W));
    const float apex = static_cast<float>((Pi - 2.0 * A) / DegToRad);
    const float Y = side * upperCut >= 0 ? static_cast<float>(h2) : frustumHeight1;
    const float inset = static_cast<float>(Y / std::tan(static_cast<double>(A)));
    // The upper trace carried from its seam point to the axis, less the lower
    // cut's rise there.
    const double upperSlope = std::tan(static_cast<double>(side * upperCut));
    const float axis = static_cast<float>((static_cast<double>(R) - inset) * upperSlope + Y -
                                          static_cast<double>(R) * std::tan(lowerAbs));

    if (!(D1 > 0) || !(D2 > 0) || divisor == 0 || !Finite(h1) || !Finite(h2) || !Finite(R) ||
        !Finite(A) || !Finite(apex) || !Finite(inset) || !Finite(axis)) {
        // No body, and nothing that is not a number handed on.
        baseAngle = 0;
        coneApexAngle = 0;
        baseRadius = 0;
        seamInset = 0;
        axisCheck = 0;
        if (!Finite(h2)) frustumHeight2 = 0;
        if (!Finite(lowerCutOffset)) lowerCutOffset = 0;
        errorFlag = 1;
        return;
    }
    baseAngle = A;
    coneApexAngle = apex;
    baseRadius = R;
    seamInset = inset;
    axisCheck = axis;

    // The upper cut reaches level 0, the lower cut reaches the top, or cuts
    // of opposite slope touch or cross.
    if (frustumHeight2 <= 0 || lowerCutOffset >= frustumHeight1 ||
        (Sign(upperCut) != Sign(lowerCut) && static_cast<float>(frustumHeight2) <= lowerCutOffset)) {
        errorFlag = 1;
        return;
    }
    // No side, or a cut steeper than the side.
    if (A <= 0 || std::fabs(upperCut) > A || std::fabs(lowerCut) > A) {
        errorFlag = 1;
        return;
    }
    // The body misses the axis length it was asked for.
    if (referenceLength != 0 &&
        std::fabs(static_cast<double>(axis) - referenceLength) > static_cast<double>(referenceLength) * 0.01) {
        errorFlag = 1;
    }
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

// One developed edge: entries 0..n of `table` from the generatrices' meeting
// points with the cut, the extremes along the middle line and the length.
// `meet` gives the height Z where the generatrix through (u, 0) meets the cut.
template <typename Meet>
bool DevelopEdge(int n, float angleStep, float sector, float R, float tA, float Hapex, Meet meet,
                 ProfileTable& table, float& maxY, float& minY, float& arcLength) {
    const float P2 = 2 * tA * R;
    const float delta = static_cast<float>(sector / 360.0 * angleStep);
    minY = 1e15f;
    maxY = 0;
    arcLength = 0;
    float phi = -sector / 2;
    for (int i = 0; i <= n; ++i) {
        const float t = static_cast<float>(static_cast<float>(i * angleStep) * DegToRad);
        const float u = static_cast<float>((1 - std::cos(static_cast<double>(t))) * R);
        const float Z = meet(u);
        // Slant distance from the apex to the height Z.
        const float Xf = (P2 - Z) / tA;
        const double dx = R - Xf;
        const double dz = Hapex - Z;
        const double r = std::sqrt(dx * dx + dz * dz);
        if (!Finite(Z) || !Finite(r)) return false;
        table[i] = r;
        const float y = static_cast<float>(std::cos(static_cast<double>(phi)) * r);
        if (y < minY) minY = y;
        if (y > maxY) maxY = y;
        if (i > 0) arcLength += static_cast<float>(LawOfCosinesSide(table[i], table[i - 1], delta));
        phi += delta;
    }
    arcLength = 2 * arcLength;
    for (int j = n + 1; j <= 2 * n; ++j) table[j] = table[2 * n - j];
    return Finite(arcLength);
}

}  // namespace

bool ComputeConeDevelopmentTables(float baseAngle, float baseRadius, float frustumHeight1,
                                  double frustumHeight2, float lowerCutOffset, float seamInset,
                                  float lowerCut, float upperCut, float angleStep,
                                  std::int16_t latoSaldatura, ConeResults& out) {
    const int n = HalfTurnIndex(angleStep);
    if (n < 0) {
        ClearDevelopment(out, ProfileTableLast);
        return false;
    }
    const float side = Side(latoSaldatura);
    const float A = baseAngle;
    const float R = baseRadius;
    const float lco = lowerCutOffset;
    const float Y = side * upperCut < 0 ? frustumHeight1 : static_cast<float>(frustumHeight2);
    const float tA = static_cast<float>(std::tan(static_cast<double>(A)));
    const float sA = static_cast<float>(std::sin(static_cast<double>(A)));
    const float Hapex = tA * R;
    // A side that is not a cone's (flat, vertical or overturned) has no sector.
    if (!(tA > 0) || !(sA > 0) || !Finite(tA) || !Finite(Hapex)) {
        ClearDevelopment(out, 2 * n);
        return false;
    }

    // The base circle runs through the lower cut's seam point.
    float circumference;
    float slant;  // seam generatrix between the two cuts
    double outer;
    if (side * lowerCut < 0) {
        const float b = lco / tA;
        circumference = static_cast<float>((R - b) * 2 * Pi);
        slant = (Y - lco) / sA;
        outer = 2.0 * (R - b) * slant / (2.0 * (seamInset - b));
    } else {
        circumference = static_cast<float>(2 * Pi * R);
        slant = Y / sA;
        outer = 2.0 * R * slant / (2.0 * seamInset);
    }
    const double inner = outer - slant;
    const float sector = static_cast<float>(circumference / outer);
    if (!Finite(outer) || !Finite(inner) || !Finite(sector)) {
        ClearDevelopment(out, 2 * n);
        return false;
    }
    out.ConeOuterRadius = outer;
    out.ConeInnerRadius = inner;
    out.ConeSectorAngle = sector;
    out.ConeSectorAngleDeg = static_cast<float>(sector / DegToRad);
    const double q = std::sin(sector / 2.0);
    out.ConeInnerChord = static_cast<float>(2 * inner * q);
    out.ConeOuterChord = static_cast<float>(2 * outer * q);

    // Where the generatrix from (u, 0) to the apex meets each cut, in the section.
    const float tU = static_cast<float>(std::tan(static_cast<double>(side * upperCut)));
    const float c0 = Y - tU * seamInset;
    auto meetUpper = [&](float u) {
        const float X = ((R - u) * c0 + u * Hapex) / ((u - R) * tU + Hapex);
        return (X - seamInset) * tU + Y;
    };
    const float tL = static_cast<float>(std::tan(static_cast<double>(side * lowerCut)));
    const bool lowerFromFar = side * lowerCut < 0;  // the lower trace starts at the opposite foot
    auto meetLower = [&](float u) {
        if (lowerFromFar) {
            const float X = (2 * R * tL * (u - R) + u * Hapex) / ((u - R) * tL + Hapex);
            return (X - 2 * R) * tL;
        }
        const float X = u * Hapex / ((u - R) * tL + Hapex);
        return tL * X;
    };

    if (!DevelopEdge(n, angleStep, sector, R, tA, Hapex, meetUpper, out.ConeUpperRadii,
                     out.UpperEdgeMaxY, out.UpperEdgeMinY, out.UpperArcLength) ||
        !DevelopEdge(n, angleStep, sector, R, tA, Hapex, meetLower, out.ConeLowerRadii,
                     out.LowerEdgeMaxY, out.LowerEdgeMinY, out.LowerArcLength) ||
        !Finite(out.ConeInnerChord) || !Finite(out.ConeOuterChord)) {
        ClearDevelopment(out, 2 * n);
        return false;
    }
    return true;
}

}  // namespace velm
