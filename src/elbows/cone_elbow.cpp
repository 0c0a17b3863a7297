#include "elbows/cone_elbow.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "core/input_fields.h"
#include "core/number_text.h"
#include "core/unit_conversion.h"
#include "elbows/elbow_inputs.h"
#include "elbows/elbow_messages.h"
#include "elbows/plane_geometry.h"
#include "geometry/angles.h"
#include "geometry/cone_geometry.h"
#include "geometry/cylinder_geometry.h"
#include "geometry/law_of_cosines.h"

namespace velm {

using enum ConeElbowLayout;

namespace {

// The side view is computed in double and rounded once into the elbow's
// arrays: a nearly cylindrical piece's development hangs on digits of its
// face widths that single precision drops.
using FaceRadii = std::array<double, ElbowEntryLast + 2>;

struct Point {
    double x = 0, y = 0;
};

double Sign(double v) { return (v > 0) - (v < 0); }

// Turned counter-clockwise about the origin by `angle`, then moved by (dx, dy).
Point Turned(double x, double y, double angle, double dx, double dy) {
    const double c = std::cos(angle), s = std::sin(angle);
    return {x * c - y * s + dx, x * s + y * c + dy};
}

// What the windows pass, by layout, as typed: the body's small and large
// diameters, its start and end cuts and the bend angle in degrees, the
// typed piece count. Between end connections, the diameters at the elbow's
// very start and end, and the connections' lengths.
struct Arguments {
    double thickness, smallDiameter, startCutDegrees, largeDiameter, endCutDegrees, bendDegrees, axisLength,
        bendRadius, startDiameter, endDiameter;
    float pieces;
    bool cylindricalStart = false, cylindricalEnd = false;
    double startLength = 0, endLength = 0;
};

Arguments ArgumentsOf(ConeElbowLayout layout, const ConeElbowInputs& in, const EndConnection& start,
                      const EndConnection& end, bool cylindricalEnds) {
    auto v = [](float x) { return TypedValue(x); };
    Arguments a{v(in.Thickness), v(in.SmallDiameter), v(in.StartCutDegrees), v(in.LargeDiameter),
                v(in.EndCutDegrees), v(in.BendDegrees), v(in.AxisLength), v(in.BendRadius), 0, 0, in.Pieces};
    if (layout == HalfEndPieces) {
        a.cylindricalStart = a.cylindricalEnd = cylindricalEnds;
    } else if (layout == BetweenConnections) {
        // Each record lists its diameters from the elbow's start towards its end.
        a.cylindricalStart = start.Kind == 1;
        a.cylindricalEnd = end.Kind == 1;
        a.smallDiameter = a.cylindricalStart ? 0 : v(start.SecondDiameter);
        a.startCutDegrees = v(start.CutAngle);
        a.largeDiameter = a.cylindricalEnd ? 0 : v(end.Diameter);
        a.endCutDegrees = v(end.CutAngle);
        a.startDiameter = v(start.Diameter);
        a.endDiameter = a.cylindricalEnd ? v(end.Diameter) : v(end.SecondDiameter);
    }
    a.startLength = v(start.Length);
    a.endLength = v(end.Length);
    return a;
}

// Every value a number, the bend angle in 10 to 180 degrees, the bend
// radius not below its limit.
int CheckArguments(const Arguments& a, const DevelopmentSettings& settings) {
    const double inputs[] = {a.thickness,     a.smallDiameter, a.startCutDegrees, a.largeDiameter,
                             a.endCutDegrees, a.bendDegrees,   a.axisLength,      a.bendRadius,
                             a.startDiameter, a.endDiameter, a.startLength, a.endLength};
    for (double v : inputs) {
        if (!std::isfinite(v)) return ErrConeElbowPiece;
    }
    const double unit = settings.MeasuringSystem != 0 ? 25.4 : 1.0;
    // Slack for a limit typed with the unit's decimals.
    const double minRadius = settings.Limits.ConeElbowRadiusLimit.Min / unit * (1 - 1e-4);
    if (!(a.bendDegrees >= 10 && a.bendDegrees <= 180) || !(a.bendRadius >= minRadius)) return ErrConeElbowPiece;
    return 0;
}

// The body's cone: the solver's heights, then its slope and radius from the
// exact angles, in double.
struct BodyCone {
    double radius = 0, apexHeight = 0, baseAngle = 0, rise = 0;
    double height1 = 0, height2 = 0;
};

std::optional<BodyCone> SolveCone(double D1, double D2, double lowerCut, double upperCut, double H) {
    const ConeBody body{D1, D2, upperCut, lowerCut};
    const ConeSolution solution = SolveConeHalfAngle(body, H);
    if (solution.NoBody) return std::nullopt;
    BodyCone c;
    c.height1 = solution.FrustumHeight1;
    const ConeSection section = ComputeConeAngle(body, c.height1, 1, 0);
    c.baseAngle = section.BaseAngle;
    c.radius = section.BaseRadius;
    c.height2 = section.FrustumHeight2;
    c.apexHeight = c.radius * std::tan(c.baseAngle);
    c.rise = c.radius * std::tan(std::fabs(lowerCut));
    // The heights alone decide whether the body exists; the slope is only
    // recomputed from them.
    return c;
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

std::optional<Connection> BuildConnection(bool cylindrical, double length, double D1, double D2, double lowerCut,
                                          double upperCut) {
    Connection c;
    c.cylindrical = cylindrical;
    if (cylindrical) {
        c.workingDiameter = D1;
        const CylinderBody body{static_cast<float>(D1), lowerCut, upperCut};
        const CutHeights heights = ComputeCutHeightsFromAxis(body, static_cast<float>(length));
        c.height = heights.Hmax;
        if (heights.Impossible) return std::nullopt;
        return c;
    }
    const std::optional<BodyCone> cone = SolveCone(D1, D2, lowerCut, upperCut, length);
    if (!cone) return std::nullopt;
    c.cone = *cone;
    c.height = static_cast<float>(c.cone.height1);
    const ConeSection section = ComputeConeAngle(ConeBody{D1, D2, upperCut, lowerCut}, c.height, 1, length);
    c.baseAngle = section.BaseAngle;
    c.apexAngle = Pi - 2 * c.baseAngle;
    if (section.Impossible) return std::nullopt;
    return c;
}

// The point at distance r from the bend centre (R, 0), at polar angle phi.
Point Polar(double R, double r, double phi) { return {R - r * std::cos(phi), r * std::sin(phi)}; }

double DistanceFromCentre(Point p, double R) { return std::hypot(p.x - R, p.y); }

// Between end connections: the angle at the bend centre each connection
// adds to the bend.
struct ConnectionTurns {
    double startChord = 0, startAngle = 0, endChord = 0, endAngle = 0;
};

// The elbow's body as its layout lays it out: the piece angle, the cone's
// length and end cuts, the diameters of its ends, its connections (between
// end connections), then the body's cone and the angle the drawn elbow
// sweeps.
struct Body {
    ConeElbowLayout layout = HalfEndPieces;
    int pieces = 0;      // n as typed
    int pieceCount = 0;  // n, or n + 2 with the end connections
    double thicknessAllowance = 0;  // the thickness times the thickness factor
    double bendRadius = 0, bend = 0;
    double typedStartCut = 0, typedEndCut = 0;  // radians
    bool cylindricalEndPieces = false;  // half end pieces developed as cylinders
    double pieceAngle = 0, halfPieceAngle = 0;
    double coneLength = 0, coneStartCut = 0, coneEndCut = 0;  // the cuts at the cone's own ends
    double smallDiameter = 0, largeDiameter = 0;                // as typed
    double smallWorkingDiameter = 0, largeWorkingDiameter = 0;  // with the thickness allowance
    Connection startConnection, endConnection;
    BodyCone cone;
    double baseAngle = 0, apexAngle = 0;
    ConnectionTurns turns;  // between end connections
    double sweep = 0;       // the bend, plus the connections' turns
    int refusal = 0;   // the error text that stopped the layout, 0 when none did
};

// Between end connections: each connection checked with the joint cut it is built with.
struct JoinedConnections {
    Connection start, end;
    int refusal = 0;
};

JoinedConnections JoinConnections(const Arguments& a, const Body& b) {
    const double half = b.pieceAngle / 2;
    JoinedConnections j;
    const std::optional<Connection> start =
        BuildConnection(a.cylindricalStart, a.startLength, b.thicknessAllowance + a.startDiameter,
                        b.thicknessAllowance + b.smallDiameter, -half, b.typedStartCut);
    if (!start) {
        // A conical connection narrowing towards the elbow is built the wrong way.
        const bool narrowing = !a.cylindricalStart && a.startDiameter > b.smallDiameter;
        j.refusal = narrowing ? ErrStartConnectionNarrowing : ErrStartConnection;
        return j;
    }
    j.start = *start;
    const double endFirst =
        a.cylindricalEnd ? b.thicknessAllowance + a.endDiameter : b.thicknessAllowance + b.largeDiameter;
    const std::optional<Connection> end = BuildConnection(a.cylindricalEnd, a.endLength, endFirst,
                                                          b.thicknessAllowance + a.endDiameter, b.typedEndCut, half);
    if (!end) {
        const bool narrowing = !a.cylindricalEnd && b.largeDiameter > a.endDiameter;
        j.refusal = narrowing ? ErrEndConnectionNarrowing : ErrEndConnection;
        return j;
    }
    j.end = *end;
    return j;
}

// The piece angle and the body's ends, by layout.
Body LayOutBody(ConeElbowLayout layout, const Arguments& a, const DevelopmentSettings& settings) {
    Body b;
    b.layout = layout;
    b.pieces = static_cast<int>(a.pieces);
    b.pieceCount = layout == BetweenConnections ? b.pieces + 2 : b.pieces;
    b.thicknessAllowance = a.thickness * settings.ThicknessFactor;
    b.bendRadius = a.bendRadius;
    b.typedStartCut = a.startCutDegrees * DegToRad;
    b.typedEndCut = a.endCutDegrees * DegToRad;
    b.bend = a.bendDegrees * DegToRad;
    b.cylindricalEndPieces = layout == HalfEndPieces && a.cylindricalStart;
    b.smallDiameter = a.smallDiameter;
    b.largeDiameter = a.largeDiameter;
    b.coneLength = a.axisLength;
    b.coneStartCut = b.typedStartCut;
    b.coneEndCut = b.typedEndCut;
    const int n = b.pieces;
    if (layout == HalfEndPieces) {
        b.pieceAngle = b.bend / (n - 1);
        const double h = a.axisLength / (2 * n - 2);
        if (b.cylindricalEndPieces) b.coneLength = (2 * n - 4) * h;
    } else if (layout == EqualPieces) {
        b.pieceAngle = b.bend / n;
        // Full end pieces: the cone's own ends lie half a piece angle away.
        b.coneStartCut = b.typedStartCut + b.pieceAngle / 2;
        b.coneEndCut = b.typedEndCut - b.pieceAngle / 2;
        const double limit = 89.9 * DegToRad;
        if (!(std::fabs(b.coneStartCut) < limit)) b.refusal = ErrStartCutSteep;
        else if (!(std::fabs(b.coneEndCut) < limit)) b.refusal = ErrEndCutSteep;
    } else {
        b.pieceAngle = b.bend / n;
        const JoinedConnections j = JoinConnections(a, b);
        b.startConnection = j.start;
        b.endConnection = j.end;
        b.refusal = j.refusal;
        // A cylindrical connection meets the body on a face tilted by half a
        // piece angle: the body's end is that face, rounded to 4 decimals.
        const double half = b.pieceAngle / 2;
        if (a.cylindricalStart) b.smallDiameter = std::floor(a.startDiameter / std::cos(half) * 10000 + 0.5) / 10000;
        if (a.cylindricalEnd) b.largeDiameter = std::floor(a.endDiameter / std::cos(half) * 10000 + 0.5) / 10000;
    }
    b.halfPieceAngle = b.pieceAngle / 2;
    b.smallWorkingDiameter = b.thicknessAllowance + b.smallDiameter;
    b.largeWorkingDiameter = b.thicknessAllowance + b.largeDiameter;
    return b;
}

// The working diameters the body's cone is solved for: with cylindrical end
// pieces, its ends are the faces tilted by half a piece angle.
struct ConeEnds {
    double small = 0, large = 0;
};

ConeEnds SolvedEnds(const Body& b) {
    if (b.cylindricalEndPieces)
        return {b.thicknessAllowance + b.smallDiameter / std::cos(b.halfPieceAngle),
                b.thicknessAllowance + b.largeDiameter / std::cos(b.halfPieceAngle)};
    return {b.smallWorkingDiameter, b.largeWorkingDiameter};
}

// The body's cone; nothing when it does not exist.
std::optional<BodyCone> BodyConeOf(const Body& b) {
    const ConeEnds ends = SolvedEnds(b);
    if (b.cylindricalEndPieces || b.layout == BetweenConnections)
        return SolveCone(ends.small, ends.large, -b.halfPieceAngle, b.halfPieceAngle, b.coneLength);
    if (b.coneStartCut != 0 || b.coneEndCut != 0)
        return SolveCone(b.smallWorkingDiameter, b.largeWorkingDiameter, b.coneEndCut, b.coneStartCut, b.coneLength);
    // The right frustum.
    BodyCone c;
    const double apex = 2 * std::atan(((b.largeWorkingDiameter - b.smallWorkingDiameter) / 2) / b.coneLength);
    c.baseAngle = (Pi - apex) / 2;
    c.radius = b.largeWorkingDiameter / 2;
    c.apexHeight = c.radius * std::tan(c.baseAngle);
    c.rise = b.layout == HalfEndPieces ? c.radius * std::tan(std::fabs(b.typedEndCut)) : 0;
    return c;
}

// A body cone refused as too sharp while its small end is the wider: the
// diameters are the wrong way round, between end connections those where
// the connections meet the elbow.
int WrongWayRoundOr(int message, const Body& b) {
    const ConeEnds ends = SolvedEnds(b);
    if (message != ErrConeTooSharp || !(ends.small > ends.large)) return message;
    return b.layout == BetweenConnections ? ErrConnectionsNarrowing : ErrSmallDiameterNotSmaller;
}

ConnectionTurns ConnectionTurnsOf(const Body& b, const Arguments& a) {
    ConnectionTurns t;
    t.startChord = LawOfCosinesSide(b.bendRadius, a.startLength, Pi / 2 - b.halfPieceAngle);
    t.startAngle = AngleFromThreeSides(a.startLength, b.bendRadius, t.startChord);
    t.endChord = LawOfCosinesSide(b.bendRadius, a.endLength, Pi / 2 - b.halfPieceAngle);
    t.endAngle = AngleFromThreeSides(a.endLength, b.bendRadius, t.endChord);
    return t;
}

// The body laid out, its cone solved and the angle the drawn elbow sweeps.
Body BodyOf(ConeElbowLayout layout, const Arguments& a, const DevelopmentSettings& settings) {
    Body b = LayOutBody(layout, a, settings);
    if (b.refusal != 0) return b;
    const std::optional<BodyCone> cone = BodyConeOf(b);
    if (!cone) {
        const ConeEnds ends = SolvedEnds(b);
        b.refusal = WrongWayRoundOr(ends.large > ends.small ? ErrConeTooFlat : ErrConeTooSharp, b);
        return b;
    }
    b.cone = *cone;
    b.baseAngle = cone->baseAngle;
    b.apexAngle = Pi - 2 * b.baseAngle;
    b.sweep = b.bend;
    if (layout == BetweenConnections) {
        b.turns = ConnectionTurnsOf(b, a);
        b.sweep = b.bend + b.turns.startAngle + b.turns.endAngle;
    }
    return b;
}


// The cones' angle checks, in single precision: the body's, and between
// end connections the start connection's before it and the end one's after.
int CheckBodyAngles(const Body& b) {
    std::int16_t angleError = 0;
    auto check = [&angleError](double baseAngle, double firstCut, double secondCut, double apexAngle) {
        return CheckConeElbowAngle(static_cast<float>(baseAngle), static_cast<float>(firstCut),
                                   static_cast<float>(secondCut), static_cast<float>(apexAngle), angleError);
    };
    if (b.layout != BetweenConnections) return WrongWayRoundOr(check(b.baseAngle, 0, 0, b.apexAngle), b);
    const Connection& start = b.startConnection;
    const Connection& end = b.endConnection;
    if (!start.cylindrical) {
        if (const int m = check(start.baseAngle, b.typedStartCut, -b.halfPieceAngle, start.apexAngle); m != 0) return m;
    }
    if (const int m = check(b.baseAngle, b.typedStartCut, b.typedEndCut, b.apexAngle); m != 0)
        return WrongWayRoundOr(m, b);
    if (!end.cylindrical) return check(end.baseAngle, b.halfPieceAngle, b.typedEndCut, end.apexAngle);
    return 0;
}

// The angle at the bend centre between a face's axis point and its corner,
// 0 to pi. Past a right angle the three-sides angle comes back less pi, which
// would put the corner on the far side of the centre.
double AngleAtCentre(double half, double radius, double R) {
    const double angle = AngleFromThreeSides(half, radius, R);
    return angle < 0 ? angle + Pi : angle;
}

// The side view: each face's corners at their distances from the bend
// centre, and the half faces and joints it draws. Faces in piece order:
// face 1 is the elbow's start face, face p + 1 the end of piece p, face
// K + 1 the elbow's end face.
struct SideView {
    FaceRadii outerRadius{}, innerRadius{};
    Point startOuter, startInner, endOuter, endInner;
    double betaO = 0, betaI = 0, gammaO = 0, gammaI = 0;  // the end faces' corners' angles at the bend centre
    double endRise = 0;
    double startOuterHalf = 0, startInnerHalf = 0, endOuterHalf = 0, endInnerHalf = 0;
    double startJointOuter = 0, startJointInner = 0, endJointOuter = 0, endJointInner = 0;
    double startFaceWidth = 0, endFaceWidth = 0;

    // The start face across the body's axis at the start cut.
    void PlaceStartFace(const Body& b) {
        const double R = b.bendRadius, startCut = b.typedStartCut;
        startOuter = {-startOuterHalf * std::cos(startCut), -startOuterHalf * std::sin(startCut)};
        startInner = {startInnerHalf * std::cos(startCut), startInnerHalf * std::sin(startCut)};
        outerRadius[1] = DistanceFromCentre(startOuter, R);
        innerRadius[1] = DistanceFromCentre(startInner, R);
        betaI = AngleAtCentre(startInnerHalf, innerRadius[1], R);
        betaO = AngleAtCentre(startOuterHalf, outerRadius[1], R);
    }
    // The end face's corners, by their distances and angles from the bend centre.
    void PlaceEndFace(const Body& b) {
        const double R = b.bendRadius, endCut = b.typedEndCut;
        const int f = b.pieceCount + 1;
        innerRadius[f] = LawOfCosinesSide(R, endInnerHalf, std::fabs(endCut));
        outerRadius[f] = LawOfCosinesSide(R, endOuterHalf, Pi - std::fabs(endCut));
        gammaI = Sign(endCut) * AngleAtCentre(endInnerHalf, innerRadius[f], R);
        gammaO = Sign(endCut) * AngleAtCentre(endOuterHalf, outerRadius[f], R);
    }
};

// Apex to the large end's axis point, and to the small end's.
double ApexToLargeEnd(const Body& b) { return b.cone.apexHeight - b.cone.rise; }
double ApexToSmallEnd(const Body& b) { return ApexToLargeEnd(b) - b.coneLength; }

// Equal pieces: n full pieces; the joints' sides run evenly between the end
// joints.
SideView FullPiecesSideView(const Body& b) {
    SideView v;
    v.endRise = b.cone.rise;
    const double ha = ApexToLargeEnd(b), hs = ApexToSmallEnd(b);
    const double apex = b.apexAngle, base = b.baseAngle, half = b.halfPieceAngle, theta = b.pieceAngle;
    const int n = b.pieces;
    v.startOuterHalf = LawOfSinesSide(hs, apex / 2, base + b.coneStartCut);
    v.startInnerHalf = b.smallWorkingDiameter - v.startOuterHalf;
    v.startJointOuter = LawOfSinesSide(hs, apex / 2, base + half);
    v.startJointInner = LawOfSinesSide(hs, apex / 2, base - half);
    v.startFaceWidth = v.startJointOuter + v.startJointInner;
    v.endOuterHalf = LawOfSinesSide(ha, apex / 2, base + b.coneEndCut);
    v.endInnerHalf = b.largeWorkingDiameter - v.endOuterHalf;
    v.endJointOuter = LawOfSinesSide(ha, apex / 2, base - half);
    v.endJointInner = LawOfSinesSide(ha, apex / 2, base + half);
    v.endFaceWidth = v.endJointOuter + v.endJointInner;
    v.PlaceStartFace(b);
    // Measured from the first piece's axis normal, with the start cut's
    // sign, as the end face's angles are.
    v.betaO = half + Sign(b.typedStartCut) * v.betaO;
    v.betaI = half - Sign(b.typedStartCut) * v.betaI;
    v.PlaceEndFace(b);
    const double dO = (v.endJointOuter - v.startJointOuter) * theta / b.sweep;
    const double dI = (v.endJointInner - v.startJointInner) * theta / b.sweep;
    for (int j = 1; j <= n - 1; ++j) {
        v.outerRadius[j + 1] = b.bendRadius + v.startJointOuter + dO * j;
        v.innerRadius[j + 1] = b.bendRadius - v.startJointInner - dI * j;
    }
    return v;
}

// Half end pieces: the end faces, at the typed cuts across a cylindrical end
// piece or across the cone.
void PlaceHalfEnds(const Body& b, SideView& v) {
    const double ha = ApexToLargeEnd(b), hs = ApexToSmallEnd(b);
    const double apex = b.apexAngle, base = b.baseAngle, startCut = b.typedStartCut, endCut = b.typedEndCut;
    if (b.cylindricalEndPieces) {
        v.startOuterHalf = v.startInnerHalf = (b.smallWorkingDiameter / 2) / std::cos(startCut);
        v.startFaceWidth = b.smallWorkingDiameter;
        v.endOuterHalf = v.endInnerHalf = (b.largeWorkingDiameter / 2) / std::cos(endCut);
        v.endFaceWidth = b.largeWorkingDiameter;
        v.endRise = v.endOuterHalf * std::sin(std::fabs(endCut));
    } else {
        v.startOuterHalf = LawOfSinesSide(hs, apex / 2, base + startCut);
        v.startInnerHalf = b.smallWorkingDiameter - v.startOuterHalf;
        v.startFaceWidth = 2 * std::tan(apex / 2) * hs;
        v.endOuterHalf = LawOfSinesSide(ha, apex / 2, base + endCut);
        v.endInnerHalf = b.largeWorkingDiameter - v.endOuterHalf;
        v.endFaceWidth = 2 * std::tan(apex / 2) * ha;
    }
    v.PlaceStartFace(b);
    v.PlaceEndFace(b);
}

// Half end pieces: half pieces at both ends; the joints next to them, then the
// sides running evenly between those.
SideView HalfEndsSideView(const Body& b) {
    SideView v;
    v.endRise = b.cone.rise;
    PlaceHalfEnds(b, v);
    const double R = b.bendRadius, half = b.halfPieceAngle, apex = b.apexAngle, base = b.baseAngle;
    const int n = b.pieces;
    if (b.cylindricalEndPieces) {
        // The cylinder's axis meets the joint a tangent length R tan(theta / 2)
        // from the start, not half a piece's arc (L / (2n - 2)), which puts
        // the joint off the cylinder for coarse pieces.
        const double h = R * std::tan(half);
        const double c = std::hypot(h, R);
        const double w1 = b.thicknessAllowance + b.smallDiameter / std::cos(half),
                     w2 = b.thicknessAllowance + b.largeDiameter / std::cos(half);
        v.outerRadius[2] = c + w1 / 2;
        v.innerRadius[2] = c - w1 / 2;
        v.outerRadius[n] = c + w2 / 2;
        v.innerRadius[n] = c - w2 / 2;
    } else {
        const double w1 = v.startFaceWidth, w2 = v.endFaceWidth;
        const double mu = (apex + Pi) / 2;
        v.outerRadius[2] = LawOfSinesSide(R + w1 / 2, mu, Pi - mu - half);
        v.innerRadius[2] = LawOfSinesSide(R - w1 / 2, base, Pi - base - half);
        v.outerRadius[n] = LawOfSinesSide(R + w2 / 2, base, Pi - base - half);
        v.innerRadius[n] = LawOfSinesSide(R - w2 / 2, mu, Pi - mu - half);
    }
    const double dO = (v.outerRadius[n] - v.outerRadius[2]) * b.pieceAngle / (b.sweep - b.pieceAngle);
    const double dI = (v.innerRadius[2] - v.innerRadius[n]) * b.pieceAngle / (b.sweep - b.pieceAngle);
    for (int j = 2; j <= n - 2; ++j) {
        v.outerRadius[j + 1] = v.outerRadius[2] + dO * (j - 1);
        v.innerRadius[j + 1] = v.innerRadius[2] - dI * (j - 1);
    }
    return v;
}

// Between end connections: the start connection's outer face, placed back along its own
// axis from the body's start face.
void PlaceStartConnection(const Body& b, const Arguments& a, SideView& v) {
    const Connection& connection = b.startConnection;
    const double startCut = b.typedStartCut, half = b.halfPieceAngle, startLength = a.startLength;
    double outerHalf, innerHalf;
    if (connection.cylindrical) {
        outerHalf = innerHalf = (connection.workingDiameter / 2) / std::cos(startCut);
    } else {
        const BodyCone& c = connection.cone;
        outerHalf =
            LawOfSinesSide(c.apexHeight - startLength - c.rise, (Pi - 2 * c.baseAngle) / 2, c.baseAngle + startCut);
        innerHalf = b.thicknessAllowance + a.startDiameter - outerHalf;
    }
    const double sh = Pi / 2 - half;
    v.startOuter = Turned(-outerHalf * std::cos(startCut), -outerHalf * std::sin(startCut), half,
                          startLength * std::cos(sh), -startLength * std::sin(sh));
    v.startInner = Turned(innerHalf * std::cos(startCut), innerHalf * std::sin(startCut), half,
                          startLength * std::cos(sh), -startLength * std::sin(sh));
    v.outerRadius[1] = DistanceFromCentre(v.startOuter, b.bendRadius);
    v.innerRadius[1] = DistanceFromCentre(v.startInner, b.bendRadius);
}

// Between end connections: the end connection mirrors the start one: it leaves the body's
// end face turned by half a piece angle further, with the outer face of its
// own cone.
void PlaceEndConnection(const Body& b, const Arguments& a, SideView& v) {
    const Connection& connection = b.endConnection;
    const double endCut = b.typedEndCut, R = b.bendRadius, bend = b.bend, endLength = a.endLength;
    double outerHalf, innerHalf;
    if (connection.cylindrical) {
        outerHalf = innerHalf = (connection.workingDiameter / 2) / std::cos(endCut);
    } else {
        const BodyCone& c = connection.cone;
        outerHalf = LawOfSinesSide(c.apexHeight - c.rise, (Pi - 2 * c.baseAngle) / 2, c.baseAngle + endCut);
        innerHalf = b.thicknessAllowance + a.endDiameter - outerHalf;
    }
    const double turn = -(bend + b.halfPieceAngle);
    const double ex = R * (1 - std::cos(bend)), ey = R * std::sin(bend);
    v.endOuter = Turned(-outerHalf * std::cos(endCut), endLength - outerHalf * std::sin(endCut), turn, ex, ey);
    v.endInner = Turned(innerHalf * std::cos(endCut), endLength + innerHalf * std::sin(endCut), turn, ex, ey);
    v.innerRadius[b.pieceCount + 1] = LawOfCosinesSide(R, innerHalf, std::fabs(endCut));
    v.outerRadius[b.pieceCount + 1] = LawOfCosinesSide(R, outerHalf, Pi - std::fabs(endCut));
}

// Between end connections: n full pieces between two end connections; the body's sides
// run evenly from its start face to its end face.
SideView ConnectedSideView(const Body& b, const Arguments& a) {
    SideView v;
    v.endRise = b.cone.rise;
    const double ha = ApexToLargeEnd(b), hs = ApexToSmallEnd(b);
    const double apex = b.apexAngle, base = b.baseAngle, half = b.halfPieceAngle, R = b.bendRadius;
    const int n = b.pieces;
    v.startOuterHalf = LawOfSinesSide(hs, apex / 2, base + half);
    v.startInnerHalf = b.smallWorkingDiameter - v.startOuterHalf;
    v.endOuterHalf = LawOfSinesSide(ha, apex / 2, base - half);
    v.endInnerHalf = b.largeWorkingDiameter - v.endOuterHalf;
    v.startFaceWidth = b.smallWorkingDiameter;
    v.endFaceWidth = b.largeWorkingDiameter;
    const int bodyStart = 2, bodyEnd = n + 2;  // faces: the connections are pieces 1 and K
    v.outerRadius[bodyStart] = R + v.startOuterHalf;
    v.innerRadius[bodyStart] = R - v.startInnerHalf;
    v.outerRadius[bodyEnd] = R + v.endOuterHalf;
    v.innerRadius[bodyEnd] = R - v.endInnerHalf;
    const double dO = (v.outerRadius[bodyEnd] - v.outerRadius[bodyStart]) * b.pieceAngle / b.bend;
    const double dI = (v.innerRadius[bodyStart] - v.innerRadius[bodyEnd]) * b.pieceAngle / b.bend;
    for (int j = 1; j <= n - 1; ++j) {
        v.outerRadius[bodyStart + j] = v.outerRadius[bodyStart] + dO * j;
        v.innerRadius[bodyStart + j] = v.innerRadius[bodyStart] - dI * j;
    }
    PlaceStartConnection(b, a, v);
    PlaceEndConnection(b, a, v);
    return v;
}

SideView SideViewOf(const Body& b, const Arguments& a) {
    if (b.layout == EqualPieces) return FullPiecesSideView(b);
    if (b.layout == HalfEndPieces) return HalfEndsSideView(b);
    return ConnectedSideView(b, a);
}

// The face corners as the side view computes them, before they are rounded
// into the elbow's arrays.
struct Faces {
    std::array<Point, ElbowEntryLast + 2> outer{}, inner{};
    double Width(int k) const { return std::hypot(outer[k].x - inner[k].x, outer[k].y - inner[k].y); }
};

using PieceValues = std::array<double, ElbowEntryLast + 2>;

// The pieces as the side view leaves them, entry by entry.
struct PieceFrames {
    Faces faces;
    PieceValues height{}, startCuts{}, endCuts{};
    PieceValues smallDiameter{}, largeDiameter{};
};

// The faces placed at their angles about the bend centre, with the heights
// and cuts of the pieces between them.
PieceFrames PlaceFaces(const Body& b, const SideView& v) {
    PieceFrames p;
    const int K = b.pieceCount;
    const double R = b.bendRadius, half = b.halfPieceAngle;
    auto setFace = [&p](int f, Point outer, Point inner) {
        p.faces.outer[f] = outer;
        p.faces.inner[f] = inner;
    };
    double faceAngle = b.layout == HalfEndPieces ? half : (b.layout == EqualPieces ? b.pieceAngle : 0);
    setFace(1, v.startOuter, v.startInner);
    // Each joint ends the piece before it.
    for (int f = 2; f <= K; ++f) {
        setFace(f, Polar(R, v.outerRadius[f], faceAngle), Polar(R, v.innerRadius[f], faceAngle));
        p.height[f - 1] = (v.outerRadius[f] + v.outerRadius[f - 1]) * std::sin(half);
        p.startCuts[f - 1] = half;
        p.endCuts[f - 1] = -half;
        faceAngle += b.pieceAngle;
    }
    const int end = K + 1;  // the end face
    if (b.layout == BetweenConnections) {
        p.height[1] = b.startConnection.height;
        p.height[K] = b.endConnection.height;
        setFace(end, v.endOuter, v.endInner);
    } else {
        setFace(end, Polar(R, v.outerRadius[end], b.sweep - v.gammaO),
                Polar(R, v.innerRadius[end], b.sweep + v.gammaI));
        p.height[1] = v.outerRadius[2] * std::sin(half) + (b.coneStartCut >= 0 ? v.outerRadius[1] * std::sin(v.betaO)
                                                                               : v.innerRadius[1] * std::sin(v.betaI));
        if (b.layout == HalfEndPieces) {
            p.height[K] = v.outerRadius[K] * std::sin(half) + v.endRise;
        } else {
            p.height[K] =
                v.outerRadius[K] * std::sin(half) + (b.coneEndCut > 0 ? v.innerRadius[end] * std::sin(v.gammaI + half)
                                                                      : v.outerRadius[end] * std::sin(half - v.gammaO));
        }
    }
    p.startCuts[K] = half;
    p.startCuts[1] = b.coneStartCut;
    p.endCuts[K] = b.coneEndCut;
    return p;
}

// The faces' corners where they truly lie. The end face of the half and
// full end pieces is placed by its corners' distances and angles from the
// bend centre: here it is laid across the end's axis point in its own frame
// (x towards the bend centre, y along the bend), as the start face is.
Faces TrueFaces(const Body& b, const SideView& v, const PieceFrames& p) {
    Faces f = p.faces;
    if (b.layout == BetweenConnections) return f;
    const int end = b.pieceCount + 1;
    const double A = b.sweep, cut = b.typedEndCut;
    const Point axis = Polar(b.bendRadius, b.bendRadius, A);
    auto across = [&](double h) {  // h from the axis point towards the inner side
        const double x = h * std::cos(cut), y = h * std::sin(cut);
        return Point{axis.x + x * std::cos(A) + y * std::sin(A), axis.y - x * std::sin(A) + y * std::cos(A)};
    };
    f.inner[end] = across(v.endInnerHalf);
    f.outer[end] = across(-v.endOuterHalf);
    return f;
}

// Piece k's outline between faces k and k + 1: its start face's outer
// corner, its end face's outer and inner corners, its start face's inner one.
std::array<Point, 4> Outline(const Faces& f, int k) { return {f.outer[k], f.outer[k + 1], f.inner[k + 1], f.inner[k]}; }

// The side of the line from o through a that p lies on: > 0 the left.
double Side(Point o, Point a, Point p) { return (a.x - o.x) * (p.y - o.y) - (a.y - o.y) * (p.x - o.x); }

double DistanceToSegment(Point p, Point a, Point b) {
    const double dx = b.x - a.x, dy = b.y - a.y, length2 = dx * dx + dy * dy;
    const double t = length2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0) : 0;
    return std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y);
}

// Whether segments ab and cd share a point, touching included.
bool SegmentsMeet(Point a, Point b, Point c, Point d) {
    const double abc = Side(a, b, c), abd = Side(a, b, d), cda = Side(c, d, a), cdb = Side(c, d, b);
    if (((abc > 0 && abd < 0) || (abc < 0 && abd > 0)) && ((cda > 0 && cdb < 0) || (cda < 0 && cdb > 0)))
        return true;
    const double near = 1e-12 * (std::fabs(a.x) + std::fabs(a.y) + std::fabs(b.x) + std::fabs(b.y) + 1);
    return DistanceToSegment(c, a, b) <= near || DistanceToSegment(d, a, b) <= near ||
           DistanceToSegment(a, c, d) <= near || DistanceToSegment(b, c, d) <= near;
}

// Whether a piece's outline is one simple closed shape: its opposite sides
// apart and an area enclosed. A start or end face cut across its joint
// crosses it and folds the piece over itself.
bool OutlineSimple(const std::array<Point, 4>& q) {
    double area = 0;
    for (std::size_t i = 0; i < 4; ++i) area += q[i].x * q[(i + 1) % 4].y - q[(i + 1) % 4].x * q[i].y;
    return !SegmentsMeet(q[0], q[1], q[2], q[3]) && !SegmentsMeet(q[1], q[2], q[3], q[0]) && area != 0;
}

// How many times the outline winds round point p (0 when p lies outside).
int Winding(const std::array<Point, 4>& q, Point p) {
    int w = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const Point a = q[i], b = q[(i + 1) % 4];
        if (a.y <= p.y) {
            if (b.y > p.y && Side(a, b, p) > 0) ++w;
        } else if (b.y <= p.y && Side(a, b, p) < 0) {
            --w;
        }
    }
    return w;
}

