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

// A cylinder as the height formulas take it: the working diameter (inner,
// mean or outer fibre) and the cuts in radians (their sign gives their slope).
struct CylinderBody {
    float WorkingDiameter = 0;
    double BottomCut = 0;
    double TopCut = 0;
};

// The three heights of a cut cylinder, and its axis length.
struct CutHeights {
    float Hmax = 0;           // highest point of the top edge
    double Hmed = 0;          // lowest point of the top edge
    float Hmin = 0;           // highest point of the bottom edge
    float AxisLength = 0;
    bool Impossible = false;  // a body that cannot be built
};

// Heights from the axis length (AxisLength is the one given).
CutHeights ComputeCutHeightsFromAxis(const CylinderBody& body, float axisLength);

// The same relation solved from a given Hmax.
CutHeights ComputeCutHeightsFromTop(const CylinderBody& body, float Hmax);

// The working diameter (inner, mean or outer fibre) of a plate of the typed
// diameter and thickness, cylinder or frustum end: diameter + factor *
// thickness, in single precision.
float WorkingDiameter(float diameter, float thickness, int thicknessFactor);

// What the cut curves give besides their tables. The two edge lengths are
// kept apart: stored side by side, the compiler pairs their sums in memory
// and the table loop runs about a tenth slower.
struct CutCurveLengths {
    bool Done = false;  // false: the step does not fit the tables or divide the half turn
    float UpperArcLength = 0;
    double DevelopedLength = 0;  // D' * Pi, the width of the plate
    float LowerArcLength = 0;
};

// Fills entries 0..2N of both tables (0..N computed, the rest mirrored) and
// gives the two edge lengths and the developed length. Touches neither table
// when the step does not fit them or does not divide the half turn.
CutCurveLengths ComputeCutCurveTables(const CylinderBody& body, const CutHeights& heights, float angleStep,
                                      std::int16_t latoSaldatura, ProfileTable& upperTable,
                                      ProfileTable& lowerTable);

}  // namespace velm
