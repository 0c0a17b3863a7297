#include "cones/cone_piece.h"

#include "geometry/angles.h"

namespace velm {

std::int16_t DevelopConePiece(const ElbowPiece& piece, const DevelopmentSettings& settings, ConeArray& record,
                              ConeResults& results) {
    record[1] = piece.Thickness;
    record[2] = piece.SmallDiameter;
    record[3] = piece.LargeDiameter;
    record[4] = piece.AxisLength;
    record[5] = static_cast<float>(piece.StartCut * 180 / Pi);
    record[6] = static_cast<float>(piece.EndCut * 180 / Pi);
    record[7] = piece.StartCut;
    record[8] = piece.EndCut;

    results.FrustumHeight1 = piece.Height;
    const float factorThickness = static_cast<float>(settings.ThicknessFactor) * record[1];
    const float upperDiameter = factorThickness + record[2];
    const float lowerDiameter = factorThickness + record[3];
    std::int16_t errorFlag = 0;
    double baseAngle = 0, baseRadius = 0, seamInset = 0, axisLength = 0;
    double height2 = results.FrustumHeight2, lowerCutOffset = results.LowerCutOffset;
    ComputeConeAngle(results.FrustumHeight1, upperDiameter, lowerDiameter, record[8], record[7],
                     settings.LatoSaldatura, baseAngle, results.ConeApexAngle, baseRadius, height2, lowerCutOffset,
                     seamInset, axisLength, 0, errorFlag);
    results.FrustumHeight2 = height2;
    results.LowerCutOffset = static_cast<float>(lowerCutOffset);
    if (!ComputeConeDevelopmentTables(baseAngle, baseRadius, results.FrustumHeight1, height2, lowerCutOffset,
                                      seamInset, record[8], record[7], settings.AngleStep, settings.LatoSaldatura,
                                      results)) {
        errorFlag = 1;
    }
    return errorFlag;
}

}  // namespace velm
