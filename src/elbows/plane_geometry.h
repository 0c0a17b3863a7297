#pragma once
// Plane geometry of the elbows: lines a*x + b*y + c = 0 through two points
// and their intersection, distances, the angle between two lines, rotation,
// the mapping into a picture and the triangle laws. Points and lines are
// single precision as the elbow arrays keep them; results come back in
// double, and the triangle laws work in double throughout.
// (The law of cosines lives with the development geometry.)
#include <cstdint>

namespace velm {

// A line a*x + b*y + c = 0. Lines through two points are normalised: b = -1
// unless the line is vertical, which is (1, 0, -x).
struct PlaneLine {
    float a = 0, b = 0, c = 0;
};

struct PlanePoint {
    float x = 0, y = 0;
};

// The signed angle that turns line 1 into line 2, in [-pi/2, pi/2], from the
// lines' first two coefficients; +-pi/2 for perpendicular lines.
double AngleBetweenDirections(float a1, float b1, float a2, float b2);
double PointDistance(float x1, float y1, float x2, float y2);
// Distance of a point from a line; 0 for a "line" with a = b = 0.
double PointLineDistance(float x, float y, float a, float b, float c);
// iy = floor(y), ix = floor(x) as 16-bit whole numbers (note the order),
// held to the 16-bit range; a value that is not a number gives 0.
void ToIntegerPair(float x, float y, std::int16_t& iy, std::int16_t& ix);
PlaneLine LineThroughPoints(float x1, float y1, float x2, float y2);
// Turned counter-clockwise about the origin by `angle`, then moved by (dx, dy).
PlanePoint RotateTranslatePoint(float x, float y, float angle, float dx, float dy);
// In place: x = x / scale * k + offsetX; y = offsetY - y / scale * k.
void WorldToPicture(float& x, float& y, float k, float offsetX, float offsetY, float scale);
// Cramer's rule with the determinant in single precision; false, leaving the
// point alone, for parallel lines.
bool IntersectLines(const PlaneLine& l1, const PlaneLine& l2, float& x, float& y);
// The angle opposite side a: arccos q for q > 0, arccos q - pi for q < 0 (the
// callers take that sign), pi/2 for q = 0, with q = (b^2 + c^2 - a^2) / (2bc)
// held to [-1, 1]; 0 when b or c is zero.
double AngleFromThreeSides(double a, double b, double c);
// a * sin(alpha) / sin(beta): the side opposite alpha when a lies opposite beta.
double LawOfSinesSide(double a, double alpha, double beta);

}  // namespace velm
