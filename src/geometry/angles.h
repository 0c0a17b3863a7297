#pragma once
// Angle constants shared by every formula.
namespace velm {

constexpr double Pi = 3.14159265358979323846;  // 4 * arctangent(1)
constexpr double DegToRad = Pi / 180.0;

}  // namespace velm
