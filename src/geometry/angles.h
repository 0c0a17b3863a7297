#pragma once
// Angle constants shared by every formula.
namespace velm {

constexpr double Pi = 3.14159265358979323846;  // 4 * arctangent(1)
constexpr double DegToRad = Pi / 180.0;

// Radians to degrees, multiplied before dividing; a single-precision angle is
// multiplied in single precision, so that the degrees a piece keeps round to
// the same last bit as ever.
constexpr double RadiansToDegrees(double radians) { return radians * 180 / Pi; }
constexpr double RadiansToDegrees(float radians) { return radians * 180 / Pi; }

}  // namespace velm