// Whether a piece lies at or past the bend centre: the centre on a piece's
// outline or inside it. Only an inner side that runs through the centre or
// round it puts it there; a piece folded over itself away from the centre
// does not.
bool PieceCoversCentre(const Body& b, const Faces& f) {
    const double R = b.bendRadius, near = 1e-9 * std::max(R, 1.0);
    const Point centre{R, 0};
    for (int k = 1; k <= b.pieceCount; ++k) {
        const std::array<Point, 4> q = Outline(f, k);
        for (std::size_t i = 0; i < 4; ++i) {
            if (DistanceToSegment(centre, q[i], q[(i + 1) % 4]) <= near) return true;
        }
        if (Winding(q, centre) != 0) return true;
    }
    return false;
}

bool OutlinesSimple(const Body& b, const Faces& f) {
    for (int k = 1; k <= b.pieceCount; ++k) {
        if (!OutlineSimple(Outline(f, k))) return false;
    }
    return true;
}

// The pieces' typed diameters from the widths of the faces between them;
// the elbow's own ends keep the body's (or the connections') diameters.
void SetPieceDiameters(const Body& b, const Arguments& a, PieceFrames& p) {
    const int K = b.pieceCount;
    p.smallDiameter[1] = b.layout == BetweenConnections ? a.startDiameter : b.smallDiameter;
    p.largeDiameter[1] = p.faces.Width(2) - b.thicknessAllowance;
    for (int piece = 2; piece <= K - 1; ++piece) {
        p.smallDiameter[piece] = p.faces.Width(piece) - b.thicknessAllowance;
        p.largeDiameter[piece] = p.faces.Width(piece + 1) - b.thicknessAllowance;
    }
    p.smallDiameter[K] = p.faces.Width(K) - b.thicknessAllowance;
    p.largeDiameter[K] = b.layout == BetweenConnections ? a.endDiameter : b.largeDiameter;
}

