#include "core/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace velm {

namespace {

// A finite value as its shortest round-trip decimal digits: value = 0.d1d2d3... * 10^pointPos
// (digits without leading or trailing zeros; empty for zero).
struct Decimal {
    bool negative = false;
    std::string digits;
    int pointPos = 0;  // number of digits before the decimal point
};

template <typename T>
Decimal ToDecimal(T value) {
    Decimal d;
    char buf[64];
    // Scientific form of the shortest representation: "-d.ddde+XX".
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    std::string_view s(buf, static_cast<std::size_t>(res.ptr - buf));
    if (!s.empty() && s.front() == '-') {
        d.negative = true;
        s.remove_prefix(1);
    }
    const auto e = s.find('e');
    std::string_view mantissa = s.substr(0, e);
    int exponent = 0;
    std::string_view expText = s.substr(e + 1);
    if (!expText.empty() && expText.front() == '+') expText.remove_prefix(1);
    std::from_chars(expText.data(), expText.data() + expText.size(), exponent);
    for (char c : mantissa)
        if (c != '.') d.digits.push_back(c);
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    d.pointPos = exponent + 1;
    if (d.digits.empty()) d.pointPos = 0;
    return d;
}

// "#.###..." with `decimals` places, halves away from zero on the decimal
// digits, then the point rules: "0" before a bare point, no dangling point,
// no sign on a value that rounds to zero.
template <typename T>
std::string FormatPattern(T value, int decimals) {
    if (!std::isfinite(value)) {
        char buf[16];
        auto res = std::to_chars(buf, buf + sizeof buf, value);
        return std::string(buf, res.ptr);
    }
    Decimal d = ToDecimal(value);
    // Whole digits and `decimals` fraction digits, padded with zeros.
    const int keep = d.pointPos + decimals;  // digits kept from the front
    std::string kept;
    bool roundUp = false;
    if (keep > 0) {
        for (int i = 0; i < keep; ++i)
            kept.push_back(i < static_cast<int>(d.digits.size()) ? d.digits[i] : '0');
        roundUp = keep < static_cast<int>(d.digits.size()) && d.digits[keep] >= '5';
    } else {
        // Everything lies beyond the last kept place; only the first digit
        // right after it can round up.
        roundUp = keep == 0 && !d.digits.empty() && d.digits[0] >= '5';
    }
    int whole = d.pointPos;  // digits of `kept` before the point
    if (keep <= 0) {
        kept.assign(static_cast<std::size_t>(decimals), '0');
        whole = 0;
    }
    if (roundUp) {
        int i = static_cast<int>(kept.size()) - 1;
        while (i >= 0 && kept[i] == '9') kept[i--] = '0';
        if (i >= 0) {
            ++kept[i];
        } else {
            kept.insert(kept.begin(), '1');
            ++whole;
        }
    }
    if (whole < 0) {
        // The kept digits start after some zeros of the fraction; put them back.
        kept.insert(0, static_cast<std::size_t>(-whole), '0');
        whole = 0;
    }
    std::string intPart = kept.substr(0, static_cast<std::size_t>(whole));
    std::string frac = kept.substr(static_cast<std::size_t>(whole));
    while (!intPart.empty() && intPart.front() == '0') intPart.erase(0, 1);
    while (!frac.empty() && frac.back() == '0') frac.pop_back();
    if (intPart.empty() && frac.empty()) return "0";
    std::string text = d.negative ? "-" : "";
    text += intPart;
    if (!frac.empty()) text += "." + frac;
    // A bare point gets its "0" only at the very start: "-.5" keeps its form.
    if (text.front() == '.') text.insert(0, "0");
    return text;
}

int LengthDecimals(std::int16_t measuringSystem, int millimetres, int inches) {
    return measuringSystem == 0 ? millimetres : inches;
}

}  // namespace

std::string FormatLength(double value, std::int16_t measuringSystem) {
    return FormatPattern(value, LengthDecimals(measuringSystem, 2, 4));
}
std::string FormatLength(float value, std::int16_t measuringSystem) {
    return FormatPattern(value, LengthDecimals(measuringSystem, 2, 4));
}
std::string FormatLength(int value, std::int16_t measuringSystem) {
    return FormatLength(static_cast<double>(value), measuringSystem);
}
std::string FormatLengthFine(double value, std::int16_t measuringSystem) {
    return FormatPattern(value, LengthDecimals(measuringSystem, 3, 5));
}
std::string FormatLengthFine(float value, std::int16_t measuringSystem) {
    return FormatPattern(value, LengthDecimals(measuringSystem, 3, 5));
}
std::string FormatLengthFine(int value, std::int16_t measuringSystem) {
    return FormatLengthFine(static_cast<double>(value), measuringSystem);
}
std::string FormatFixed2(double value) { return FormatPattern(value, 2); }
std::string FormatFixed2(float value) { return FormatPattern(value, 2); }
std::string FormatFixed2(int value) { return FormatFixed2(static_cast<double>(value)); }

double ReadNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::size_t start = i;
    int intDigits = 0, leadingZeros = 0, fracDigits = 0, fracZerosBeforeFirst = 0;
    bool seenNonZero = false;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (text[i] != '0') seenNonZero = true;
        if (!seenNonZero) ++leadingZeros;
        ++intDigits;
        ++i;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            if (text[i] != '0') seenNonZero = true;
            if (!seenNonZero) ++fracZerosBeforeFirst;
            ++fracDigits;
            ++i;
        }
    }
    if (intDigits + fracDigits == 0) return 0.0;
    std::size_t end = i;
    long long exponent = 0;
    // An exponent only counts when digits follow it ("2e" reads as 2).
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool expNegative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) expNegative = text[j++] == '-';
        const std::size_t expStart = j;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9') {
            if (exponent < 100000) exponent = exponent * 10 + (text[j] - '0');
            ++j;
        }
        if (j > expStart) {
            end = j;
            if (expNegative) exponent = -exponent;
        }
    }
    if (!seenNonZero) return negative ? -0.0 : 0.0;
    double value = 0;
    const std::string_view number = text.substr(start, end - start);
    auto res = std::from_chars(number.data(), number.data() + number.size(), value,
                               std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        // Decimal exponent of the first significant digit decides overflow or underflow.
        const long long magnitude = intDigits - leadingZeros > 0
                                        ? intDigits - leadingZeros - 1 + exponent
                                        : -(fracZerosBeforeFirst + 1) + exponent;
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (res.ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

namespace {
// Halves to the even neighbour, independent of the floating-point rounding mode.
double RoundHalfEven(double value) {
    const double lower = std::floor(value);
    const double diff = value - lower;
    if (diff < 0.5) return lower;
    if (diff > 0.5) return lower + 1;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

// Halves to even, saturated to the range of Int; not a number gives 0.
template <class Int>
Int RoundSaturated(double value) {
    if (std::isnan(value)) return 0;
    const double r = RoundHalfEven(value);
    if (r > std::numeric_limits<Int>::max()) return std::numeric_limits<Int>::max();
    if (r < std::numeric_limits<Int>::min()) return std::numeric_limits<Int>::min();
    return static_cast<Int>(r);
}
}  // namespace

std::int16_t RoundToInt16(double value) { return RoundSaturated<std::int16_t>(value); }

std::int32_t RoundToInt32(double value) { return RoundSaturated<std::int32_t>(value); }

double TypedValue(float value) {
    if (!std::isfinite(value)) return value;
    // A whole number below 2^24 is its own shortest text: no need to write it.
    if (std::fabs(value) < 16777216.0f && value == std::nearbyint(value)) return value;
    char buf[64];
    const auto written = std::to_chars(buf, buf + sizeof buf, value);
    double wide = value;
    std::from_chars(buf, written.ptr, wide);
    return wide;
}

std::string ShortestSettingText(float value) {
    if (!std::isfinite(value)) {
        char buf[16];
        auto res = std::to_chars(buf, buf + sizeof buf, value);
        return std::string(buf, res.ptr);
    }
    const Decimal d = ToDecimal(value);
    if (d.digits.empty()) return "0";
    std::string text = d.negative ? "-" : "";
    const int exponent = d.pointPos - 1;  // of the first digit
    if (exponent < -5 || exponent > 14) {
        // Very small or large values in exponent form: "1E-07", "-2.5E+20".
        text += d.digits[0];
        if (d.digits.size() > 1) text += "." + d.digits.substr(1);
        text += exponent < 0 ? "E-" : "E+";
        const int absExp = exponent < 0 ? -exponent : exponent;
        if (absExp < 10) text += '0';
        char buf[8];
        auto res = std::to_chars(buf, buf + sizeof buf, absExp);
        text.append(buf, res.ptr);
        return text;
    }
    if (d.pointPos <= 0) {
        // No leading zero between -1 and 1: ".25", "-.5".
        text += "." + std::string(static_cast<std::size_t>(-d.pointPos), '0') + d.digits;
    } else if (d.pointPos >= static_cast<int>(d.digits.size())) {
        text += d.digits + std::string(static_cast<std::size_t>(d.pointPos) - d.digits.size(), '0');
    } else {
        text += d.digits.substr(0, static_cast<std::size_t>(d.pointPos)) + "." +
                d.digits.substr(static_cast<std::size_t>(d.pointPos));
    }
    return text;
}

}  // namespace velm
