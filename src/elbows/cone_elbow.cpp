#include "elbows/cone_elbow.h"

#include <array>
#include <cmath>

#include "elbows/elbow_messages.h"
#include "elbows/plane_geometry.h"
#include "geometry/angles.h"
#include "geometry/cone_geometry.h"
#include "geometry/cylinder_geometry.h"
#include "geometry/law_of_cosines.h"

namespace velm {

namespace {

using FaceRadii = std::array<float, ElbowEntryLast + 2>;

float S(float a, float alpha, float beta) { return static_cast<float>(LawOfSinesSide(a, alpha, beta)); }
float C(float a, float b, float gamma) { return static_cast<float>(LawOfCosinesSide(a, b, gamma)); }
float T(float a, float b, float c) { return static_cast<float>(AngleFromThreeSides(a, b, c)); }
float Sgn(float v) { return static_cast<float>((v > 0) - (v < 0)); }
float Sin(float a) { return static_cast<float>(std::sin(static_cast<double>(a))); }
float Cos(float a) { return static_cast<float>(std::cos(static_cast<double>(a))); }
float Tan(float a) { return static_cast<float>(std::tan(static_cast<double>(a))); }

// What the windows pass, by variant.
struct Arguments {
    float s, d, a1, D, a2, A, L, R, n, P13, P14;
    bool cylindricalStart = false, cylindricalEnd = false;
};

Arguments ArgumentsOf(int variant, const ConeElbowArray& data, const EndConnectionArray& c,
                      const std::string& cylindricalEnds) {
    Arguments a{data[1], data[2], data[3], data[4], data[5], data[6], data[7], data[8], data[9], 0, 0};
    if (variant == 1) {
        a.cylindricalStart = a.cylindricalEnd = cylindricalEnds == "S";
    } else if (variant == 3) {
        // Each record lists its diameters from the elbow's start towards its end.
        a.cylindricalStart = c[1] == 1;
        a.cylindricalEnd = c[6] == 1;
        a.d = a.cylindricalStart ? 0 : c[5];
        a.a1 = c[3];
        a.D = a.cylindricalEnd ? 0 : c[7];
        a.a2 = c[8];
        a.P13 = c[2];
        a.P14 = a.cylindricalEnd ? c[7] : c[10];
    }
    return a;
}

// The body's cone as the solver leaves it.
struct BodyCone {
    float radius = 0, apexHeight = 0, baseAngle = 0, rise = 0, offset = 0;
    double height1 = 0, height2 = 0;
};

bool SolveCone(float D1, float D2, float lowerCut, float upperCut, float H, BodyCone& c) {
    std::int16_t flag = 0;
    SolveConeHalfAngle(D1, D2, lowerCut, upperCut, H, 1, c.radius, c.apexHeight, c.baseAngle, c.rise, c.height1,
                       c.height2, c.offset, flag);
    return flag == 0;
}

// A connection checked and solved as it is built: its enclosing height, and
// for a conical one its cone and its angles.
struct Connection {
    bool cylindrical = false;
    float workingDiameter = 0;  // a cylinder's
    float height = 0;
    BodyCone cone;
    float baseAngle = 0;   // from the exact angles
    float apexAngle = 0;   // radians
};

bool BuildConnection(bool cylindrical, float length, float D1, float D2, float lowerCut, float upperCut,
                     Connection& c) {
    c.cylindrical = cylindrical;
    std::int16_t flag = 0;
    if (cylindrical) {
        c.workingDiameter = D1;
        double lowestTop = 0;
        float bottomRise = 0;
        ComputeCutHeightsFromAxis(length, D1, lowerCut, upperCut, c.height, lowestTop, bottomRise, flag);
        return flag == 0;
    }
    if (!SolveCone(D1, D2, lowerCut, upperCut, length, c.cone)) return false;
    c.height = static_cast<float>(c.cone.height1);
    float apexDeg = 0;
    double baseAngle = 0, radius = 0, offset = 0, inset = 0, axis = 0, height2 = 0;
    ComputeConeAngle(c.height, D1, D2, lowerCut, upperCut, 1, baseAngle, apexDeg, radius, height2, offset,
                     inset, axis, length, flag);
    c.baseAngle = static_cast<float>(baseAngle);
    c.apexAngle = static_cast<float>(apexDeg * DegToRad);
    return flag == 0;
}

float FaceWidth(const LastElbow& e, int k) {
    return static_cast<float>(PointDistance(e.FaceOuterX[k], e.FaceOuterY[k], e.FaceInnerX[k], e.FaceInnerY[k]));
}

void SetFace(LastElbow& e, int k, PlanePoint outer, PlanePoint inner) {
    e.FaceOuterX[k] = outer.x;
    e.FaceOuterY[k] = outer.y;
    e.FaceInnerX[k] = inner.x;
    e.FaceInnerY[k] = inner.y;
}

// The point at distance r from the bend centre (R, 0), at polar angle phi.
PlanePoint Polar(float R, float r, float phi) { return {R - r * Cos(phi), r * Sin(phi)}; }

float DistanceFromCentre(PlanePoint p, float R) { return static_cast<float>(PointDistance(p.x, p.y, R, 0)); }

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

