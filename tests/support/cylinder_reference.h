#pragma once
// A cut cylinder built in space, to check the development against. The fibre
// circle of radius R stands on the z axis; the bottom plane passes through
// the origin, the top plane through (0, 0, H), each tilted about the y axis by
// its signed cut angle (normal (-sin a, 0, cos a)). The weld seam is the
// generatrix at x = -lato * R; the one theta degrees from it lies at
// x = -lato * R * cos(theta). Heights count from the lowest bottom point.
#include <algorithm>
#include <cmath>

#include "core/working_state.h"

namespace velm::cut_cylinder {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180;

struct CutCylinder {
    double diameter;  // of the fibre
    double axis;
    double bottomDeg;
    double topDeg;
    int lato = 1;

    static double PlaneZ(double z0, double angle, double x) { return z0 + x * std::tan(angle); }
    double X(double thetaDeg) const { return -lato * diameter / 2 * std::cos(thetaDeg * kDeg); }
    double Base() const {
        return std::min(PlaneZ(0, bottomDeg * kDeg, diameter / 2), PlaneZ(0, bottomDeg * kDeg, -diameter / 2));
    }
    double Upper(double thetaDeg) const { return PlaneZ(axis, topDeg * kDeg, X(thetaDeg)) - Base(); }
    double Lower(double thetaDeg) const { return PlaneZ(0, bottomDeg * kDeg, X(thetaDeg)) - Base(); }
    double Hmax() const { return std::max(Upper(0), Upper(180)); }
    double Hmed() const { return std::min(Upper(0), Upper(180)); }
    double Hmin() const { return std::max(Lower(0), Lower(180)); }
};

// The cut curve is an ellipse of semi-axes R / cos(cut) and R, which the
// plate carries at its true length (Ramanujan's second approximation).
inline double EllipsePerimeter(double radius, double cutDeg) {
    const double a = radius / std::cos(cutDeg * kDeg), b = radius;
    const double h = (a - b) * (a - b) / ((a + b) * (a + b));
    return kPi * (a + b) * (1 + 3 * h / (10 + std::sqrt(4 - 3 * h)));
}

inline float Rad(double deg) { return static_cast<float>(deg * kDeg); }

// Cylinder data as the windows leave it: degrees in 4 and 5, radians in 6 and
// 7; FrmCiDiscordi stores the bottom angle negated.
inline CylinderArray WindowData(float s, float d, float h, float topDeg, float bottomDeg) {
    return {0, s, d, h, topDeg, bottomDeg, Rad(topDeg), Rad(bottomDeg)};
}

}  // namespace velm::cut_cylinder
