#include "elbows/cone_elbow_hit_test.h"

#include <cmath>
#include <optional>

#include "core/piece_count.h"
#include "elbows/elbow_hit_test.h"
#include "geometry/angles.h"

namespace velm {

namespace {

// The point's angle from the left horizontal through 1.5708 straight above
// (or below) to pi at the right horizontal, measured on |dx| and |dy|. The
// arccosine is taken as atan(-c / sqrt(1 - c^2)) + 1.5708, with c
// kept to 0..1 and the horizontal itself (where that divides by zero) at 0.
// Nothing for the centre.
std::optional<float> AngleFromLeft(float x, float y, float cx, float cy) {
    const float dx = std::fabs(x - cx), dy = std::fabs(y - cy);
    const float r = std::sqrt(dx * dx + dy * dy);
    if (!(r > 0)) return std::nullopt;
    float c = dx / r;
    if (c > 1) c = 1;
    float theta = 0;
    if (c < 1) theta = static_cast<float>(std::atan(-c / std::sqrt(1 - c * c)) + 1.5708);
    if (x > cx) theta = static_cast<float>(Pi - theta);
    return theta;
}

float Boundary(double value) { return static_cast<float>(value); }

bool Usable(std::int16_t n, float bend) {
    return n >= 1 && n <= ElbowPiecesMax && std::isfinite(bend) && bend > 0;
}

// The first k from 1 to last for which start + k * step exceeds theta, or
// last + 1 when none does.
int FirstBoundaryAbove(float theta, double start, double step, int last) {
    int k = 1;
    while (k <= last && !(Boundary(start + k * step) > theta)) ++k;
    return k;
}

}  // namespace

std::int16_t ConeElbow1PieceAt(float x, float y, float cx, float cy, std::int16_t n, float bend) {
    // Half pieces at both ends, as the cylindrical elbow.
    if (!Usable(n, bend)) return 0;
    return CylElbowPieceAt(x, y, cx, cy, n, bend);
}

std::int16_t ConeElbow2PieceAt(float x, float y, float cx, float cy, std::int16_t n, float bend) {
    if (!Usable(n, bend) || !(y < cy)) return 0;
    const auto theta = AngleFromLeft(x, y, cx, cy);
    if (!theta) return 0;
    const float a0 = static_cast<float>(Pi / 2 - bend / 2.0f);
    const float step = bend / static_cast<float>(n);
    const int k = FirstBoundaryAbove(*theta, a0, step, n);
    return static_cast<std::int16_t>(k > n ? n : k);
}

std::int16_t ConeElbow3PieceAt(float x, float y, float cx, float cy, std::int16_t n, float bend) {
    if (!Usable(n, bend)) return 0;
    const auto theta = AngleFromLeft(x, y, cx, cy);
    if (!theta) return 0;
    const int last = n + 2;
    const float a0 = static_cast<float>(Pi / 2 - bend / 2.0f);
    const float step = bend / static_cast<float>(n);
    if (*theta < a0) return 1;
    if (Boundary(a0 + static_cast<double>(bend)) < *theta) return static_cast<std::int16_t>(last);
    if (y > cy && x < cx) return 1;
    if (y > cy && x > cx) return static_cast<std::int16_t>(last);
    // Straight below the centre, or within the bend: cone piece k + 1 ends
    // at a0 + k step; the last boundary tried, a0 + (n + 1) step, lies past
    // the bend's end.
    const int k = FirstBoundaryAbove(*theta, a0, step, n + 1);
    return static_cast<std::int16_t>(k > n + 1 ? last : k + 1);
}

}  // namespace velm
