// The limit check of stored fields that both shape families apply, and the
// blank trimming that the file readers share.
#include "frame/development_checks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/trim.h"

namespace velm {
namespace {

TEST(DevelopmentChecks, FieldValueRefusedByLimitAndUnit) {
    constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
    constexpr float Inf = std::numeric_limits<float>::infinity();
    const InputLimit length{0, 1000};
    const InputLimit radius{10, 500};
    const InputLimit bend{10, 180};
    const InputLimit cut{-60, 60};
    struct Case {
        const char* what;
        float value;
        InputLimit limit;
        bool isLength;
        std::int16_t unit;
        bool refused;
    };
    const Case cases[] = {
        {"zero", 0, length, true, 0, true},
        {"not a number", NaN, length, true, 0, true},
        {"infinite", Inf, length, true, 0, true},
        {"minus infinite", -Inf, cut, false, 0, true},
        {"inside", 500, length, true, 0, false},
        {"at the maximum", 1000, length, true, 0, false},
        {"past the maximum", 1000.1f, length, true, 0, true},
        {"inch maximum, rounded to single", static_cast<float>(1000 / 25.4), length, true, 1, false},
        {"past the inch maximum", 39.38f, length, true, 1, true},
        {"millimetre maximum read in inches", 1000, length, true, 1, true},
        {"inch minimum, rounded to single", static_cast<float>(10 / 25.4), radius, true, 1, false},
        {"below the inch minimum", std::nextafter(static_cast<float>(10 / 25.4), 0.0f), radius, true, 1, true},
        {"below the minimum", 9.99f, bend, false, 0, true},
        {"angle at its minimum", 10, bend, false, 0, false},
        {"angles ignore the unit", 180, bend, false, 1, false},
        {"angle past its maximum in inches", 181, bend, false, 1, true},
        {"negative angle at its minimum", -60, cut, false, 0, false},
        {"negative angle below it", -60.5f, cut, false, 0, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FieldValueRefused(c.value, c.limit, c.isLength, c.unit), c.refused) << c.what;
}

TEST(DevelopmentChecks, SettingsComeFromTheWorkingState) {
    WorkingState state;
    state.ThicknessFactor = -2;
    state.Settings.AngleStep = 0.25f;
    state.Settings.LatoSaldatura = -1;
    state.Settings.MeasuringSystem = 1;
    state.Limits.LengthLimit = {5, 700};
    const DevelopmentSettings s = DevelopmentSettingsOf(state);
    EXPECT_EQ(s.ThicknessFactor, -2);
    EXPECT_EQ(s.AngleStep, 0.25f);
    EXPECT_EQ(s.LatoSaldatura, -1);
    EXPECT_EQ(s.MeasuringSystem, 1);
    EXPECT_EQ(s.Limits.LengthLimit.Min, 5);
    EXPECT_EQ(s.Limits.LengthLimit.Max, 700);
}

TEST(TrimChars, CutsOnlyTheNamedBlanksAtBothEnds) {
    struct Case {
        const char* text;
        const char* blanks;
        const char* trimmed;
    };
    const Case cases[] = {
        {"  a b \t", " \t", "a b"}, {"\t x\r", " \t", "x\r"},     {"\t x\r", " \t\r", "x"},
        {"\t a \t", " ", "\t a \t"}, {"", " ", ""},               {"   ", " ", ""},
        {"a", " ", "a"},             {" \"VELM\" ", " ", "\"VELM\""},
    };
    for (const Case& c : cases) EXPECT_EQ(TrimChars(c.text, c.blanks), c.trimmed) << '[' << c.text << ']';
}

}  // namespace
}  // namespace velm
