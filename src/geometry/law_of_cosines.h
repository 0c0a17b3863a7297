#pragma once
// Third side of a triangle from two sides and the angle between them.

namespace velm {

// sqrt(a^2 + b^2 - 2ab cos(gamma)), gamma in radians, in double precision.
// Computed as sqrt((a - b)^2 + 4ab sin^2(gamma / 2)), which does not cancel
// when a and b are nearly equal and gamma small (neighbouring points of a
// developed edge). The result is never negative and never NaN: a non-finite
// argument gives +infinity.
double LawOfCosinesSide(double a, double b, double gamma);

}  // namespace velm