    const float inputs[] = {a.s, a.d, a.a1, a.D, a.a2, a.A, a.L, a.R, a.P13, a.P14, connections[4], connections[9]};
    for (float v : inputs) {
        if (!std::isfinite(v)) return refuse(ErrConeElbowPiece);
    }
    const double unit = settings.MeasuringSystem != 0 ? 25.4 : 1.0;
    // Slack for a limit typed with the unit's decimals.
    const double minRadius = settings.Limits.ConeElbowRadiusLimit.Min / unit * (1 - 1e-4);
    if (!(a.A >= 10 && a.A <= 180) || !(a.R >= minRadius)) return refuse(ErrConeElbowPiece);

    const float k = static_cast<float>(settings.ThicknessFactor);
    const float sk = a.s * k;
    const float R = a.R;
    const float a1r = static_cast<float>(a.a1 * DegToRad);
    const float a2r = static_cast<float>(a.a2 * DegToRad);
    const float bend = static_cast<float>(a.A * DegToRad);
    const bool optionS = variant == 1 && a.cylindricalStart;

    float d = a.d, D = a.D;
    float theta = 0, coneLength = a.L, startCut = a1r, endCut = a2r;
    BodyCone cone;
    bool solved = true;
    Connection startConnection, endConnection;

    if (variant == 1) {
        theta = static_cast<float>(a.A * DegToRad / (n - 1));
        const float h = a.L / static_cast<float>(2 * n - 2);
        if (optionS) coneLength = static_cast<float>(2 * n - 4) * h;
    } else if (variant == 2) {
        theta = static_cast<float>(a.A * DegToRad / n);
        // Full end pieces: the cone's own ends lie half a piece angle away.
        startCut = a1r + theta / 2;
        endCut = a2r - theta / 2;
        const double limit = 89.9 * DegToRad;
        if (!(std::fabs(startCut) < limit)) return refuse(ErrStartCutSteep);
        if (!(std::fabs(endCut) < limit)) return refuse(ErrEndCutSteep);
    } else {
        theta = static_cast<float>(a.A * DegToRad / n);
        const float half = theta / 2;
        // Each connection is checked with the joint cut it is built with.
        if (!BuildConnection(a.cylindricalStart, connections[4], sk + a.P13, sk + d, -half, a1r, startConnection)) {
            return refuse(ErrStartConnection);
        }
        if (!BuildConnection(a.cylindricalEnd, connections[9], a.cylindricalEnd ? sk + a.P14 : sk + D, sk + a.P14,
                             a2r, half, endConnection)) {
            return refuse(ErrEndConnection);
        }
        // A cylindrical connection meets the body on a face tilted by half a
        // piece angle: the body's end is that face, rounded to 4 decimals.
        if (a.cylindricalStart) d = static_cast<float>(std::floor(a.P13 / Cos(half) * 10000 + 0.5) / 10000);
        if (a.cylindricalEnd) D = static_cast<float>(std::floor(a.P14 / Cos(half) * 10000 + 0.5) / 10000);
    }
    const float half = theta / 2;
    const float small = sk + d;
    const float large = sk + D;

