#include "cylinders/cylinder_piece.h"

#include "geometry/angles.h"

namespace velm {

std::int16_t DevelopCylinderPiece(const ElbowPiece& piece, const DevelopmentSettings& settings,
                                  CylinderArray& record, CylinderResults& results) {
    record[1] = piece.Thickness;
    record[2] = piece.Diameter;
    record[3] = piece.AxisLength;
    record[4] = static_cast<float>(piece.StartCut * 180 / Pi);
    record[5] = static_cast<float>(piece.EndCut * 180 / Pi);
    record[6] = piece.StartCut;
    record[7] = piece.EndCut;

    std::int16_t errorFlag = 0;
    results.Hmax = piece.Height;
    float axisLength = 0;
    ComputeCutHeightsWithThickness(results.Hmax, record[2], record[1], record[7], record[6],
                                   settings.ThicknessFactor, results.Hmed, results.Hmin, axisLength, errorFlag);
    const float workingDiameter = static_cast<float>(settings.ThicknessFactor) * record[1] + record[2];
    if (!ComputeCutCurveTables(workingDiameter, results.Hmax, record[7], record[6], results.Hmed, results.Hmin,
                               settings.AngleStep, settings.LatoSaldatura, results.CylUpperHeights,
                               results.CylLowerHeights, results.DevelopedLength, results.UpperArcLength,
                               results.LowerArcLength)) {
        errorFlag = 1;
    }
    return errorFlag;
}

}  // namespace velm
