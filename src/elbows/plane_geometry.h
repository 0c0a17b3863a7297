#pragma once
// Plane geometry of the elbows: lines a*x + b*y + c = 0 through two points
// and their intersection, distances, the angle between two lines, rotation,
// the mapping into a picture and the triangle laws. Points and lines are
// single precision as the elbow arrays keep them; results come back in
// double, and the triangle laws work in double throughout.
// (The law of cosines lives with the development geometry.)
#include <cstdint>
#include <optional>

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
// floor(x), floor(y) as 16-bit whole numbers, held to the 16-bit range; a
// value that is not a number gives 0.
struct IntegerPair {
    std::int16_t x = 0, y = 0;
};
IntegerPair ToIntegerPair(float x, float y);
PlaneLine LineThroughPoints(float x1, float y1, float x2, float y2);
// Turned counter-clockwise about the origin by `angle`, then moved by (dx, dy).
PlanePoint RotateTranslatePoint(float x, float y, float angle, float dx, float dy);
// (x / scale * k + offsetX, offsetY - y / scale * k).
PlanePoint WorldToPicture(PlanePoint p, float k, float offsetX, float offsetY, float scale);
// Cramer's rule with the determinant in single precision; nothing for
// parallel lines.
std::optional<PlanePoint> IntersectLines(const PlaneLine& l1, const PlaneLine& l2);
// The angle opposite side a: arccos q for q > 0, arccos q - pi for q < 0 (the
// callers take that sign), pi/2 for q = 0, with q = (b^2 + c^2 - a^2) / (2bc)
// held to [-1, 1]; 0 when b or c is zero.
double AngleFromThreeSides(double a, double b, double c);
// a * sin(alpha) / sin(beta): the side opposite alpha when a lies opposite beta.
double LawOfSinesSide(double a, double alpha, double beta);

}  // namespace velm
