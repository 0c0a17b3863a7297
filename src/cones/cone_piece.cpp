#include "cones/cone_piece.h"

#include "cones/cone_compute.h"
#include "geometry/angles.h"

namespace velm {

DevelopedCone DevelopConePiece(const ElbowPiece& piece, const DevelopmentSettings& settings, ConeResults& results) {
    DevelopedCone d;
    d.Developed = true;
    ConeInputs& in = d.Inputs;
    in.Thickness = piece.Thickness;
    in.UpperDiameter = piece.SmallDiameter;
    in.LowerDiameter = piece.LargeDiameter;
    in.AxisHeight = piece.AxisLength;
    in.UpperCut = static_cast<float>(RadiansToDegrees(piece.StartCut));
    in.LowerCut = static_cast<float>(RadiansToDegrees(piece.EndCut));
    in.UpperCutRadians = piece.StartCut;
    in.LowerCutRadians = piece.EndCut;

    results.FrustumHeight1 = piece.Height;
    // The elbow rounds its double side view once into the piece: the
    // diameters as typed (the typed ones and the whole steps between them come
    // back exactly), the height as it was rounded; the cuts are the piece's own.
    const double height1 = piece.Height;
    ConeBody body;
    body.UpperDiameter = TypedWorkingDiameter(in.UpperDiameter, in.Thickness, settings.ThicknessFactor);
    body.LowerDiameter = TypedWorkingDiameter(in.LowerDiameter, in.Thickness, settings.ThicknessFactor);
    body.UpperCut = in.UpperCutRadians;
    body.LowerCut = in.LowerCutRadians;
    const ConeSection section = ComputeConeAngle(body, height1, settings.LatoSaldatura, 0);
    results.ConeApexAngle = section.ApexAngle;
    results.FrustumHeight2 = section.FrustumHeight2;
    results.LowerCutOffset = static_cast<float>(section.LowerCutOffset);
    const bool usable =
        ComputeConeDevelopmentTables(body, height1, section, settings.AngleStep, settings.LatoSaldatura, results);
    d.NoBody = section.Impossible;
    d.Usable = !section.Impossible && usable;
    return d;
}

}  // namespace velm
