#include "elbows/elbow_inputs.h"

namespace velm {

CylElbowInputs CylElbowInputsOf(const CylElbowArray& d) {
    CylElbowInputs in;
    in.Thickness = d[CylElbowThickness];
    in.Diameter = d[CylElbowDiameter];
    in.StartCutDegrees = d[CylElbowStartCutDegrees];
    in.EndCutDegrees = d[CylElbowEndCutDegrees];
    in.BendDegrees = d[CylElbowBendDegrees];
    in.AxisLength = d[CylElbowAxisLength];
    in.BendRadius = d[CylElbowBendRadius];
    in.Pieces = d[CylElbowPieces];
    in.StartCut = d[CylElbowStartCut];
    in.EndCut = d[CylElbowEndCut];
    in.Bend = d[CylElbowBend];
    return in;
}

ConeElbowInputs ConeElbowInputsOf(const ConeElbowArray& d) {
    ConeElbowInputs in;
    in.Thickness = d[ConeElbowThickness];
    in.SmallDiameter = d[ConeElbowSmallDiameter];
    in.LargeDiameter = d[ConeElbowLargeDiameter];
    in.StartCutDegrees = d[ConeElbowStartCutDegrees];
    in.EndCutDegrees = d[ConeElbowEndCutDegrees];
    in.BendDegrees = d[ConeElbowBendDegrees];
    in.AxisLength = d[ConeElbowAxisLength];
    in.BendRadius = d[ConeElbowBendRadius];
    in.Pieces = d[ConeElbowPieces];
    in.StartCut = d[ConeElbowStartCut];
    in.EndCut = d[ConeElbowEndCut];
    in.Bend = d[ConeElbowBend];
    return in;
}

namespace {

// The end record's elements follow the start record's.
int First(int record) { return record == ConnectionEnd ? EndConnectionKind : StartConnectionKind; }

}  // namespace

EndConnection EndConnectionOf(const EndConnectionArray& c, int record) {
    const int k = First(record);
    return {c[k], c[k + 1], c[k + 2], c[k + 3], c[k + 4]};
}

void StoreEndConnection(EndConnectionArray& c, int record, const EndConnection& e) {
    const int k = First(record);
    c[k] = e.Kind;
    c[k + 1] = e.Diameter;
    c[k + 2] = e.CutAngle;
    c[k + 3] = e.Length;
    c[k + 4] = e.SecondDiameter;
}

}  // namespace velm
