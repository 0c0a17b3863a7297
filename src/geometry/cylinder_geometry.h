#pragma once
// Cut edges of a cylinder cut at both ends by inclined planes: the three
// heights, the two edge tables, the edge lengths and the developed length.
// Heights are measured along the generatrices from the lowest point of the
// bottom edge. A cut angle's sign gives its slope; the weld side turns the
// seam to the opposite generatrix of an edge.
#include <cstdint>

#include "geometry/profile_table.h"

namespace velm {

// What a cylinder development leaves for the windows, previews and exports.
struct CylinderResults {
    float Hmax = 0;           // highest point of the top edge
    double Hmed = 0;          // lowest point of the top edge
    float Hmin = 0;           // highest point of the bottom edge
    ProfileTable CylUpperHeights{};
    ProfileTable CylLowerHeights{};
    double DevelopedLength = 0;  // D' * Pi, the width of the plate
    float UpperArcLength = 0;
    float LowerArcLength = 0;
};

float MaxSingle(float a, float b);
float MinSingle(float a, float b);

// Index of the half turn in a profile table: 180 / angleStep rounded, halves
// to even. -1 for a step the tables cannot hold (not finite, not positive,
// finer than 2N <= 3600 allows, or coarser than half a turn).
int HalfTurnIndex(float angleStep);

// True when the step fits the tables and the half turn is a whole number of
// steps. Any other step would mirror entries from the wrong generatrices and
// leave the outline short of the seam, so the developments refuse it.
bool StepDividesHalfTurn(float angleStep);

// Heights from the axis length. errorFlag becomes 1 for a body that cannot be
// built; otherwise it keeps what the caller set.
void ComputeCutHeightsFromAxis(float axisLength, float workingDiameter, double bottomCut, double topCut,
                               float& Hmax, double& Hmed, float& Hmin, std::int16_t& errorFlag);

// The same relation solved from a given Hmax, for a piece of the typed
// diameter and thickness; the working diameter is diameter + factor * thickness.
void ComputeCutHeightsWithThickness(float Hmax, float diameter, float thickness, float bottomCut,
                                    float topCut, std::int16_t thicknessFactor, double& Hmed,
                                    float& Hmin, float& axisLength, std::int16_t& errorFlag);

// Fills entries 0..2N of both tables (0..N computed, the rest mirrored), the
// two edge lengths and the developed length. Returns false, touching nothing,
// when the step does not fit the tables or does not divide the half turn.
bool ComputeCutCurveTables(float workingDiameter, float Hmax, double bottomCut, double topCut,
                           double Hmed, float Hmin, float angleStep, std::int16_t latoSaldatura,
                           ProfileTable& upperTable, ProfileTable& lowerTable,
                           double& developedLength, float& upperArcLength, float& lowerArcLength);

}  // namespace velm