    // The body's cone.
    float solveSmall = small, solveLarge = large;
    if (optionS) {
        solveSmall = sk + d / Cos(half);
        solveLarge = sk + D / Cos(half);
        solved = SolveCone(solveSmall, solveLarge, -half, half, coneLength, cone);
    } else if (variant == 3) {
        solved = SolveCone(small, large, -half, half, coneLength, cone);
    } else if (startCut != 0 || endCut != 0) {
        solved = SolveCone(small, large, endCut, startCut, coneLength, cone);
    } else {
        // The right frustum.
        const float apex = static_cast<float>(2 * std::atan(((large - small) / 2) / coneLength));
        cone.baseAngle = static_cast<float>((Pi - apex) / 2);
        cone.radius = large / 2;
        cone.apexHeight = cone.radius * Tan(cone.baseAngle);
        cone.rise = variant == 1 ? cone.radius * Tan(std::fabs(a2r)) : 0;
    }
    if (!solved) return refuse(solveLarge > solveSmall ? ErrConeTooFlat : ErrConeTooSharp);
    const float base = cone.baseAngle;
    const float apex = static_cast<float>(Pi - 2 * static_cast<double>(base));
    out.ApexAngle = apex;
    out.BaseAngle = base;
    out.PieceAngle = theta;
    out.HalfPieceAngle = half;
    out.Bend = bend;

    std::int16_t angleError = 0;
    if (variant == 3) {
        out.StartConnectionChord = C(R, connections[4], static_cast<float>(Pi / 2) - half);
        out.StartConnectionAngle = T(connections[4], R, out.StartConnectionChord);
        out.EndConnectionChord = C(R, connections[9], static_cast<float>(Pi / 2) - half);
        out.EndConnectionAngle = T(connections[9], R, out.EndConnectionChord);
        if (!startConnection.cylindrical) {
            const int m = CheckConeElbowAngle(startConnection.baseAngle, a1r, -half, startConnection.apexAngle,
                                              angleError);
            if (m != 0) return refuse(m);
        }
        if (const int m = CheckConeElbowAngle(base, a1r, a2r, apex, angleError); m != 0) return refuse(m);
        if (!endConnection.cylindrical) {
            const int m = CheckConeElbowAngle(endConnection.baseAngle, half, a2r, endConnection.apexAngle,
                                              angleError);
            if (m != 0) return refuse(m);
        }
        out.Sweep = bend + out.StartConnectionAngle + out.EndConnectionAngle;
    } else {
        if (const int m = CheckConeElbowAngle(base, 0, 0, apex, angleError); m != 0) return refuse(m);
        out.Sweep = bend;
    }

    // Faces: radii from the bend centre, then the corners.
    const float ha = cone.apexHeight - cone.rise;  // apex to the large end's axis point
    const float hs = ha - coneLength;              // apex to the small end's axis point
    FaceRadii outerR{}, innerR{};
    PlanePoint startOuter, startInner, endOuter, endInner;
    float betaO = 0, betaI = 0, gammaO = 0, gammaI = 0;  // corners' angles at the bend centre
    float endRise = cone.rise;

