#include "elbows/cyl_elbow.h"

#include <cmath>

#include "elbows/elbow_inputs.h"
#include "elbows/elbow_messages.h"
#include "elbows/plane_geometry.h"
#include "geometry/angles.h"
#include "geometry/cylinder_geometry.h"

namespace velm {

namespace {

constexpr PlaneLine XAxis{0, -1, 0};

float DistanceToLine(const PlanePoint& p, const PlaneLine& l) {
    return static_cast<float>(PointLineDistance(p.x, p.y, l.a, l.b, l.c));
}

float AngleFromTo(const PlaneLine& from, const PlaneLine& to) {
    return static_cast<float>(AngleBetweenDirections(from.a, from.b, to.a, to.b));
}

PlaneLine Through(const PlanePoint& p, const PlanePoint& q) { return LineThroughPoints(p.x, p.y, q.x, q.y); }

// Parallel lines meet at the origin.
PlanePoint Meet(const PlaneLine& l1, const PlaneLine& l2) { return IntersectLines(l1, l2).value_or(PlanePoint{}); }

void SetFace(LastElbow& out, int face, const PlanePoint& outer, const PlanePoint& inner) {
    out.FaceOuterX[face] = outer.x;
    out.FaceOuterY[face] = outer.y;
    out.FaceInnerX[face] = inner.x;
    out.FaceInnerY[face] = inner.y;
}

// The bend as the side view lays it out: the working radius (half the
// working diameter), the piece angle, half a piece's axis (the tangent
// length R tan(pieceAngle / 2)) and the distance of the axis polygon's
// vertices from the bend centre.
struct BendLayout {
    int pieces = 0;
    float bendRadius = 0, radius = 0, startCut = 0, endCut = 0;
    float pieceAngle = 0, halfPieceAxis = 0, vertexDistance = 0;
};

// Piece i (2 to n) turned into place about its axis vertex: the normal
// across its start through P1 and P3, its outer side from P1 to P2 and its
// inner side from P3 to P4. The last piece ends on the end cut.
struct PieceSides {
    PlanePoint P1, P2, P3, P4;
    PlaneLine outer{}, inner{}, normal{};
};

PieceSides SidesOfPiece(const BendLayout& b, int i) {
    const float theta = b.pieceAngle, radius = b.radius, h = b.halfPieceAxis;
    const float phi = static_cast<float>(i - 2) * theta + theta / 2;
    const float ox = static_cast<float>(b.bendRadius - b.vertexDistance * std::cos(static_cast<double>(phi)));
    const float oy = static_cast<float>(b.vertexDistance * std::sin(static_cast<double>(phi)));
    const float beta = -static_cast<float>(i - 1) * theta;
    float outerLength = 2 * h;
    float innerLength = 2 * h;
    if (i == b.pieces) {  // the end face at the end cut
        const float rise = static_cast<float>(radius * std::tan(static_cast<double>(b.endCut)));
        outerLength = h - rise;
        innerLength = h + rise;
    }
    PieceSides p;
    p.P1 = RotateTranslatePoint(-radius, 0, beta, ox, oy);
    p.P2 = RotateTranslatePoint(-radius, outerLength, beta, ox, oy);
    p.P3 = RotateTranslatePoint(radius, 0, beta, ox, oy);
    p.P4 = RotateTranslatePoint(radius, innerLength, beta, ox, oy);
    p.outer = Through(p.P1, p.P2);
    p.inner = Through(p.P3, p.P4);
    p.normal = Through(p.P1, p.P3);
    return p;
}

// The first joint: the first piece, from the start face at the start cut,
// complete, and the second piece begun; the start face's corners and width.
void RecordFirstJoint(const BendLayout& b, const PlaneLine& firstOuter, const PlaneLine& firstInner,
                      const PlanePoint& Co, const PlanePoint& Ci, const PlaneLine& joint, const PlaneLine& normal,
                      LastElbow& out) {
    const float radius = b.radius;
    const float rise = static_cast<float>(radius * std::tan(static_cast<double>(b.startCut)));
    const PlanePoint startOuter{-radius, -rise};
    const PlanePoint startInner{radius, rise};
    SetFace(out, 1, startOuter, startInner);
    const float top = Co.y < 0 ? DistanceToLine(Ci, XAxis)
                               : MaxSingle(DistanceToLine(Co, XAxis), DistanceToLine(Ci, XAxis));
    const float bottom = startOuter.y < 0 ? DistanceToLine(startOuter, XAxis) : DistanceToLine(startInner, XAxis);
    out.PieceHeight[1] = top + bottom;
    out.PieceEndCut[1] = static_cast<float>(std::atan(static_cast<double>(joint.a)));
    out.PieceHeight[2] = DistanceToLine(Co, normal);
    out.PieceStartCut[2] = AngleFromTo(normal, joint);
    out.StartFaceWidth =
        static_cast<float>(PointDistance(Meet(firstOuter, XAxis).x, 0, Meet(firstInner, XAxis).x, 0));
}

// The joints from the elbow's start to its end, each where a piece's sides
// meet the next piece's: the faces between the pieces, the pieces' heights
// and the cuts at their joints. The last piece, which is left.
PieceSides TraceJoints(const BendLayout& b, LastElbow& out) {
    const int n = b.pieces;
    PlaneLine outerSide{1, 0, b.radius};
    PlaneLine innerSide{1, 0, -b.radius};
    PlaneLine prevNormal{};
    PieceSides last;
    for (int i = 2; i <= n; ++i) {
        // Each piece's sides are a record of their own: one record carried
        // through the loop slowed the whole computation.
        const PieceSides p = SidesOfPiece(b, i);
        const PlanePoint Co = Meet(outerSide, p.outer);
        const PlanePoint Ci = Meet(innerSide, p.inner);
        SetFace(out, i, Co, Ci);
        const PlaneLine joint = Through(Co, Ci);
        if (i == 2) {
            RecordFirstJoint(b, outerSide, innerSide, Co, Ci, joint, p.normal, out);
        } else {
            out.PieceHeight[i] = DistanceToLine(Co, p.normal);
            out.PieceHeight[i - 1] += DistanceToLine(Co, prevNormal);
            out.PieceEndCut[i - 1] = AngleFromTo(prevNormal, joint);
            out.PieceStartCut[i] = AngleFromTo(p.normal, joint);
        }
        outerSide = p.outer;
        innerSide = p.inner;
        prevNormal = p.normal;
        if (i == n) last = p;
    }
    return last;
}

// The last piece's end: its height to the end face, the end face's corners,
// and the end face's width on the plane through the bend centre at the bend
// angle.
void RecordEndFace(const BendLayout& b, const PieceSides& last, float bendRad, LastElbow& out) {
    const float R = b.bendRadius;
    out.PieceHeight[b.pieces] +=
        MaxSingle(DistanceToLine(last.P4, last.normal), DistanceToLine(last.P2, last.normal));
    SetFace(out, b.pieces + 1, last.P2, last.P4);
    const float ex = static_cast<float>((1 - std::cos(static_cast<double>(bendRad))) * R);
    const float ey = static_cast<float>(R * std::sin(static_cast<double>(bendRad)));
    const PlaneLine endPlane = LineThroughPoints(R, 0, ex, ey);
    const PlanePoint eo = Meet(last.outer, endPlane);
    const PlanePoint ei = Meet(last.inner, endPlane);
    out.EndFaceWidth = static_cast<float>(PointDistance(eo.x, eo.y, ei.x, ei.y));
}

// Each piece's record and its development, from the elbow's start on: the
// end pieces carry the typed cuts. A piece that cannot be built raises
// ElbowError.
void RecordPieces(const CylElbowInputs& in, std::int16_t thicknessFactor, int n, LastElbow& out) {
    for (int e = 1; e <= n; ++e) {
        out.PieceDiameter[e] = in.Diameter;
        if (e == 1) out.PieceStartCut[e] = in.StartCut;
        if (e == n) out.PieceEndCut[e] = in.EndCut;
        const CylinderBody body{WorkingDiameter(in.Diameter, in.Thickness, thicknessFactor),
                                out.PieceEndCut[e], out.PieceStartCut[e]};
        const CutHeights heights = ComputeCutHeightsFromTop(body, out.PieceHeight[e]);
        out.PieceAxisLength[e] = heights.AxisLength;
        if (heights.Impossible) out.ElbowError = 1;
    }
}

// The refusals before computing: a value that is not a number, a bend angle
// outside 10 to 180 degrees, no working diameter, an end cut of a right
// angle, then a bend radius that leaves the inner side no length (R = 0
// would also make parallel lines meet).
int CheckCylElbowShape(const CylElbowInputs& in, float D) {
    const float s = in.Thickness, d = in.Diameter, startCut = in.StartCut, endCut = in.EndCut;
    const float bendDeg = in.BendDegrees, bendRad = in.Bend, R = in.BendRadius;
    bool usable = std::isfinite(s) && std::isfinite(d) && std::isfinite(startCut) && std::isfinite(endCut) &&
                  std::isfinite(bendRad) && std::isfinite(in.AxisLength) && std::isfinite(R);
    usable = usable && bendDeg >= 10 && bendDeg <= 180 && D > 0;
    usable = usable && std::fabs(startCut) < Pi / 2 && std::fabs(endCut) < Pi / 2;
    return !usable ? ErrCylElbow : !(R > D / 2) ? ErrBendRadiusTooSmall : 0;
}

}  // namespace

int CheckCylElbowInput(const CylElbowArray& data) {
    const CylElbowInputs in = CylElbowInputsOf(data);
    if (in.Thickness == 0) return ErrElbowThickness;
    if (in.Diameter == 0) return ErrElbowDiameter;
    if (in.AxisLength == 0) return ErrElbowAxisLength;
    return 0;
}

int ComputeCylElbow(const CylElbowArray& data, std::int16_t thicknessFactor, LastElbow& out) {
    StartNewElbow(out, ShapeCuCilindri, true, thicknessFactor);
    out.StartIsCylindrical = out.EndIsCylindrical = true;

    // Input checks.
    const CylElbowInputs in = CylElbowInputsOf(data);
    if (const int m = CheckPieceCount(in.Pieces); m != 0) {
        out.ElbowError = 1;
        return m;
    }
    const int n = static_cast<int>(in.Pieces);
    out.Pieces = out.PieceCount = static_cast<std::int16_t>(n);
    out.Thickness = in.Thickness;
    out.BendRadius = in.BendRadius;
    out.AxisLength = in.AxisLength;
    out.Bend = out.Sweep = in.Bend;
    const float D = WorkingDiameter(in.Diameter, in.Thickness, thicknessFactor);
    if (const int refusal = CheckCylElbowShape(in, D); refusal != 0) {
        out.ElbowError = 1;
        return refusal;
    }

    // The side view: piece angle, half piece axis, distance of the axis
    // polygon's vertices; then the joints and the end face.
    BendLayout b;
    b.pieces = n;
    b.bendRadius = in.BendRadius;
    b.radius = D / 2;
    b.startCut = in.StartCut;
    b.endCut = in.EndCut;
    b.pieceAngle = static_cast<float>(in.BendDegrees * DegToRad / (n - 1));
    out.PieceAngle = b.pieceAngle;
    out.HalfPieceAngle = b.pieceAngle / 2;
    b.halfPieceAxis = static_cast<float>(b.bendRadius * std::tan(static_cast<double>(out.HalfPieceAngle)));
    b.vertexDistance = static_cast<float>(std::sqrt(static_cast<double>(b.halfPieceAxis) * b.halfPieceAxis +
                                                    static_cast<double>(b.bendRadius) * b.bendRadius));
    const PieceSides last = TraceJoints(b, out);
    RecordEndFace(b, last, in.Bend, out);

    // Piece records. Only the end pieces carry the typed cuts: a middle
    // piece's cuts are half its piece angle, which the radius above leaves
    // room for.
    RecordPieces(in, thicknessFactor, n, out);
    if (out.ElbowError != 0) return ErrEndPiecesTooShort;
    if (!ElbowValuesFinite(out, n + 1)) out.ElbowError = 1;
    return out.ElbowError != 0 ? ErrCylElbow : 0;
}

int ApplyCylElbow(CylElbowArray& data, const DevelopmentSettings& settings, LastElbow& out) {
    data[CylElbowStartCut] = static_cast<float>(data[CylElbowStartCutDegrees] * DegToRad);
    data[CylElbowEndCut] = static_cast<float>(data[CylElbowEndCutDegrees] * DegToRad);
    data[CylElbowBend] = static_cast<float>(data[CylElbowBendDegrees] * DegToRad);
    int message = CheckCylElbowInput(data);
    if (message == 0) message = CheckAngleStep(settings.AngleStep);
    if (message == 0) return ComputeCylElbow(data, settings.ThicknessFactor, out);
    out.ElbowError = 1;
    ++out.Generation;  // what was drawn from the last elbow is no longer its own
    return message;
}

}  // namespace velm
