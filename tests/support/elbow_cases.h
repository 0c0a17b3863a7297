#pragma once
// Elbow input arrays as the windows leave them: degrees typed, radians beside.
#include "core/working_state.h"

namespace velm::elbow_cases {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180;

inline float Rad(double deg) { return static_cast<float>(deg * kDeg); }

// Thickness, diameter, start and end cut, bend (degrees), bend radius, pieces.
inline CylElbowArray CylData(float s, float d, float startDeg, float endDeg, float bendDeg, float R, float n) {
    return {0, s, d, startDeg, endDeg, bendDeg, static_cast<float>(R * bendDeg * kDeg), R, n,
            Rad(startDeg), Rad(endDeg), Rad(bendDeg)};
}

// Thickness, small diameter, start cut, large diameter, end cut, bend, bend
// radius, pieces; the axis length follows from the radius.
inline ConeElbowArray ConeData(float s, float d, float startDeg, float D, float endDeg, float bendDeg, float R,
                               float n) {
    return {0, s, d, startDeg, D, endDeg, bendDeg, static_cast<float>(R * bendDeg * kDeg), R, n,
            Rad(startDeg), Rad(endDeg), Rad(bendDeg), 0};
}

}  // namespace velm::elbow_cases