    auto startFace = [&](float outerHalf, float innerHalf) {
        startOuter = {-outerHalf * Cos(a1r), -outerHalf * Sin(a1r)};
        startInner = {innerHalf * Cos(a1r), innerHalf * Sin(a1r)};
        outerR[K + 1] = DistanceFromCentre(startOuter, R);
        innerR[K + 1] = DistanceFromCentre(startInner, R);
        betaI = T(innerHalf, innerR[K + 1], R);
        betaO = T(outerHalf, outerR[K + 1], R);
    };
    auto endFaceAngles = [&](float outerHalf, float innerHalf) {
        innerR[1] = C(R, innerHalf, std::fabs(a2r));
        outerR[1] = C(R, outerHalf, static_cast<float>(Pi) - std::fabs(a2r));
        gammaI = Sgn(a2r) * T(innerHalf, innerR[1], R);
        gammaO = Sgn(a2r) * T(outerHalf, outerR[1], R);
    };

    if (variant == 2) {
        out.StartOuterHalf = S(hs, apex / 2, base + startCut);
        out.StartInnerHalf = small - out.StartOuterHalf;
        out.StartJointOuter = S(hs, apex / 2, base + half);
        out.StartJointInner = S(hs, apex / 2, base - half);
        out.StartFaceWidth = out.StartJointOuter + out.StartJointInner;
        out.EndOuterHalf = S(ha, apex / 2, base + endCut);
        out.EndInnerHalf = large - out.EndOuterHalf;
        out.EndJointOuter = S(ha, apex / 2, base - half);
        out.EndJointInner = S(ha, apex / 2, base + half);
        out.EndFaceWidth = out.EndJointOuter + out.EndJointInner;
        startFace(out.StartOuterHalf, out.StartInnerHalf);
        // Measured from the first piece's axis normal, with the start cut's
        // sign, as the end face's angles are.
        betaO = half + Sgn(a1r) * betaO;
        betaI = half - Sgn(a1r) * betaI;
        endFaceAngles(out.EndOuterHalf, out.EndInnerHalf);
        const float dO = (out.EndJointOuter - out.StartJointOuter) * theta / out.Sweep;
        const float dI = (out.EndJointInner - out.StartJointInner) * theta / out.Sweep;
        for (int j = 1; j <= n - 1; ++j) {
            outerR[n - j + 1] = R + out.StartJointOuter + dO * static_cast<float>(j);
            innerR[n - j + 1] = R - out.StartJointInner - dI * static_cast<float>(j);
        }
    } else if (variant == 1) {
        if (optionS) {
            out.StartOuterHalf = out.StartInnerHalf = (small / 2) / Cos(a1r);
            out.StartFaceWidth = small;
            out.EndOuterHalf = out.EndInnerHalf = (large / 2) / Cos(a2r);
            out.EndFaceWidth = large;
            endRise = out.EndOuterHalf * Sin(std::fabs(a2r));
        } else {
            out.StartOuterHalf = S(hs, apex / 2, base + a1r);
            out.StartInnerHalf = small - out.StartOuterHalf;
            out.StartFaceWidth = 2 * Tan(apex / 2) * hs;
            out.EndOuterHalf = S(ha, apex / 2, base + a2r);
            out.EndInnerHalf = large - out.EndOuterHalf;
            out.EndFaceWidth = 2 * Tan(apex / 2) * ha;
        }
        startFace(out.StartOuterHalf, out.StartInnerHalf);
        endFaceAngles(out.EndOuterHalf, out.EndInnerHalf);
        if (optionS) {
            // The cylinder's axis meets the joint a tangent length R tan(theta / 2)
            // from the start, not half a piece's arc (L / (2n - 2)), which puts
            // the joint off the cylinder for coarse pieces.
            const float h = R * Tan(half);
            const float c = static_cast<float>(std::sqrt(static_cast<double>(h) * h + static_cast<double>(R) * R));
            const float w1 = sk + d / Cos(half), w2 = sk + D / Cos(half);
            outerR[n] = c + w1 / 2;
            innerR[n] = c - w1 / 2;
            outerR[2] = c + w2 / 2;
            innerR[2] = c - w2 / 2;
        } else {
            const float w1 = out.StartFaceWidth, w2 = out.EndFaceWidth;
            const float mu = static_cast<float>((apex + Pi) / 2);
            const float pi = static_cast<float>(Pi);
            outerR[n] = S(R + w1 / 2, mu, pi - mu - half);
            innerR[n] = S(R - w1 / 2, base, pi - base - half);
            outerR[2] = S(R + w2 / 2, base, pi - base - half);
            innerR[2] = S(R - w2 / 2, mu, pi - mu - half);
        }
        const float dO = (outerR[2] - outerR[n]) * theta / (out.Sweep - theta);
        const float dI = (innerR[n] - innerR[2]) * theta / (out.Sweep - theta);
        for (int j = 2; j <= n - 2; ++j) {
            outerR[n - j + 1] = outerR[n] + dO * static_cast<float>(j - 1);
            innerR[n - j + 1] = innerR[n] - dI * static_cast<float>(j - 1);
        }
    } else {
        out.StartOuterHalf = S(hs, apex / 2, base + half);
        out.StartInnerHalf = small - out.StartOuterHalf;
        out.EndOuterHalf = S(ha, apex / 2, base - half);
        out.EndInnerHalf = large - out.EndOuterHalf;
        out.StartFaceWidth = small;
        out.EndFaceWidth = large;
        const int bodyStart = n + 2;
        outerR[bodyStart] = R + out.StartOuterHalf;
        innerR[bodyStart] = R - out.StartInnerHalf;
        outerR[2] = R + out.EndOuterHalf;
        innerR[2] = R - out.EndInnerHalf;
        // Both sides run evenly from the body's start face to its end face.
        const float dO = (outerR[2] - outerR[bodyStart]) * theta / bend;
        const float dI = (innerR[bodyStart] - innerR[2]) * theta / bend;
        for (int j = 1; j <= n - 1; ++j) {
            outerR[bodyStart - j] = outerR[bodyStart] + dO * static_cast<float>(j);
            innerR[bodyStart - j] = innerR[bodyStart] - dI * static_cast<float>(j);
        }
        // The start connection's outer face, placed back along its own axis.
        float outerHalf, innerHalf;
        const float Ls = connections[4];
        if (startConnection.cylindrical) {
            outerHalf = innerHalf = (startConnection.workingDiameter / 2) / Cos(a1r);
        } else {
            const BodyCone& c = startConnection.cone;
            outerHalf = S(c.apexHeight - Ls - c.rise, static_cast<float>((Pi - 2 * c.baseAngle) / 2),
                          c.baseAngle + a1r);
            innerHalf = sk + a.P13 - outerHalf;
        }
        const float sh = static_cast<float>(Pi / 2) - half;
        startOuter = RotateTranslatePoint(-outerHalf * Cos(a1r), -outerHalf * Sin(a1r), half, Ls * Cos(sh),
                                          -Ls * Sin(sh));
        startInner = RotateTranslatePoint(innerHalf * Cos(a1r), innerHalf * Sin(a1r), half, Ls * Cos(sh),
                                          -Ls * Sin(sh));
        outerR[K + 1] = DistanceFromCentre(startOuter, R);
        innerR[K + 1] = DistanceFromCentre(startInner, R);
        // The end connection mirrors it: it leaves the body's end face turned
        // by half a piece angle further, with the outer face of its own cone.
        const float Le = connections[9];
        if (endConnection.cylindrical) {
            outerHalf = innerHalf = (endConnection.workingDiameter / 2) / Cos(a2r);
        } else {
            const BodyCone& c = endConnection.cone;
            outerHalf = S(c.apexHeight - c.rise, static_cast<float>((Pi - 2 * c.baseAngle) / 2), c.baseAngle + a2r);
            innerHalf = sk + a.P14 - outerHalf;
        }
        const float turn = -(bend + half);
        const float ex = R * (1 - Cos(bend)), ey = R * Sin(bend);
        endOuter = RotateTranslatePoint(-outerHalf * Cos(a2r), Le - outerHalf * Sin(a2r), turn, ex, ey);
        endInner = RotateTranslatePoint(innerHalf * Cos(a2r), Le + innerHalf * Sin(a2r), turn, ex, ey);
        innerR[1] = C(R, innerHalf, std::fabs(a2r));
        outerR[1] = C(R, outerHalf, static_cast<float>(Pi) - std::fabs(a2r));
    }

