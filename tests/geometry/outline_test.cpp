#include <gtest/gtest.h>

#include <limits>

#include "geometry/outline.h"

namespace velm {
namespace {

TEST(WholeTurnIndex, StepsOfTheTablesAndBeyond) {
    constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
    const struct { float step; int n; } cases[] = {
        {0.1f, 3600}, {0.2f, 1800}, {0.25f, 1440}, {0.5f, 720}, {1, 360}, {2, 180}, {5, 72}, {10, 36},
        // 180 / 1.1 rounds up to 164, 360 / 1.1 down to 327.
        {1.1f, 327},
        // 360 / 1.7946 rounds to 201, one past the 200 entries a development fills.
        {1.7946f, 200},
        {0.05f, -1}, {0, -1}, {-1, -1}, {kNan, -1}, {std::numeric_limits<float>::infinity(), -1},
    };
    for (const auto& c : cases) EXPECT_EQ(WholeTurnIndex(c.step), c.n) << c.step;
}

}  // namespace
}  // namespace velm
