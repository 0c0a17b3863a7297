#include "geometry/outline.h"

#include <algorithm>
#include <cmath>

#include "geometry/cylinder_geometry.h"

namespace velm {

int WholeTurnIndex(float angleStep) {
    const int half = HalfTurnIndex(angleStep);
    if (half < 0) return -1;
    // A step that does not divide the half turn can round past 2 * half,
    // onto entries no development fills.
    const int whole = static_cast<int>(std::nearbyint(360.0f / angleStep));  // halves to even
    return std::min(whole, 2 * half);
}

}  // namespace velm