    // Placing the faces.
    float faceAngle = variant == 1 ? half : (variant == 2 ? theta : 0);
    SetFace(out, K + 1, startOuter, startInner);
    for (int f = K; f >= 2; --f) {
        SetFace(out, f, Polar(R, outerR[f], faceAngle), Polar(R, innerR[f], faceAngle));
        out.PieceHeight[f] = (outerR[f] + outerR[f + 1]) * Sin(half);
        out.PieceStartCut[f] = half;
        out.PieceEndCut[f] = -half;
        faceAngle += theta;
    }
    if (variant == 3) {
        out.PieceHeight[K] = startConnection.height;
        out.PieceHeight[1] = endConnection.height;
        SetFace(out, 1, endOuter, endInner);
    } else {
        SetFace(out, 1, Polar(R, outerR[1], out.Sweep - gammaO), Polar(R, innerR[1], out.Sweep + gammaI));
        out.PieceHeight[n] = outerR[n] * Sin(half) +
                             (startCut >= 0 ? outerR[n + 1] * Sin(betaO) : innerR[n + 1] * Sin(betaI));
        if (variant == 1) {
            out.PieceHeight[1] = outerR[2] * Sin(half) + endRise;
        } else {
            out.PieceHeight[1] = outerR[2] * Sin(half) + (endCut > 0 ? innerR[1] * Sin(gammaI + half)
                                                                      : outerR[1] * Sin(half - gammaO));
        }
    }
    out.PieceStartCut[1] = half;

