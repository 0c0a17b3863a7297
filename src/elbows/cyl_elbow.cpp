#include "elbows/cyl_elbow.h"

#include <cmath>

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

PlanePoint Meet(const PlaneLine& l1, const PlaneLine& l2) {
    PlanePoint p;
    IntersectLines(l1, l2, p.x, p.y);
    return p;
}

bool AllFinite(const LastElbow& e, int faces) {
    const ElbowArray* arrays[] = {&e.PieceHeight, &e.PieceAxisLength, &e.PieceStartCut, &e.PieceEndCut,
                                  &e.FaceOuterX,  &e.FaceOuterY,      &e.FaceInnerX,    &e.FaceInnerY};
    for (const ElbowArray* a : arrays) {
        for (int i = 1; i <= faces; ++i) {
            if (!std::isfinite((*a)[i])) return false;
        }
    }
    return std::isfinite(e.PieceAngle) && std::isfinite(e.StartFaceWidth) && std::isfinite(e.EndFaceWidth);
}

}  // namespace

int CheckCylElbowInput(const CylElbowArray& data) {
    if (data[1] == 0) return ErrElbowThickness;
    if (data[2] == 0) return ErrElbowDiameter;
    if (data[6] == 0) return ErrElbowAxisLength;
    return 0;
}

