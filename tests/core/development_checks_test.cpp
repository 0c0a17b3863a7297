// The limit check of stored fields that both shape families apply, and the
// blank trimming that the file readers share.
#include "core/development_checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/trim.h"

namespace velm {
namespace {

TEST(DevelopmentChecks, FieldValueRefusedByLimitAndUnit) {
    constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
    constexpr float Inf = std::numeric_limits<float>::infinity();
    const InputLimit length{0, 1000}, radius{10, 500}, bend{10, 180}, cut{-60, 60};
    struct Case { const char* what; float value; InputLimit limit; bool isLength; std::int16_t unit; bool refused; };
    const Case cases[] = {
        {"zero", 0, length, true, 0, true},
        {"not a number", NaN, length, true, 0, true},
        {"minus infinite", -Inf, cut, false, 0, true},
        {"at the maximum", 1000, length, true, 0, false},
        {"past the maximum", 1000.1f, length, true, 0, true},
        {"inch maximum, rounded to single", static_cast<float>(1000 / 25.4), length, true, 1, false},
        {"millimetre maximum read in inches", 1000, length, true, 1, true},
        {"below the inch minimum", std::nextafter(static_cast<float>(10 / 25.4), 0.0f), radius, true, 1, true},
        {"angles ignore the unit", 180, bend, false, 1, false},
        {"negative angle at its minimum", -60, cut, false, 0, false},
        {"negative angle below it", -60.5f, cut, false, 0, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FieldValueRefused(c.value, c.limit, c.isLength, c.unit), c.refused) << c.what;
}

TEST(TrimChars, CutsOnlyTheNamedBlanksAtBothEnds) {
    const char* cases[][3] = {
        {"  a b \t", " \t", "a b"}, {"\t x\r", " \t", "x\r"}, {"\t a \t", " ", "\t a \t"}, {"   ", " ", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(TrimChars(c[0], c[1]), c[2]) << '[' << c[0] << ']';
}

}  // namespace
}  // namespace velm
