#include "cylinders/cylinder_piece.h"

#include "core/shape_inputs.h"
#include "cylinders/cylinder_compute.h"
#include "geometry/angles.h"

namespace velm {

std::int16_t DevelopCylinderPiece(const ElbowPiece& piece, const DevelopmentSettings& settings,
                                  CylinderArray& record, CylinderResults& results) {
    CylinderInputs in;
    in.Thickness = piece.Thickness;
    in.Diameter = piece.Diameter;
    in.AxisLength = piece.AxisLength;
    in.TopCut = static_cast<float>(piece.StartCut * 180 / Pi);
    in.BottomCut = static_cast<float>(piece.EndCut * 180 / Pi);
    in.TopCutRadians = piece.StartCut;
    in.BottomCutRadians = piece.EndCut;
    StoreCylinderInputs(in, record);

    // The piece's own height stands for the axis length, its cuts for the typed ones.
    const CylinderBody body{CylinderWorkingDiameter(in.Diameter, in.Thickness, settings.ThicknessFactor),
                            in.BottomCutRadians, in.TopCutRadians};
    const CutHeights heights = ComputeCutHeightsFromTop(body, piece.Height);
    const bool tables = StoreCylinderDevelopment(body, heights, settings, results);
    return heights.Impossible || !tables ? 1 : 0;
}

}  // namespace velm
