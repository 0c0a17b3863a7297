#pragma once
// Number text: every number shown, stored or read goes through here, free of
// the user's locale ("." is always the decimal point).
#include <cstdint>
#include <string>
#include <string_view>

#include "geometry/angles.h"

namespace velm {

// "#.##" in millimetres (measuringSystem 0), "#.####" in inches.
std::string FormatLength(double value, std::int16_t measuringSystem);
std::string FormatLength(float value, std::int16_t measuringSystem);
// "#.###" / "#.#####": the value tables.
std::string FormatLengthFine(double value, std::int16_t measuringSystem);
std::string FormatLengthFine(float value, std::int16_t measuringSystem);
// "#.##" in both units: angles, counts, steps.
std::string FormatFixed2(double value);
std::string FormatFixed2(float value);
// Whole numbers (16-bit values, counts) without an ambiguous conversion.
std::string FormatLength(int value, std::int16_t measuringSystem);
std::string FormatLengthFine(int value, std::int16_t measuringSystem);
std::string FormatFixed2(int value);

// Reads the leading number of a text: optional sign, digits, one ".",
// an exponent; stops at the first character that cannot continue it.
// An empty or non-numeric text reads as 0.
double ReadNumber(std::string_view text);

// Fraction to whole number with halves to the even neighbour, saturated to 16 bits.
std::int16_t RoundToInt16(double value);
// Same rounding for 32-bit results.
std::int32_t RoundToInt32(double value);

// The double nearest to the shortest decimal that reads back as `value`:
// the number as typed or read from a file (101.8), where plain widening keeps
// the single-precision rounding (101.80000305). Non-finite values widen as
// they are.
double TypedValue(float value);
// An angle typed in degrees, in radians from its value as typed.
inline double TypedRadians(float degrees) { return TypedValue(degrees) * DegToRad; }

// The shortest decimal text of a single-precision value as the settings and
// data files write it: no leading zero between -1 and 1 (".25", "-.5").
std::string ShortestSettingText(float value);

}  // namespace velm