// The side view's half faces and the pieces, rounded once into the elbow's
// arrays.
void RecordSideView(const SideView& v, const PieceFrames& p, int K, LastElbow& out) {
    out.StartOuterHalf = static_cast<float>(v.startOuterHalf);
    out.StartInnerHalf = static_cast<float>(v.startInnerHalf);
    out.EndOuterHalf = static_cast<float>(v.endOuterHalf);
    out.EndInnerHalf = static_cast<float>(v.endInnerHalf);
    out.StartJointOuter = static_cast<float>(v.startJointOuter);
    out.StartJointInner = static_cast<float>(v.startJointInner);
    out.EndJointOuter = static_cast<float>(v.endJointOuter);
    out.EndJointInner = static_cast<float>(v.endJointInner);
    out.StartFaceWidth = static_cast<float>(v.startFaceWidth);
    out.EndFaceWidth = static_cast<float>(v.endFaceWidth);
    for (int f = 1; f <= K + 1; ++f) {
        out.FaceOuterX[f] = static_cast<float>(p.faces.outer[f].x);
        out.FaceOuterY[f] = static_cast<float>(p.faces.outer[f].y);
        out.FaceInnerX[f] = static_cast<float>(p.faces.inner[f].x);
        out.FaceInnerY[f] = static_cast<float>(p.faces.inner[f].y);
    }
    for (int e = 1; e <= K; ++e) {
        out.PieceHeight[e] = static_cast<float>(p.height[e]);
        out.PieceStartCut[e] = static_cast<float>(p.startCuts[e]);
        out.PieceEndCut[e] = static_cast<float>(p.endCuts[e]);
        out.PieceSmallDiameter[e] = static_cast<float>(p.smallDiameter[e]);
        out.PieceLargeDiameter[e] = static_cast<float>(p.largeDiameter[e]);
    }
}

