#include "geometry/law_of_cosines.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velm {

double LawOfCosinesSide(double a, double b, double gamma) {
    if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(gamma))
        return std::numeric_limits<double>::infinity();
    // Sides so large that their squares overflow are scaled down first.
    const double scale = std::max(std::fabs(a), std::fabs(b));
    if (scale > 1e150) return scale * LawOfCosinesSide(a / scale, b / scale, gamma);
    const double d = a - b;
    const double s = std::sin(gamma / 2);
    // Equal to a^2 + b^2 - 2ab cos(gamma); rounding can take it below 0 only
    // where the true value is 0.
    const double square = d * d + 4 * a * b * s * s;
    return square > 0 ? std::sqrt(square) : 0.0;
}

}  // namespace velm
