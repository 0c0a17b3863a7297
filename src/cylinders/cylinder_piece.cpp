#include "cylinders/cylinder_piece.h"

#include "cylinders/cylinder_compute.h"
#include "geometry/angles.h"

namespace velm {

DevelopedCylinder DevelopCylinderPiece(const ElbowPiece& piece, const DevelopmentSettings& settings,
                                       CylinderResults& results) {
    DevelopedCylinder d;
    d.Developed = true;
    CylinderInputs& in = d.Inputs;
    in.Thickness = piece.Thickness;
    in.Diameter = piece.Diameter;
    in.AxisLength = piece.AxisLength;
    in.TopCut = static_cast<float>(RadiansToDegrees(piece.StartCut));
    in.BottomCut = static_cast<float>(RadiansToDegrees(piece.EndCut));
    in.TopCutRadians = piece.StartCut;
    in.BottomCutRadians = piece.EndCut;

    // The piece's own height stands for the axis length, its cuts for the typed ones.
    const CylinderBody body{WorkingDiameter(in.Diameter, in.Thickness, settings.ThicknessFactor),
                            in.BottomCutRadians, in.TopCutRadians};
    const CutHeights heights = ComputeCutHeightsFromTop(body, piece.Height);
    const bool tables = StoreCylinderDevelopment(body, heights, settings, results);
    d.Usable = !heights.Impossible && tables;
    return d;
}

}  // namespace velm