int ComputeCylElbow(const CylElbowArray& data, std::int16_t thicknessFactor, LastElbow& out) {
    const std::uint64_t generation = out.Generation + 1;
    out = LastElbow{};
    out.Generation = generation;
    out.ShapeCode = ShapeCuCilindri;
    out.ElbowIsCylinder = 1;
    out.ThicknessFactor = thicknessFactor;
    out.StartIsCylindrical = out.EndIsCylindrical = true;

    const float s = data[1], d = data[2], startCut = data[9], endCut = data[10];
    const float bendDeg = data[5], bendRad = data[11], R = data[7];
    if (const int m = CheckPieceCount(data[8]); m != 0) {
        out.ElbowError = 1;
        return m;
    }
    const int n = static_cast<int>(data[8]);
    out.Pieces = out.PieceCount = static_cast<std::int16_t>(n);
    out.Thickness = s;
    out.BendRadius = R;
    out.AxisLength = data[6];
    out.Bend = out.Sweep = bendRad;

    const float D = static_cast<float>(thicknessFactor) * s + d;  // working diameter
    const float half = D / 2;
    bool usable = std::isfinite(s) && std::isfinite(d) && std::isfinite(startCut) && std::isfinite(endCut) &&
                  std::isfinite(bendRad) && std::isfinite(data[6]) && std::isfinite(R);
    usable = usable && bendDeg >= 10 && bendDeg <= 180 && D > 0;
    usable = usable && std::fabs(startCut) < Pi / 2 && std::fabs(endCut) < Pi / 2;
    // A radius that leaves the inner side no length (R = 0 would also make
    // parallel lines meet).
    const int refusal = !usable ? ErrCylElbow : !(R > half) ? ErrBendRadiusTooSmall : 0;
    if (refusal != 0) {
        out.ElbowError = 1;
        return refusal;
    }

    // 1. Piece angle, half piece axis, distance of the inner vertices.
    const float theta = static_cast<float>(bendDeg * DegToRad / (n - 1));
    out.PieceAngle = theta;
    out.HalfPieceAngle = theta / 2;
    const float h = static_cast<float>(R * std::tan(static_cast<double>(out.HalfPieceAngle)));
    const float rho = static_cast<float>(std::sqrt(static_cast<double>(h) * h + static_cast<double>(R) * R));

    // 2. The first piece's side lines.
    PlaneLine outerSide{1, 0, half};
    PlaneLine innerSide{1, 0, -half};
    PlaneLine prevNormal{};
    PlanePoint startOuter, startInner, P2, P4;
    PlaneLine normal{}, outerLine{}, innerLine{};

    // 3. Each piece i from the second on, joined to piece i - 1.
    for (int i = 2; i <= n; ++i) {
        const float phi = static_cast<float>(i - 2) * theta + theta / 2;
        const float ox = static_cast<float>(R - rho * std::cos(static_cast<double>(phi)));
        const float oy = static_cast<float>(rho * std::sin(static_cast<double>(phi)));
        const float beta = -static_cast<float>(i - 1) * theta;
        float outerLength = 2 * h;
        float innerLength = 2 * h;
        if (i == n) {  // the end face at the end cut
            const float rise = static_cast<float>(half * std::tan(static_cast<double>(endCut)));
            outerLength = h - rise;
            innerLength = h + rise;
        }
        const PlanePoint P1 = RotateTranslatePoint(-half, 0, beta, ox, oy);
        P2 = RotateTranslatePoint(-half, outerLength, beta, ox, oy);
        const PlanePoint P3 = RotateTranslatePoint(half, 0, beta, ox, oy);
        P4 = RotateTranslatePoint(half, innerLength, beta, ox, oy);
        outerLine = Through(P1, P2);
        innerLine = Through(P3, P4);

        const PlanePoint Co = Meet(outerSide, outerLine);
        const PlanePoint Ci = Meet(innerSide, innerLine);
        const int face = n - i + 2;
        out.FaceOuterX[face] = Co.x;
        out.FaceOuterY[face] = Co.y;
        out.FaceInnerX[face] = Ci.x;
        out.FaceInnerY[face] = Ci.y;

        const PlaneLine joint = Through(Co, Ci);
        normal = Through(P1, P3);
        if (i == 2) {
            const float rise = static_cast<float>(half * std::tan(static_cast<double>(startCut)));
            startOuter = {-half, -rise};
            startInner = {half, rise};
            const float top = Co.y < 0 ? DistanceToLine(Ci, XAxis)
                                       : MaxSingle(DistanceToLine(Co, XAxis), DistanceToLine(Ci, XAxis));
            const float bottom = startOuter.y < 0 ? DistanceToLine(startOuter, XAxis)
                                                  : DistanceToLine(startInner, XAxis);
            out.PieceHeight[n] = top + bottom;
            out.PieceEndCut[n] = static_cast<float>(std::atan(static_cast<double>(joint.a)));
            out.PieceHeight[n - 1] = DistanceToLine(Co, normal);
            out.PieceStartCut[n - 1] = AngleFromTo(normal, joint);
            out.StartFaceWidth = static_cast<float>(PointDistance(Meet(outerSide, XAxis).x, 0,
                                                                  Meet(innerSide, XAxis).x, 0));
        } else {
            out.PieceHeight[n - i + 1] = DistanceToLine(Co, normal);
            out.PieceHeight[n - i + 2] += DistanceToLine(Co, prevNormal);
            out.PieceEndCut[n - i + 2] = AngleFromTo(prevNormal, joint);
            out.PieceStartCut[n - i + 1] = AngleFromTo(normal, joint);
        }
        outerSide = outerLine;
        innerSide = innerLine;
        prevNormal = normal;
    }

    // 4. The last piece's end, the two end faces, the end face's width.
    out.PieceHeight[1] += MaxSingle(DistanceToLine(P4, normal), DistanceToLine(P2, normal));
    out.FaceOuterX[1] = P2.x;
    out.FaceOuterY[1] = P2.y;
    out.FaceInnerX[1] = P4.x;
    out.FaceInnerY[1] = P4.y;
    out.FaceOuterX[n + 1] = startOuter.x;
    out.FaceOuterY[n + 1] = startOuter.y;
    out.FaceInnerX[n + 1] = startInner.x;
    out.FaceInnerY[n + 1] = startInner.y;
    const float ex = static_cast<float>((1 - std::cos(static_cast<double>(bendRad))) * R);
    const float ey = static_cast<float>(R * std::sin(static_cast<double>(bendRad)));
    const PlaneLine endPlane = LineThroughPoints(R, 0, ex, ey);
    const PlanePoint eo = Meet(outerLine, endPlane);
    const PlanePoint ei = Meet(innerLine, endPlane);
    out.EndFaceWidth = static_cast<float>(PointDistance(eo.x, eo.y, ei.x, ei.y));

    // 5. Piece records: the first, the middle ones, the last.
    auto record = [&](int e) {
        out.PieceDiameter[e] = d;
        if (e == n) out.PieceStartCut[e] = startCut;
        if (e == 1) out.PieceEndCut[e] = endCut;
        double lowestTop = 0;
        float bottomRise = 0;
        ComputeCutHeightsWithThickness(out.PieceHeight[e], d, s, out.PieceEndCut[e], out.PieceStartCut[e],
                                       thicknessFactor, lowestTop, bottomRise, out.PieceAxisLength[e],
                                       out.ElbowError);
    };
    record(n);
    for (int e = n - 1; e >= 2; --e) record(e);
    record(1);

    // Only the end pieces carry the typed cuts: a middle piece's cuts are
    // half its piece angle, which the radius above leaves room for.
    if (out.ElbowError != 0) return ErrEndPiecesTooShort;
    if (!AllFinite(out, n + 1)) out.ElbowError = 1;
    return out.ElbowError != 0 ? ErrCylElbow : 0;
}

}  // namespace velm