    // The pieces: diameters from the faces, cuts, axis lengths.
    out.PieceSmallDiameter[K] = variant == 3 ? a.P13 : d;
    out.PieceLargeDiameter[K] = FaceWidth(out, K) - sk;
    out.PieceStartCut[K] = startCut;
    for (int e = K - 1; e >= 2; --e) {
        out.PieceSmallDiameter[e] = FaceWidth(out, e + 1) - sk;
        out.PieceLargeDiameter[e] = FaceWidth(out, e) - sk;
    }
    out.PieceSmallDiameter[1] = FaceWidth(out, 2) - sk;
    out.PieceLargeDiameter[1] = variant == 3 ? a.P14 : D;
    out.PieceEndCut[1] = endCut;

    auto develop = [&](int e) {
        const bool cylinder = (e == K && a.cylindricalStart) || (e == 1 && a.cylindricalEnd);
        if (cylinder) {
            double lowestTop = 0;
            float bottomRise = 0;
            const float diameter = e == K ? out.PieceSmallDiameter[e] : out.PieceLargeDiameter[e];
            ComputeCutHeightsWithThickness(out.PieceHeight[e], diameter, a.s, out.PieceEndCut[e],
                                           out.PieceStartCut[e], settings.ThicknessFactor, lowestTop, bottomRise,
                                           out.PieceAxisLength[e], out.ElbowError);
            return;
        }
        float apexDeg = 0;
        double baseAngle = 0, radius = 0, offset = 0, inset = 0, axis = 0, height2 = 0;
        ComputeConeAngle(out.PieceHeight[e], sk + out.PieceSmallDiameter[e], sk + out.PieceLargeDiameter[e],
                         out.PieceEndCut[e], out.PieceStartCut[e], 1, baseAngle, apexDeg, radius, height2, offset,
                         inset, axis, 0, out.ElbowError);
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
