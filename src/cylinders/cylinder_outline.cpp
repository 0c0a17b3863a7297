#include "cylinders/cylinder_outline.h"

#include <cmath>
#include <cstddef>

namespace velm {

namespace {

bool FiniteEntries(const ProfileTable& table, int last) {
    for (int i = 0; i <= last; ++i)
        if (!std::isfinite(table[static_cast<std::size_t>(i)])) return false;
    return true;
}

}  // namespace

CylinderOutline CylinderOutlineOf(const CylinderResults& r, float angleStep) {
    CylinderOutline o;
    const int n = WholeTurnIndex(angleStep);
    const double L = r.DevelopedLength;
    if (n < 1 || !(L > 0) || !std::isfinite(L) || !(r.Hmax > 0) || !std::isfinite(r.Hmax) ||
        !FiniteEntries(r.CylUpperHeights, n) || !FiniteEntries(r.CylLowerHeights, n))
        return o;

    o.Steps = n;
    o.Length = L;
    o.Height = r.Hmax;
    o.Upper.resize(static_cast<std::size_t>(n) + 1);
    o.Lower.resize(static_cast<std::size_t>(n) + 1);
    const double step = angleStep;
    for (int i = 0; i <= n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        // In this order, so that a drawing file carries the same digits.
        const double x = ((i * L) / 360) * step;
        o.Upper[k] = {x, r.CylUpperHeights[k]};
        o.Lower[k] = {x, r.CylLowerHeights[k]};
    }
    const double upper0 = r.CylUpperHeights[0];
    const double lower0 = r.CylLowerHeights[0];
    o.LeftSeam = {{0, lower0}, {0, upper0}};
    o.RightSeam = {{L, lower0}, {L, upper0}};
    o.MiddleLine = {{L / 2, 0}, {L / 2, r.Hmax}};
    return o;
}

}  // namespace velm
