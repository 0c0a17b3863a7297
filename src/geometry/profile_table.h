#pragma once
// Profile tables: entry i belongs to the generatrix at i * AngleStep degrees
// from the weld seam. Entries 0..N are computed, N+1..2N mirror them.
#include <array>
#include <cstdint>

namespace velm {

constexpr int ProfileTableLast = 3600;
using ProfileTable = std::array<double, ProfileTableLast + 1>;

}  // namespace velm
