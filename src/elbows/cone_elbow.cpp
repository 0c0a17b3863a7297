#include "elbows/cone_elbow.h"

#include <array>
#include <cmath>

#include "core/number_text.h"
#include "elbows/elbow_messages.h"
#include "elbows/plane_geometry.h"
#include "geometry/angles.h"
#include "geometry/cone_geometry.h"
#include "geometry/cylinder_geometry.h"
#include "geometry/law_of_cosines.h"

namespace velm {

namespace {

// The side view is computed in double and rounded once into the elbow's
// arrays: a nearly cylindrical piece's development hangs on digits of its
// face widths that single precision drops.
using FaceRadii = std::array<double, ElbowEntryLast + 2>;

struct Point {
    double x = 0, y = 0;
};

double S(double a, double alpha, double beta) { return LawOfSinesSide(a, alpha, beta); }
double C(double a, double b, double gamma) { return LawOfCosinesSide(a, b, gamma); }
double T(double a, double b, double c) { return AngleFromThreeSides(a, b, c); }
double Sgn(double v) { return (v > 0) - (v < 0); }

// Turned counter-clockwise about the origin by `angle`, then moved by (dx, dy).
Point Turned(double x, double y, double angle, double dx, double dy) {
    const double c = std::cos(angle), s = std::sin(angle);
    return {x * c - y * s + dx, x * s + y * c + dy};
}

// What the windows pass, by variant, as typed.
struct Arguments {
    double s, d, a1, D, a2, A, L, R, P13, P14;
    float n;
    bool cylindricalStart = false, cylindricalEnd = false;
};

Arguments ArgumentsOf(int variant, const ConeElbowArray& data, const EndConnectionArray& c,
                      const std::string& cylindricalEnds) {
    auto v = [](float x) { return TypedValue(x); };
    Arguments a{v(data[1]), v(data[2]), v(data[3]), v(data[4]), v(data[5]), v(data[6]), v(data[7]), v(data[8]),
                0, 0, data[9]};
    if (variant == 1) {
        a.cylindricalStart = a.cylindricalEnd = cylindricalEnds == "S";
    } else if (variant == 3) {
        // Each record lists its diameters from the elbow's start towards its end.
        a.cylindricalStart = c[1] == 1;
        a.cylindricalEnd = c[6] == 1;
        a.d = a.cylindricalStart ? 0 : v(c[5]);
        a.a1 = v(c[3]);
        a.D = a.cylindricalEnd ? 0 : v(c[7]);
        a.a2 = v(c[8]);
        a.P13 = v(c[2]);
        a.P14 = a.cylindricalEnd ? v(c[7]) : v(c[10]);
    }
    return a;
}

// The body's cone: the solver's heights, then its slope and radius from the
// exact angles, in double.
struct BodyCone {
    double radius = 0, apexHeight = 0, baseAngle = 0, rise = 0;
    double height1 = 0, height2 = 0;
};

bool SolveCone(double D1, double D2, double lowerCut, double upperCut, double H, BodyCone& c) {
    std::int16_t flag = 0;
    float radius = 0, apexHeight = 0, baseAngle = 0, rise = 0, offset = 0;
    SolveConeHalfAngle(D1, D2, lowerCut, upperCut, H, 1, radius, apexHeight, baseAngle, rise, c.height1, c.height2,
                       offset, flag);
    if (flag != 0) return false;
    float apexDeg = 0;
    double lowerOffset = 0, inset = 0, axis = 0;
    ComputeConeAngle(c.height1, D1, D2, lowerCut, upperCut, 1, c.baseAngle, apexDeg, c.radius, c.height2, lowerOffset,
                     inset, axis, 0, flag);
    c.apexHeight = c.radius * std::tan(c.baseAngle);
    c.rise = c.radius * std::tan(std::fabs(lowerCut));
    // The heights alone decide whether the body exists; the slope is only
    // recomputed from them.
    return true;
}

// A connection checked and solved as it is built: its enclosing height, and
// for a conical one its cone and its angles.
struct Connection {
    bool cylindrical = false;
    double workingDiameter = 0;  // a cylinder's
    float height = 0;
    BodyCone cone;
    double baseAngle = 0;  // from the exact angles
    double apexAngle = 0;  // radians
};

bool BuildConnection(bool cylindrical, double length, double D1, double D2, double lowerCut, double upperCut,
                     Connection& c) {
    c.cylindrical = cylindrical;
    std::int16_t flag = 0;
    if (cylindrical) {
        c.workingDiameter = D1;
        double lowestTop = 0;
        float bottomRise = 0;
        ComputeCutHeightsFromAxis(static_cast<float>(length), static_cast<float>(D1), lowerCut, upperCut, c.height,
                                  lowestTop, bottomRise, flag);
        return flag == 0;
    }
    if (!SolveCone(D1, D2, lowerCut, upperCut, length, c.cone)) return false;
    c.height = static_cast<float>(c.cone.height1);
    float apexDeg = 0;
    double radius = 0, offset = 0, inset = 0, axis = 0, height2 = 0;
    ComputeConeAngle(c.height, D1, D2, lowerCut, upperCut, 1, c.baseAngle, apexDeg, radius, height2, offset, inset,
                     axis, length, flag);
    c.apexAngle = Pi - 2 * c.baseAngle;
    return flag == 0;
}

// The face corners as the side view computes them, before they are rounded
// into the elbow's arrays.
struct Faces {
    std::array<Point, ElbowEntryLast + 2> outer{}, inner{};
    double Width(int k) const { return std::hypot(outer[k].x - inner[k].x, outer[k].y - inner[k].y); }
};

// The point at distance r from the bend centre (R, 0), at polar angle phi.
Point Polar(double R, double r, double phi) { return {R - r * std::cos(phi), r * std::sin(phi)}; }

double DistanceFromCentre(Point p, double R) { return std::hypot(p.x - R, p.y); }

bool AllFinite(const LastElbow& e) {
    const int K = e.PieceCount;
    const ElbowArray* arrays[] = {&e.PieceSmallDiameter, &e.PieceLargeDiameter, &e.PieceHeight,
                                  &e.PieceAxisLength,    &e.PieceStartCut,      &e.PieceEndCut,
                                  &e.FaceOuterX,         &e.FaceOuterY,         &e.FaceInnerX,
                                  &e.FaceInnerY};
    for (const ElbowArray* a : arrays) {
        for (int i = 1; i <= K + 1; ++i) {
            if (!std::isfinite((*a)[i])) return false;
        }
    }
    const float scalars[] = {e.PieceAngle,      e.StartFaceWidth,  e.EndFaceWidth,   e.Sweep,
                             e.ApexAngle,       e.StartOuterHalf,  e.StartInnerHalf, e.EndOuterHalf,
                             e.EndInnerHalf,    e.StartJointOuter, e.StartJointInner, e.EndJointOuter,
                             e.EndJointInner};
    for (float v : scalars) {
        if (!std::isfinite(v)) return false;
    }
    return true;
}

}  // namespace

int CheckConeElbowInput(const ConeElbowArray& data, bool checkDiameters) {
    if (data[1] == 0) return ErrElbowThickness;
    if (data[2] == 0 && checkDiameters) return ErrSmallDiameter;
    if (data[4] == 0 && checkDiameters) return ErrLargeDiameter;
    if (data[7] == 0) return ErrElbowAxisLength;
    return 0;
}

int CheckConeElbowTransitions(const EndConnectionArray& c, int base) {
    const bool start = base == 0;
    if (c[base + 2] == 0) return start ? ErrStartConnectionDiameter : ErrEndConnectionDiameter;
    if (c[base + 4] == 0) return start ? ErrStartConnectionLength : ErrEndConnectionLength;
    if (c[base + 5] == 0 && c[base + 1] == 0) {
        return start ? ErrStartConnectionSecondDiameter : ErrEndConnectionSecondDiameter;
    }
    return 0;
}

int CheckConeElbowAngle(float baseAngle, float firstCut, float secondCut, float apexAngle,
                        std::int16_t& elbowError) {
    elbowError = 1;
    // Written so that a value that is not a number fails.
    const double base = baseAngle;
    const double apex = apexAngle;
    if (!(base >= firstCut)) return ErrStartCutSteep;
    if (!(base >= std::fabs(static_cast<double>(secondCut)))) return ErrEndCutSteep;
    // The limits as single-precision values: a right angle typed as one passes.
    if (!(apex <= static_cast<float>(Pi / 2))) return ErrConeTooFlat;
    if (!(apex >= static_cast<float>(DegToRad * 0.1))) return ErrConeTooSharp;
    elbowError = 0;
    return 0;
}

int CheckNonZero(std::int16_t flag) { return flag != 0 ? ErrConeElbowPiece : 0; }

int ComputeConeElbow(int variant, ConeElbowArray& data, const EndConnectionArray& connections,
                     const std::string& cylindricalEnds, const DevelopmentSettings& settings, LastElbow& out) {
    const std::uint64_t generation = out.Generation + 1;
    out = LastElbow{};
    out.Generation = generation;
    out.ShapeCode = static_cast<std::int16_t>(ShapeCuCilindri + variant);
    out.ElbowIsCylinder = 0;
    out.ThicknessFactor = settings.ThicknessFactor;
    auto refuse = [&out](int message) {
        out.ElbowError = 1;
        return message;
    };
    if (variant < 1 || variant > 3) return refuse(ErrConeElbowPiece);

    const Arguments a = ArgumentsOf(variant, data, connections, cylindricalEnds);
    if (const int m = CheckPieceCount(a.n); m != 0) return refuse(m);
    const int n = static_cast<int>(a.n);
    const int K = variant == 3 ? n + 2 : n;
    out.Pieces = static_cast<std::int16_t>(n);
    out.PieceCount = static_cast<std::int16_t>(K);
    out.Thickness = a.s;
    out.BendRadius = a.R;
    out.AxisLength = a.L;
    out.StartIsCylindrical = a.cylindricalStart;
    out.EndIsCylindrical = a.cylindricalEnd;

    const double Ls = TypedValue(connections[4]), Le = TypedValue(connections[9]);
    const double inputs[] = {a.s, a.d, a.a1, a.D, a.a2, a.A, a.L, a.R, a.P13, a.P14, Ls, Le};
    for (double v : inputs) {
        if (!std::isfinite(v)) return refuse(ErrConeElbowPiece);
    }
    const double unit = settings.MeasuringSystem != 0 ? 25.4 : 1.0;
    // Slack for a limit typed with the unit's decimals.
    const double minRadius = settings.Limits.ConeElbowRadiusLimit.Min / unit * (1 - 1e-4);
    if (!(a.A >= 10 && a.A <= 180) || !(a.R >= minRadius)) return refuse(ErrConeElbowPiece);

    const double sk = a.s * settings.ThicknessFactor;
    const double R = a.R;
    const double a1r = a.a1 * DegToRad;
    const double a2r = a.a2 * DegToRad;
    const double bend = a.A * DegToRad;
    const bool optionS = variant == 1 && a.cylindricalStart;

    double d = a.d, D = a.D;
    double theta = 0, coneLength = a.L, startCut = a1r, endCut = a2r;
    BodyCone cone;
    bool solved = true;
    Connection startConnection, endConnection;

    if (variant == 1) {
        theta = bend / (n - 1);
        const double h = a.L / (2 * n - 2);
        if (optionS) coneLength = (2 * n - 4) * h;
    } else if (variant == 2) {
        theta = bend / n;
        // Full end pieces: the cone's own ends lie half a piece angle away.
        startCut = a1r + theta / 2;
        endCut = a2r - theta / 2;
        const double limit = 89.9 * DegToRad;
        if (!(std::fabs(startCut) < limit)) return refuse(ErrStartCutSteep);
        if (!(std::fabs(endCut) < limit)) return refuse(ErrEndCutSteep);
    } else {
        theta = bend / n;
        const double half = theta / 2;
        // Each connection is checked with the joint cut it is built with.
        if (!BuildConnection(a.cylindricalStart, Ls, sk + a.P13, sk + d, -half, a1r, startConnection)) {
            return refuse(ErrStartConnection);
        }
        if (!BuildConnection(a.cylindricalEnd, Le, a.cylindricalEnd ? sk + a.P14 : sk + D, sk + a.P14, a2r, half,
                             endConnection)) {
            return refuse(ErrEndConnection);
        }
        // A cylindrical connection meets the body on a face tilted by half a
        // piece angle: the body's end is that face, rounded to 4 decimals.
        if (a.cylindricalStart) d = std::floor(a.P13 / std::cos(half) * 10000 + 0.5) / 10000;
        if (a.cylindricalEnd) D = std::floor(a.P14 / std::cos(half) * 10000 + 0.5) / 10000;
    }
    const double half = theta / 2;
    const double small = sk + d;
    const double large = sk + D;

    // The body's cone.
    double solveSmall = small, solveLarge = large;
    if (optionS) {
        solveSmall = sk + d / std::cos(half);
        solveLarge = sk + D / std::cos(half);
        solved = SolveCone(solveSmall, solveLarge, -half, half, coneLength, cone);
    } else if (variant == 3) {
        solved = SolveCone(small, large, -half, half, coneLength, cone);
    } else if (startCut != 0 || endCut != 0) {
        solved = SolveCone(small, large, endCut, startCut, coneLength, cone);
    } else {
        // The right frustum.
        const double apex = 2 * std::atan(((large - small) / 2) / coneLength);
        cone.baseAngle = (Pi - apex) / 2;
        cone.radius = large / 2;
        cone.apexHeight = cone.radius * std::tan(cone.baseAngle);
        cone.rise = variant == 1 ? cone.radius * std::tan(std::fabs(a2r)) : 0;
    }
    if (!solved) return refuse(solveLarge > solveSmall ? ErrConeTooFlat : ErrConeTooSharp);
    const double base = cone.baseAngle;
    const double apex = Pi - 2 * base;
    out.ApexAngle = static_cast<float>(apex);
    out.BaseAngle = static_cast<float>(base);
    out.PieceAngle = static_cast<float>(theta);
    out.HalfPieceAngle = static_cast<float>(half);
    out.Bend = static_cast<float>(bend);

    std::int16_t angleError = 0;
    double sweep = bend;
    if (variant == 3) {
        const double startChord = C(R, Ls, Pi / 2 - half);
        const double startAngle = T(Ls, R, startChord);
        const double endChord = C(R, Le, Pi / 2 - half);
        const double endAngle = T(Le, R, endChord);
        out.StartConnectionChord = static_cast<float>(startChord);
        out.StartConnectionAngle = static_cast<float>(startAngle);
        out.EndConnectionChord = static_cast<float>(endChord);
        out.EndConnectionAngle = static_cast<float>(endAngle);
        if (!startConnection.cylindrical) {
            const int m = CheckConeElbowAngle(static_cast<float>(startConnection.baseAngle), static_cast<float>(a1r),
                                              static_cast<float>(-half),
                                              static_cast<float>(startConnection.apexAngle), angleError);
            if (m != 0) return refuse(m);
        }
        if (const int m = CheckConeElbowAngle(static_cast<float>(base), static_cast<float>(a1r),
                                              static_cast<float>(a2r), static_cast<float>(apex), angleError);
            m != 0) {
            return refuse(m);
        }
        if (!endConnection.cylindrical) {
            const int m = CheckConeElbowAngle(static_cast<float>(endConnection.baseAngle), static_cast<float>(half),
                                              static_cast<float>(a2r), static_cast<float>(endConnection.apexAngle),
                                              angleError);
            if (m != 0) return refuse(m);
        }
        sweep = bend + startAngle + endAngle;
    } else {
        const int m = CheckConeElbowAngle(static_cast<float>(base), 0, 0, static_cast<float>(apex), angleError);
        if (m != 0) return refuse(m);
    }
    out.Sweep = static_cast<float>(sweep);

    // Faces: radii from the bend centre, then the corners.
    const double ha = cone.apexHeight - cone.rise;  // apex to the large end's axis point
    const double hs = ha - coneLength;              // apex to the small end's axis point
    FaceRadii outerR{}, innerR{};
    Point startOuter, startInner, endOuter, endInner;
    double betaO = 0, betaI = 0, gammaO = 0, gammaI = 0;  // corners' angles at the bend centre
    double endRise = cone.rise;
    // The half faces and joints the side view draws.
    double startOuterHalf = 0, startInnerHalf = 0, endOuterHalf = 0, endInnerHalf = 0;
    double startJointOuter = 0, startJointInner = 0, endJointOuter = 0, endJointInner = 0;
    double startFaceWidth = 0, endFaceWidth = 0;

    auto startFace = [&](double outerHalf, double innerHalf) {
        startOuter = {-outerHalf * std::cos(a1r), -outerHalf * std::sin(a1r)};
        startInner = {innerHalf * std::cos(a1r), innerHalf * std::sin(a1r)};
        outerR[K + 1] = DistanceFromCentre(startOuter, R);
        innerR[K + 1] = DistanceFromCentre(startInner, R);
        betaI = T(innerHalf, innerR[K + 1], R);
        betaO = T(outerHalf, outerR[K + 1], R);
    };
    auto endFaceAngles = [&](double outerHalf, double innerHalf) {
        innerR[1] = C(R, innerHalf, std::fabs(a2r));
        outerR[1] = C(R, outerHalf, Pi - std::fabs(a2r));
        gammaI = Sgn(a2r) * T(innerHalf, innerR[1], R);
        gammaO = Sgn(a2r) * T(outerHalf, outerR[1], R);
    };

    if (variant == 2) {
        startOuterHalf = S(hs, apex / 2, base + startCut);
        startInnerHalf = small - startOuterHalf;
        startJointOuter = S(hs, apex / 2, base + half);
        startJointInner = S(hs, apex / 2, base - half);
        startFaceWidth = startJointOuter + startJointInner;
        endOuterHalf = S(ha, apex / 2, base + endCut);
        endInnerHalf = large - endOuterHalf;
        endJointOuter = S(ha, apex / 2, base - half);
        endJointInner = S(ha, apex / 2, base + half);
        endFaceWidth = endJointOuter + endJointInner;
        startFace(startOuterHalf, startInnerHalf);
        // Measured from the first piece's axis normal, with the start cut's
        // sign, as the end face's angles are.
        betaO = half + Sgn(a1r) * betaO;
        betaI = half - Sgn(a1r) * betaI;
        endFaceAngles(endOuterHalf, endInnerHalf);
        const double dO = (endJointOuter - startJointOuter) * theta / sweep;
        const double dI = (endJointInner - startJointInner) * theta / sweep;
        for (int j = 1; j <= n - 1; ++j) {
            outerR[n - j + 1] = R + startJointOuter + dO * j;
            innerR[n - j + 1] = R - startJointInner - dI * j;
        }
    } else if (variant == 1) {
        if (optionS) {
            startOuterHalf = startInnerHalf = (small / 2) / std::cos(a1r);
            startFaceWidth = small;
            endOuterHalf = endInnerHalf = (large / 2) / std::cos(a2r);
            endFaceWidth = large;
            endRise = endOuterHalf * std::sin(std::fabs(a2r));
        } else {
            startOuterHalf = S(hs, apex / 2, base + a1r);
            startInnerHalf = small - startOuterHalf;
            startFaceWidth = 2 * std::tan(apex / 2) * hs;
            endOuterHalf = S(ha, apex / 2, base + a2r);
            endInnerHalf = large - endOuterHalf;
            endFaceWidth = 2 * std::tan(apex / 2) * ha;
        }
        startFace(startOuterHalf, startInnerHalf);
        endFaceAngles(endOuterHalf, endInnerHalf);
        if (optionS) {
            // The cylinder's axis meets the joint a tangent length R tan(theta / 2)
            // from the start, not half a piece's arc (L / (2n - 2)), which puts
            // the joint off the cylinder for coarse pieces.
            const double h = R * std::tan(half);
            const double c = std::hypot(h, R);
            const double w1 = sk + d / std::cos(half), w2 = sk + D / std::cos(half);
            outerR[n] = c + w1 / 2;
            innerR[n] = c - w1 / 2;
            outerR[2] = c + w2 / 2;
            innerR[2] = c - w2 / 2;
        } else {
            const double w1 = startFaceWidth, w2 = endFaceWidth;
            const double mu = (apex + Pi) / 2;
            outerR[n] = S(R + w1 / 2, mu, Pi - mu - half);
            innerR[n] = S(R - w1 / 2, base, Pi - base - half);
            outerR[2] = S(R + w2 / 2, base, Pi - base - half);
            innerR[2] = S(R - w2 / 2, mu, Pi - mu - half);
        }
        const double dO = (outerR[2] - outerR[n]) * theta / (sweep - theta);
        const double dI = (innerR[n] - innerR[2]) * theta / (sweep - theta);
        for (int j = 2; j <= n - 2; ++j) {
            outerR[n - j + 1] = outerR[n] + dO * (j - 1);
            innerR[n - j + 1] = innerR[n] - dI * (j - 1);
        }
    } else {
        startOuterHalf = S(hs, apex / 2, base + half);
        startInnerHalf = small - startOuterHalf;
        endOuterHalf = S(ha, apex / 2, base - half);
        endInnerHalf = large - endOuterHalf;
        startFaceWidth = small;
        endFaceWidth = large;
        const int bodyStart = n + 2;
        outerR[bodyStart] = R + startOuterHalf;
        innerR[bodyStart] = R - startInnerHalf;
        outerR[2] = R + endOuterHalf;
        innerR[2] = R - endInnerHalf;
        // Both sides run evenly from the body's start face to its end face.
        const double dO = (outerR[2] - outerR[bodyStart]) * theta / bend;
        const double dI = (innerR[bodyStart] - innerR[2]) * theta / bend;
        for (int j = 1; j <= n - 1; ++j) {
            outerR[bodyStart - j] = outerR[bodyStart] + dO * j;
            innerR[bodyStart - j] = innerR[bodyStart] - dI * j;
        }
        // The start connection's outer face, placed back along its own axis.
        double outerHalf, innerHalf;
        if (startConnection.cylindrical) {
            outerHalf = innerHalf = (startConnection.workingDiameter / 2) / std::cos(a1r);
        } else {
            const BodyCone& c = startConnection.cone;
            outerHalf = S(c.apexHeight - Ls - c.rise, (Pi - 2 * c.baseAngle) / 2, c.baseAngle + a1r);
            innerHalf = sk + a.P13 - outerHalf;
        }
        const double sh = Pi / 2 - half;
        startOuter = Turned(-outerHalf * std::cos(a1r), -outerHalf * std::sin(a1r), half, Ls * std::cos(sh),
                            -Ls * std::sin(sh));
        startInner = Turned(innerHalf * std::cos(a1r), innerHalf * std::sin(a1r), half, Ls * std::cos(sh),
                            -Ls * std::sin(sh));
        outerR[K + 1] = DistanceFromCentre(startOuter, R);
        innerR[K + 1] = DistanceFromCentre(startInner, R);
        // The end connection mirrors it: it leaves the body's end face turned
        // by half a piece angle further, with the outer face of its own cone.
        if (endConnection.cylindrical) {
            outerHalf = innerHalf = (endConnection.workingDiameter / 2) / std::cos(a2r);
        } else {
            const BodyCone& c = endConnection.cone;
            outerHalf = S(c.apexHeight - c.rise, (Pi - 2 * c.baseAngle) / 2, c.baseAngle + a2r);
            innerHalf = sk + a.P14 - outerHalf;
        }
        const double turn = -(bend + half);
        const double ex = R * (1 - std::cos(bend)), ey = R * std::sin(bend);
        endOuter = Turned(-outerHalf * std::cos(a2r), Le - outerHalf * std::sin(a2r), turn, ex, ey);
        endInner = Turned(innerHalf * std::cos(a2r), Le + innerHalf * std::sin(a2r), turn, ex, ey);
        innerR[1] = C(R, innerHalf, std::fabs(a2r));
        outerR[1] = C(R, outerHalf, Pi - std::fabs(a2r));
    }
    out.StartOuterHalf = static_cast<float>(startOuterHalf);
    out.StartInnerHalf = static_cast<float>(startInnerHalf);
    out.EndOuterHalf = static_cast<float>(endOuterHalf);
    out.EndInnerHalf = static_cast<float>(endInnerHalf);
    out.StartJointOuter = static_cast<float>(startJointOuter);
    out.StartJointInner = static_cast<float>(startJointInner);
    out.EndJointOuter = static_cast<float>(endJointOuter);
    out.EndJointInner = static_cast<float>(endJointInner);
    out.StartFaceWidth = static_cast<float>(startFaceWidth);
    out.EndFaceWidth = static_cast<float>(endFaceWidth);

    // Placing the faces; heights and cuts of the pieces between them.
    Faces faces;
    std::array<double, ElbowEntryLast + 2> height{}, startCuts{}, endCuts{};
    auto setFace = [&](int f, Point outer, Point inner) {
        faces.outer[f] = outer;
        faces.inner[f] = inner;
    };
    double faceAngle = variant == 1 ? half : (variant == 2 ? theta : 0);
    setFace(K + 1, startOuter, startInner);
    for (int f = K; f >= 2; --f) {
        setFace(f, Polar(R, outerR[f], faceAngle), Polar(R, innerR[f], faceAngle));
        height[f] = (outerR[f] + outerR[f + 1]) * std::sin(half);
        startCuts[f] = half;
        endCuts[f] = -half;
        faceAngle += theta;
    }
    if (variant == 3) {
        height[K] = startConnection.height;
        height[1] = endConnection.height;
        setFace(1, endOuter, endInner);
    } else {
        setFace(1, Polar(R, outerR[1], sweep - gammaO), Polar(R, innerR[1], sweep + gammaI));
        height[n] = outerR[n] * std::sin(half) +
                    (startCut >= 0 ? outerR[n + 1] * std::sin(betaO) : innerR[n + 1] * std::sin(betaI));
        if (variant == 1) {
            height[1] = outerR[2] * std::sin(half) + endRise;
        } else {
            height[1] = outerR[2] * std::sin(half) +
                        (endCut > 0 ? innerR[1] * std::sin(gammaI + half) : outerR[1] * std::sin(half - gammaO));
        }
    }
    startCuts[1] = half;
    startCuts[K] = startCut;
    endCuts[1] = endCut;

    // The pieces: diameters from the faces.
    std::array<double, ElbowEntryLast + 2> smallDiameter{}, largeDiameter{};
    smallDiameter[K] = variant == 3 ? a.P13 : d;
    largeDiameter[K] = faces.Width(K) - sk;
    for (int e = K - 1; e >= 2; --e) {
        smallDiameter[e] = faces.Width(e + 1) - sk;
        largeDiameter[e] = faces.Width(e) - sk;
    }
    smallDiameter[1] = faces.Width(2) - sk;
    largeDiameter[1] = variant == 3 ? a.P14 : D;

    // Rounded once into the elbow's arrays.
    for (int f = 1; f <= K + 1; ++f) {
        out.FaceOuterX[f] = static_cast<float>(faces.outer[f].x);
        out.FaceOuterY[f] = static_cast<float>(faces.outer[f].y);
        out.FaceInnerX[f] = static_cast<float>(faces.inner[f].x);
        out.FaceInnerY[f] = static_cast<float>(faces.inner[f].y);
    }
    for (int e = 1; e <= K; ++e) {
        out.PieceHeight[e] = static_cast<float>(height[e]);
        out.PieceStartCut[e] = static_cast<float>(startCuts[e]);
        out.PieceEndCut[e] = static_cast<float>(endCuts[e]);
        out.PieceSmallDiameter[e] = static_cast<float>(smallDiameter[e]);
        out.PieceLargeDiameter[e] = static_cast<float>(largeDiameter[e]);
    }

    auto develop = [&](int e) {
        const bool cylinder = (e == K && a.cylindricalStart) || (e == 1 && a.cylindricalEnd);
        if (cylinder) {
            double lowestTop = 0;
            float bottomRise = 0;
            const float diameter = e == K ? out.PieceSmallDiameter[e] : out.PieceLargeDiameter[e];
            ComputeCutHeightsWithThickness(out.PieceHeight[e], diameter, out.Thickness, out.PieceEndCut[e],
                                           out.PieceStartCut[e], settings.ThicknessFactor, lowestTop, bottomRise,
                                           out.PieceAxisLength[e], out.ElbowError);
            return;
        }
        float apexDeg = 0;
        double baseAngle = 0, radius = 0, offset = 0, inset = 0, axis = 0, height2 = 0;
        ComputeConeAngle(height[e], sk + smallDiameter[e], sk + largeDiameter[e], endCuts[e], startCuts[e], 1,
                         baseAngle, apexDeg, radius, height2, offset, inset, axis, 0, out.ElbowError);
        out.PieceAxisLength[e] = static_cast<float>(axis);
    };
    develop(K);
    for (int e = K - 1; e >= 2; --e) develop(e);
    develop(1);

    if (const int m = CheckNonZero(out.ElbowError); m != 0) return refuse(m);
    if (!AllFinite(out)) return refuse(ErrConeElbowPiece);
    data[13] = static_cast<float>(apex * 180 / Pi);
    return 0;
}

}  // namespace velm
