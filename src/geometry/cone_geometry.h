#pragma once
// Development of a cone frustum cut at both ends by inclined planes: the
// side slope and overall height, the apex angle, and the developed ring
// sector with the distances from the apex of both developed cut edges.
//
// The axial section through the seam generatrix: heights are measured from
// the lowest point of the lower cut; X runs from the seam generatrix's foot
// towards the opposite generatrix. A is the base angle (between a generatrix
// and the horizontal), R the frustum's radius at level 0. A cut angle's sign
// gives its slope; LatoSaldatura (+1 or -1) puts the seam on one generatrix
// or the opposite one. Typed diameters of cut ends are the long axes of the
// elliptical ends (the length of the cut's trace in the axial section).
#include <cstdint>

#include "geometry/profile_table.h"

namespace velm {

// What a frustum development leaves for the windows, previews and exports.
struct ConeResults {
    float FrustumHeight1 = 0;    // highest point of the upper cut: the overall height
    double FrustumHeight2 = 0;   // lowest point of the upper cut
    float LowerCutOffset = 0;    // highest point of the lower cut
    float ConeApexAngle = 0;     // degrees
    double ConeOuterRadius = 0;  // apex to the lower edge's seam point, developed
    double ConeInnerRadius = 0;  // apex to the upper edge's seam point, developed
    float ConeSectorAngle = 0;   // radians
    float ConeSectorAngleDeg = 0;
    float ConeOuterChord = 0;
    float ConeInnerChord = 0;
    // Entry i: distance from the apex of the edge point on the generatrix at
    // i * AngleStep degrees from the seam, developed at the polar angle
    // -ConeSectorAngle / 2 + i * ConeSectorAngle / 360 * AngleStep.
    ProfileTable ConeUpperRadii{};
    ProfileTable ConeLowerRadii{};
    // Extent of each developed edge along the sector's middle line.
    float UpperEdgeMaxY = 0;
    float UpperEdgeMinY = 0;
    float LowerEdgeMaxY = 0;
    float LowerEdgeMinY = 0;
    float UpperArcLength = 0;
    float LowerArcLength = 0;
};

// A frustum body as the formulas take it: the working upper (D1) and lower
// (D2) diameters, in double from the values as typed, and the cuts in
// radians (their sign gives their slope).
struct ConeBody {
    double UpperDiameter = 0;  // D1
    double LowerDiameter = 0;  // D2
    double UpperCut = 0;
    double LowerCut = 0;
};

// What the search for the base angle finds. Every value is 0 when NoBody is
// set, which is no body's value: callers test NoBody before reading them.
struct ConeSolution {
    float BaseRadius = 0;  // R
    float ApexHeight = 0;
    float BaseAngle = 0;  // A, radians
    float CutRise = 0;    // height of the lower cut's axis point above level 0
    double FrustumHeight1 = 0;
    double FrustumHeight2 = 0;
    float LowerCutOffset = 0;
    bool NoBody = false;  // no such body exists, or an input is unusable
};

// Finds the base angle A for which the upper cut's trace, laid through the
// axis at `axisHeight` above the lower cut's axis point, is D1 long, and from
// it the heights of the cut body. Searches the whole admissible range
// (steeper than both cuts, up to vertical) for a bracketed root. The body
// does not depend on the weld side.
ConeSolution SolveConeHalfAngle(const ConeBody& body, double axisHeight);

// The axial section recomputed from the overall height.
struct ConeSection {
    double BaseAngle = 0;  // A, radians
    float ApexAngle = 0;   // degrees
    double BaseRadius = 0;  // R
    double FrustumHeight2 = 0;
    double LowerCutOffset = 0;
    double SeamInset = 0;  // X of the upper cut's seam point
    double AxisCheck = 0;  // the axis length of the result
    bool Impossible = false;
};

// Recomputes A, R, the heights and the apex angle from the overall height,
// in double: a nearly cylindrical frustum's side is too steep, and a thin
// one's cut too close to its side, for single precision. Every check decides
// on values that do not depend on the weld side. referenceLength 0 skips the
// comparison with it; otherwise a miss of more than 1 % flags the body.
// Impossible is set for a body that cannot be built (ends touching or
// crossing, a cut steeper than the side, the axis missed, a result that is
// not a number); a value that is not a number is handed on as 0.
ConeSection ComputeConeAngle(const ConeBody& body, double frustumHeight1, std::int16_t latoSaldatura,
                             double referenceLength);

// The developed sector and both edge tables (entries 0..N computed, N+1..2N
// mirrored, N = round(180 / angleStep)), the extremes and the arc lengths:
// every field of `out` from ConeOuterRadius on. Returns false, with those
// fields set to 0, when the step does not fit the tables or does not divide
// the half turn (StepDividesHalfTurn), or the body gives
// no finite development (a zero divisor, a side that is not a cone's).
bool ComputeConeDevelopmentTables(const ConeBody& body, double frustumHeight1, const ConeSection& section,
                                  float angleStep, std::int16_t latoSaldatura, ConeResults& out);

}  // namespace velm
