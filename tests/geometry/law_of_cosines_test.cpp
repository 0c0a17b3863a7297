#include "geometry/law_of_cosines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace velm {
namespace {

constexpr double kPi = 3.14159265358979323846;

TEST(LawOfCosinesSide, MatchesTrianglesAndHighPrecisionValues) {
    // The "radii" expectations are sqrt(a^2 + b^2 - 2ab cos g) evaluated with
    // 60-digit decimals (Python's decimal module, cos by its Taylor series),
    // on arguments that doubles hold exactly. The plain formula loses about
    // four digits on them.
    struct Case { const char* what; double a, b, gamma, expected, relTol; };
    const Case cases[] = {
        {"right triangle", 3, 4, kPi / 2, 5, 1e-15},
        {"zero angle subtracts", 3, 4, 0, 1, 1e-15},
        {"neighbouring radii", 1000, 1000.00000095367431640625, 9.5367431640625e-07,
         0.0009536747936979999772452296, 1e-12},
        {"large radii, tiny step", 12345.677734375, 12345.6787109375, 1.1920928955078125e-07,
         0.001766248196383782014547322, 1e-11},
        {"huge opposite sides", 1e200, -1e200, kPi / 2, std::sqrt(2.0) * 1e200, 1e-14},
    };
    for (const Case& c : cases) EXPECT_NEAR(LawOfCosinesSide(c.a, c.b, c.gamma), c.expected, c.expected * c.relTol) << c.what;
}

TEST(LawOfCosinesSide, NeverNaN) {
    const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
    const double args[][3] = {{1e-300, 1e-300, 1e-3}, {1e308, 1e308, kPi}, {1, 1, nan}, {-inf, inf, 0}};
    for (const auto& a : args) EXPECT_GE(LawOfCosinesSide(a[0], a[1], a[2]), 0) << a[0] << " " << a[1] << " " << a[2];
}

}  // namespace
}  // namespace velm
