#include "cones/cone_piece.h"

#include "cones/cone_compute.h"
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
    // The elbow rounds its double side view once into the piece: the
    // diameters as typed (the typed ones and the whole steps between them come
    // back exactly), the height as it was rounded.
    const double height1 = piece.Height;
    const double upperDiameter = TypedWorkingDiameter(record[2], record[1], settings.ThicknessFactor);
    const double lowerDiameter = TypedWorkingDiameter(record[3], record[1], settings.ThicknessFactor);
    std::int16_t errorFlag = 0;
    double baseAngle = 0, baseRadius = 0, seamInset = 0, axisLength = 0;
    double height2 = results.FrustumHeight2, lowerCutOffset = results.LowerCutOffset;
    ComputeConeAngle(height1, upperDiameter, lowerDiameter, record[8], record[7],
                     settings.LatoSaldatura, baseAngle, results.ConeApexAngle, baseRadius, height2, lowerCutOffset,
                     seamInset, axisLength, 0, errorFlag);
    results.FrustumHeight2 = height2;
    results.LowerCutOffset = static_cast<float>(lowerCutOffset);
    if (!ComputeConeDevelopmentTables(baseAngle, baseRadius, height1, height2, lowerCutOffset,
                                      seamInset, record[8], record[7], settings.AngleStep, settings.LatoSaldatura,
                                      results)) {
        errorFlag = 1;
    }
    return errorFlag;
}

}  // namespace velm
