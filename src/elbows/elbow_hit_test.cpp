#include "elbows/elbow_hit_test.h"

#include <cmath>

#include "geometry/angles.h"

namespace velm {

std::optional<float> AngleAboveCentre(float x, float y, float cx, float cy) {
    // The centre line first: the centre itself (r = 0) never reaches the divisions below.
    if (!(y < cy)) return std::nullopt;
    const float dx = std::fabs(x - cx);
    const float dy = std::fabs(y - cy);
    const float r = std::sqrt(dx * dx + dy * dy);
    if (!(r > 0) || !std::isfinite(r)) return std::nullopt;
    float c = dx / r;
    if (c > 1) c = 1;
    if (!(c >= 0)) c = 0;
    const double s2 = 1.0 - static_cast<double>(c) * c;
    // c = 1 (a point far out along the line): the arctangent's limit.
    const double arc = s2 > 0 ? std::atan(-c / std::sqrt(s2)) : -Pi / 2;
    auto theta = static_cast<float>(arc + 1.5708);
    if (x > cx) theta = static_cast<float>(Pi - theta);
    return theta;
}

std::int16_t PieceBySector(float theta, double firstEnd, double lastStart, double step, std::int16_t n) {
    if (n < 1) return 0;
    if (static_cast<float>(firstEnd) > theta) return 1;
    if (static_cast<float>(lastStart) < theta) return n;
    for (std::int16_t k = 1; k < n; ++k)
        if (static_cast<float>(firstEnd + k * step) > theta) return static_cast<std::int16_t>(k + 1);
    return n;
}

std::int16_t CylElbowPieceAt(float x, float y, float cx, float cy, std::int16_t n, float bend) {
    if (n < 2 || !std::isfinite(bend)) return 0;
    const std::optional<float> theta = AngleAboveCentre(x, y, cx, cy);
    if (!theta) return 0;
    const auto a0 = static_cast<float>(Pi / 2 - bend / 2);  // the start of the bend
    const float step = bend / static_cast<float>(n - 1);    // one whole piece; the end pieces are halves
    const float half = step / 2;
    return PieceBySector(*theta, static_cast<double>(a0) + half, Pi - a0 - half, step, n);
}

}  // namespace velm