// Each piece's axis length from its development, from the elbow's start on:
// a cylindrical end piece as a cut cylinder, the others as cut frusta. A
// piece that cannot be built raises ElbowError.
void DevelopPieces(const Body& b, const Arguments& a, const PieceFrames& p, const DevelopmentSettings& settings,
                   LastElbow& out) {
    const int K = b.pieceCount;
    for (int e = 1; e <= K; ++e) {
        const bool cylinder = (e == 1 && a.cylindricalStart) || (e == K && a.cylindricalEnd);
        if (cylinder) {
            const float diameter = e == 1 ? out.PieceSmallDiameter[e] : out.PieceLargeDiameter[e];
            const CylinderBody body{WorkingDiameter(diameter, out.Thickness, settings.ThicknessFactor),
                                    out.PieceEndCut[e], out.PieceStartCut[e]};
            const CutHeights heights = ComputeCutHeightsFromTop(body, out.PieceHeight[e]);
            out.PieceAxisLength[e] = heights.AxisLength;
            if (heights.Impossible) out.ElbowError = 1;
            continue;
        }
        const ConeBody body{b.thicknessAllowance + p.smallDiameter[e], b.thicknessAllowance + p.largeDiameter[e],
                            p.startCuts[e], p.endCuts[e]};
        const ConeSection section = ComputeConeAngle(body, p.height[e], 1, 0);
        out.PieceAxisLength[e] = static_cast<float>(section.AxisCheck);
        if (section.Impossible) out.ElbowError = 1;
    }
}

}  // namespace

