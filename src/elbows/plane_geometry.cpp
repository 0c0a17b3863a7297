#include "elbows/plane_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "geometry/angles.h"

namespace velm {

double AngleBetweenDirections(float a1, float b1, float a2, float b2) {
    const double cross = static_cast<double>(a1) * b2 - static_cast<double>(b1) * a2;
    const double dot = static_cast<double>(a1) * a2 + static_cast<double>(b1) * b2;
    if (dot == 0) return cross > 0 ? Pi / 2 : (cross < 0 ? -Pi / 2 : 0.0);
    return std::atan(cross / dot);
}

double PointDistance(float x1, float y1, float x2, float y2) {
    const double dx = static_cast<double>(x1) - x2;
    const double dy = static_cast<double>(y1) - y2;
    return std::sqrt(dx * dx + dy * dy);
}

double PointLineDistance(float x, float y, float a, float b, float c) {
    const double norm = std::sqrt(static_cast<double>(a) * a + static_cast<double>(b) * b);
    if (norm == 0) return 0;
    return std::fabs(static_cast<double>(a) * x + static_cast<double>(b) * y + c) / norm;
}

namespace {

std::int16_t Floor16(float v) {
    if (std::isnan(v)) return 0;
    const double f = std::floor(static_cast<double>(v));
    return static_cast<std::int16_t>(std::clamp(f, -32768.0, 32767.0));
}

}  // namespace

IntegerPair ToIntegerPair(float x, float y) { return {Floor16(x), Floor16(y)}; }

PlaneLine LineThroughPoints(float x1, float y1, float x2, float y2) {
    if (x1 == x2) return {1, 0, -x1};
    const float a = static_cast<float>((static_cast<double>(y2) - y1) / (static_cast<double>(x2) - x1));
    return {a, -1, static_cast<float>(y1 - static_cast<double>(a) * x1)};
}

PlanePoint RotateTranslatePoint(float x, float y, float angle, float dx, float dy) {
    const double c = std::cos(static_cast<double>(angle));
    const double s = std::sin(static_cast<double>(angle));
    return {static_cast<float>(x * c - y * s + dx), static_cast<float>(x * s + y * c + dy)};
}

PlanePoint WorldToPicture(PlanePoint p, float k, float offsetX, float offsetY, float scale) {
    return {static_cast<float>(static_cast<double>(p.x) / scale * k + offsetX),
            static_cast<float>(offsetY - static_cast<double>(p.y) / scale * k)};
}

std::optional<PlanePoint> IntersectLines(const PlaneLine& l1, const PlaneLine& l2) {
    const float det = static_cast<float>(static_cast<double>(l1.a) * l2.b - static_cast<double>(l1.b) * l2.a);
    if (det == 0 || !std::isfinite(det)) return std::nullopt;
    return PlanePoint{static_cast<float>((static_cast<double>(l1.b) * l2.c - static_cast<double>(l1.c) * l2.b) / det),
                      static_cast<float>((static_cast<double>(l1.c) * l2.a - static_cast<double>(l1.a) * l2.c) / det)};
}

double AngleFromThreeSides(double a, double b, double c) {
    const double denominator = 2.0 * b * c;
    if (denominator == 0) return 0;
    // Rounding takes q just past 1 for a flat triangle: held, never a NaN.
    double q = (b * b + c * c - a * a) / denominator;
    if (std::isnan(q)) return q;
    q = std::clamp(q, -1.0, 1.0);
    if (q == 0) return Pi / 2;
    return std::atan(std::sqrt(1.0 - q * q) / q);
}

double LawOfSinesSide(double a, double alpha, double beta) { return a * std::sin(alpha) / std::sin(beta); }

}  // namespace velm
