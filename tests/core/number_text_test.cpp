#include "core/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <locale>

namespace velm {
namespace {

// single: format the float overload.
struct FormatCase { double value; bool single; std::int16_t unit; const char* length; const char* fine; };

TEST(NumberText, LengthsInBothUnits) {
    const FormatCase cases[] = {
        {12.346, true, 0, "12.35", "12.346"},
        {1234.5678, false, 1, "1234.5678", "1234.5678"},
        {0.3 / 25.4, false, 1, "0.0118", "0.01181"},
        {1e6, true, 0, "1000000", "1000000"},
        // Halves away from zero on the shortest decimal form.
        {0.005, true, 0, "0.01", "0.005"},
        {2.675, true, 0, "2.68", "2.675"},
        {0.99999, false, 1, "1", "0.99999"},
        // Negative values: no "0" between the sign and the point, no lone sign.
        {-0.125, false, 0, "-.13", "-.125"},
        {-0.004, true, 0, "0", "-.004"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << (c.single ? "f" : "") << " unit " << c.unit);
        if (c.single) {
            EXPECT_EQ(FormatLength(static_cast<float>(c.value), c.unit), c.length);
            EXPECT_EQ(FormatLengthFine(static_cast<float>(c.value), c.unit), c.fine);
        } else {
            EXPECT_EQ(FormatLength(c.value, c.unit), c.length);
            EXPECT_EQ(FormatLengthFine(c.value, c.unit), c.fine);
        }
    }
}

TEST(NumberText, FixedTwoIgnoresTheUnit) {
    EXPECT_EQ(FormatFixed2(45.0f) + " " + FormatFixed2(12.346f), "45 12.35");
}

TEST(NumberText, ReadsTheLeadingNumber) {
    const std::pair<const char*, double> cases[] = {
        {"", 0},     {"-", 0},         {".25", 0.25}, {"-.5", -0.5}, {"1E-07", 1e-7}, {"2.5e3x", 2500},
        {"2e+", 2},  {"1.2.3", 1.2},   {"  7", 7},    {"0,3", 0},    {"1e-999", 0},
    };
    for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(ReadNumber(text), value) << '"' << text << '"';
    EXPECT_EQ(ReadNumber("1e999"), std::numeric_limits<double>::infinity());
}

TEST(NumberText, WholeNumbersRoundHalvesToEvenAndSaturate) {
    const std::pair<double, int> cases16[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {1e9, 32767}, {-32768.5, -32768}, {std::nan(""), 0},
    };
    for (const auto& [value, expected] : cases16) EXPECT_EQ(RoundToInt16(value), expected) << value;
    EXPECT_EQ(RoundToInt32(70000.5), 70000);
    EXPECT_EQ(RoundToInt32(-1e12), std::numeric_limits<std::int32_t>::min());
}

TEST(NumberText, SettingTextIsShortestWithoutLeadingZeroAndReadsBack) {
    const std::pair<float, const char*> cases[] = {
        {0.25f, ".25"}, {-0.5f, "-.5"}, {0.0f, "0"}, {1e6f, "1000000"}, {0.011811024f, ".011811024"},
        {1e-7f, "1E-07"}, {-1.5e20f, "-1.5E+20"}, {1.0f / 3, ".33333334"}, {3.4e38f, "3.4E+38"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(ShortestSettingText(value), text) << value;
        EXPECT_EQ(static_cast<float>(ReadNumber(text)), value) << text;
    }
}

// A locale with a decimal comma, as an Italian desktop has.
struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

// A single-precision value widens to the decimal it was typed as.
TEST(NumberText, TypedValueIsTheShortestDecimal) {
    const std::pair<float, double> cases[] = {
        {101.8f, 101.8}, {299.99f, 299.99}, {0.3f, 0.3}, {-2.5f, -2.5}, {1e-7f, 1e-7}, {16777217.0f, 16777216.0},
    };
    for (const auto& [value, typed] : cases) EXPECT_EQ(TypedValue(value), typed) << value;
}

TEST(NumberText, DecimalCommaLocaleChangesNothing) {
    const std::string oldC = std::setlocale(LC_ALL, nullptr);
    const std::locale oldCpp = std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
    const bool italian = std::setlocale(LC_ALL, "it_IT.UTF-8") != nullptr;
    SCOPED_TRACE(italian ? "it_IT locale" : "decimal-comma facet");
    EXPECT_EQ(FormatLength(0.3f, 0), "0.3");
    EXPECT_EQ(FormatLength(1234.5678, 0), "1234.57");
    EXPECT_EQ(ShortestSettingText(0.3f), ".3");
    EXPECT_DOUBLE_EQ(ReadNumber("0.3"), 0.3);
    EXPECT_DOUBLE_EQ(ReadNumber("0,3"), 0.0);
    std::setlocale(LC_ALL, oldC.c_str());
    std::locale::global(oldCpp);
}

}  // namespace
}  // namespace velm