int CheckConeElbowInput(const ConeElbowArray& data, bool checkDiameters) {
    const ConeElbowInputs in = ConeElbowInputsOf(data);
    if (in.Thickness == 0) return ErrElbowThickness;
    if (in.SmallDiameter == 0 && checkDiameters) return ErrSmallDiameter;
    if (in.LargeDiameter == 0 && checkDiameters) return ErrLargeDiameter;
    if (in.AxisLength == 0) return ErrElbowAxisLength;
    return 0;
}

int CheckEndConnection(const EndConnection& c, bool start) {
    if (c.Diameter == 0) return start ? ErrStartConnectionDiameter : ErrEndConnectionDiameter;
    if (c.Length == 0) return start ? ErrStartConnectionLength : ErrEndConnectionLength;
    if (c.SecondDiameter == 0 && c.Kind == ConnectionConical) {
        return start ? ErrStartConnectionSecondDiameter : ErrEndConnectionSecondDiameter;
    }
    return 0;
}

int CheckConeElbowTransitions(const EndConnectionArray& c, int base) {
    const bool start = base == 0;
    return CheckEndConnection(EndConnectionOf(c, start ? ConnectionStart : ConnectionEnd), start);
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

namespace {

// What a computation is given.
struct Request {
    ConeElbowLayout layout = HalfEndPieces;
    ConeElbowArray data{};
    EndConnectionArray connections{};
    bool cylindricalEnds = false;
    DevelopmentSettings settings;
};

struct Computed {
    ConeElbowOutcome outcome;
    bool simple = false;  // accepted, with every piece's outline a simple closed shape
};

Computed Compute(const Request& r, LastElbow& out, bool nameRadius);

// A length as its box shows it in unit `unit`, read back.
double Shown(double v, std::int16_t unit) { return ReadNumber(FormatLength(v, unit)); }

// The bend radius box's limit in the settings' unit.
double RadiusLimit(const DevelopmentSettings& s) {
    return s.Limits.ConeElbowRadiusLimit.Max / (s.MeasuringSystem != 0 ? 25.4 : 1.0);
}

// Whether the elbow is accepted, every piece a simple outline, with its bend
// radius typed as R: the axis length following it as the window couples
// them, both within their boxes' limits; and still so once the unit is
// switched and the boxes show the lengths to the other unit's decimals.
bool AcceptedWithRadius(Request r, double R, LastElbow& scratch) {
    const std::int16_t unit = r.settings.MeasuringSystem;
    const double bend = TypedValue(r.data[ConeElbowBendDegrees]) * DegToRad;
    const double L = Shown(R * bend, unit);
    const double limit = RadiusLimit(r.settings);
    if (R > Shown(limit, unit) || L > Shown(limit * bend, unit)) return false;
    r.data[ConeElbowBendRadius] = static_cast<float>(R);
    r.data[ConeElbowAxisLength] = static_cast<float>(L);
    if (!Compute(r, scratch, false).simple) return false;
    InputArrays switched;
    switched.ConeElbowData = r.data;
    switched.EndConnections = r.connections;
    ConvertInputUnits(unit, switched);  // 0 divides into inches, 1 multiplies back
    r.settings.MeasuringSystem = unit != 0 ? 0 : 1;
    r.data = switched.ConeElbowData;
    r.connections = switched.EndConnections;
    for (int i = 1; i < static_cast<int>(r.data.size()); ++i) {
        if (IsLengthElementConeElbow(i))
            r.data[i] = static_cast<float>(Shown(r.data[i], r.settings.MeasuringSystem));
    }
    return Compute(r, scratch, false).simple;
}

// The least bend radius above the typed one, to the decimals the boxes show
// and within the box's limit, with which the elbow is accepted as
// AcceptedWithRadius says; 0 when the box's limit is not enough. Searched
// by halves between the typed radius and the limit.
double LeastBendRadius(const Request& r) {
    const double scale = std::pow(10.0, DecimalPlaces(r.settings.MeasuringSystem));
    const double limit = Shown(RadiusLimit(r.settings), r.settings.MeasuringSystem);
    LastElbow scratch;
    auto accepted = [&](double step) { return AcceptedWithRadius(r, step / scale, scratch); };
    double refused = std::floor(TypedValue(r.data[ConeElbowBendRadius]) * scale);
    double taken = std::floor(limit * scale + 0.5);
    if (!(taken > refused) || !accepted(taken)) return 0;
    while (taken - refused > 1) {
        const double mid = std::floor((refused + taken) / 2);
        if (!(mid > refused && mid < taken)) break;  // steps past double's whole numbers
        (accepted(mid) ? taken : refused) = mid;
    }
    return taken / scale;
}

Computed Compute(const Request& r, LastElbow& out, bool nameRadius) {
    const ConeElbowLayout layout = r.layout;
    const DevelopmentSettings& settings = r.settings;
    const int code = static_cast<int>(layout);
    StartNewElbow(out, static_cast<std::int16_t>(ShapeCuCilindri + code), false, settings.ThicknessFactor);
    auto refuse = [&out](int message) {
        out.ElbowError = 1;
        return Computed{{message, 0}};
    };
    if (code < 1 || code > 3) return refuse(ErrConeElbowPiece);

    // Input checks.
    const Arguments a =
        ArgumentsOf(layout, ConeElbowInputsOf(r.data), EndConnectionOf(r.connections, ConnectionStart),
                    EndConnectionOf(r.connections, ConnectionEnd), r.cylindricalEnds);
    if (const int m = CheckPieceCount(a.pieces); m != 0) return refuse(m);
    const int n = static_cast<int>(a.pieces);
    out.Pieces = static_cast<std::int16_t>(n);
    out.PieceCount = static_cast<std::int16_t>(layout == BetweenConnections ? n + 2 : n);
    out.Thickness = a.thickness;
    out.BendRadius = a.bendRadius;
    out.AxisLength = a.axisLength;
    out.StartIsCylindrical = a.cylindricalStart;
    out.EndIsCylindrical = a.cylindricalEnd;
    if (const int m = CheckArguments(a, settings); m != 0) return refuse(m);

    // The body, its connections, its cone and the sweep of the drawn elbow.
    const Body body = BodyOf(layout, a, settings);
    if (body.refusal != 0) return refuse(body.refusal);
    out.ApexAngle = static_cast<float>(body.apexAngle);
    out.BaseAngle = static_cast<float>(body.baseAngle);
    out.PieceAngle = static_cast<float>(body.pieceAngle);
    out.HalfPieceAngle = static_cast<float>(body.halfPieceAngle);
    out.Bend = static_cast<float>(body.bend);
    if (layout == BetweenConnections) {
        out.StartConnectionChord = static_cast<float>(body.turns.startChord);
        out.StartConnectionAngle = static_cast<float>(body.turns.startAngle);
        out.EndConnectionChord = static_cast<float>(body.turns.endChord);
        out.EndConnectionAngle = static_cast<float>(body.turns.endAngle);
    }
    if (const int m = CheckBodyAngles(body); m != 0) return refuse(m);
    out.Sweep = static_cast<float>(body.sweep);

    // The side view, the pieces between its faces, and their developments.
    const SideView view = SideViewOf(body, a);
    PieceFrames pieces = PlaceFaces(body, view);
    const Faces faces = TrueFaces(body, view, pieces);
    // A piece at or past the bend centre cannot be rolled into this elbow:
    // the bend radius is what to change, when one the box takes clears it.
    if (PieceCoversCentre(body, faces)) {
        if (!nameRadius) return refuse(ErrBendRadiusPastCentre);
        const double least = LeastBendRadius(r);
        const Computed refused = refuse(least > 0 ? ErrBendRadiusPastCentre : ErrNoBendRadiusClearsCentre);
        out.LeastBendRadius = least;
        return refused;
    }
    SetPieceDiameters(body, a, pieces);
    RecordSideView(view, pieces, body.pieceCount, out);
    DevelopPieces(body, a, pieces, settings, out);

    if (const int m = CheckNonZero(out.ElbowError); m != 0) return refuse(m);
    if (!ElbowValuesFinite(out, body.pieceCount + 1)) return refuse(ErrConeElbowPiece);
    // Whether the pieces are drawn as they lie, the recorded faces as the
    // true ones.
    const bool simple = OutlinesSimple(body, faces) && OutlinesSimple(body, pieces.faces);
    return {{0, static_cast<float>(RadiansToDegrees(body.apexAngle))}, simple};
}

}  // namespace

ConeElbowOutcome ComputeConeElbow(ConeElbowLayout layout, const ConeElbowArray& data,
                                  const EndConnectionArray& connections, bool cylindricalEnds,
                                  const DevelopmentSettings& settings, LastElbow& out) {
    return Compute({layout, data, connections, cylindricalEnds, settings}, out, true).outcome;
}

}  // namespace velm
