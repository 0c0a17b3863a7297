// The number-text reader and writers. Any text through ReadNumber: never NaN,
// finite when the text's number is of a size a double holds, stable under
// blanks before and anything after the number. The input's bytes as values
// through the writers: the exact pattern text (halves away from zero on the
// shortest decimal form), and texts that read back to the same value.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "core/data_file.h"
#include "core/number_text.h"
#include "fuzz/fuzz_check.h"

namespace velm {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The text's number reads finite when its first significant digit and its
// exponent keep it well inside the range of a double.
bool FiniteLooking(std::string_view t) {
    std::size_t i = 0;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    long long wholeDigits = 0;
    bool significant = false;
    for (; i < t.size() && IsDigit(t[i]); ++i) {
        significant = significant || t[i] != '0';
        if (significant) ++wholeDigits;
    }
    if (i < t.size() && t[i] == '.')
        for (++i; i < t.size() && IsDigit(t[i]); ++i) {}
    long long exponent = 0;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        std::size_t j = i + 1;
        bool negative = false;
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) negative = t[j++] == '-';
        for (; j < t.size() && IsDigit(t[j]); ++j) {
            exponent = exponent * 10 + (t[j] - '0');
            if (exponent > 100000) return negative;  // only tiny values stay finite
        }
        if (negative) exponent = -exponent;
    }
    return wholeDigits + exponent < 300;
}

// The exact text of a pattern with `decimals` places, by integer arithmetic
// on the shortest decimal form of a value below 1e9.
template <typename T>
bool ExpectedPatternText(T value, int decimals, std::string& text) {
    if (!std::isfinite(value) || std::abs(value) >= static_cast<T>(1e9)) return false;
    // Shortest digits d1d2... and the exponent of d1, as "d.ddde+X".
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    const std::string_view s(buf, static_cast<std::size_t>(res.ptr - buf));
    const bool negative = !s.empty() && s.front() == '-';
    const std::string_view body = negative ? s.substr(1) : s;
    const auto e = body.find('e');
    std::string digits;
    for (const char c : body.substr(0, e))
        if (c != '.') digits += c;
    int exponent = 0;
    std::string_view expText = body.substr(e + 1);
    if (!expText.empty() && expText.front() == '+') expText.remove_prefix(1);
    std::from_chars(expText.data(), expText.data() + expText.size(), exponent);
    // The same value as whole and fraction digit strings.
    std::string wholeText, fractionText;
    if (exponent >= 0) {
        digits.resize(std::max<std::size_t>(digits.size(), static_cast<std::size_t>(exponent) + 1), '0');
        wholeText = digits.substr(0, static_cast<std::size_t>(exponent) + 1);
        fractionText = digits.substr(static_cast<std::size_t>(exponent) + 1);
    } else {
        fractionText = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    const std::string_view whole = wholeText;
    const std::string_view fraction = fractionText;
    if (fraction.size() > 30) return false;
    // The value in units of 10^-decimals, the first dropped digit deciding.
    __int128 units = 0;
    for (const char c : whole) units = units * 10 + (c - '0');
    for (int k = 0; k < decimals; ++k)
        units = units * 10 + (k < static_cast<int>(fraction.size()) ? fraction[k] - '0' : 0);
    if (static_cast<int>(fraction.size()) > decimals && fraction[decimals] >= '5') ++units;
    digits.clear();
    for (__int128 u = units; u > 0; u /= 10) digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(u % 10)));
    if (static_cast<int>(digits.size()) <= decimals) digits.insert(0, decimals + 1 - digits.size(), '0');
    std::string intPart = digits.substr(0, digits.size() - decimals);
    std::string frac = digits.substr(digits.size() - decimals);
    while (!frac.empty() && frac.back() == '0') frac.pop_back();
    if (units == 0) {
        text = "0";
        return true;
    }
    if (intPart == "0") intPart = negative ? "" : "0";  // "-.5", but "0.5"
    text = (negative ? "-" : "") + intPart + (frac.empty() ? "" : "." + frac);
    return true;
}

template <typename T>
void CheckPatterns(T value) {
    std::string expected;
    for (const std::int16_t unit : {std::int16_t{0}, std::int16_t{1}}) {
        const std::string length = FormatLength(value, unit);
        const std::string fine = FormatLengthFine(value, unit);
        if (ExpectedPatternText(value, unit == 0 ? 2 : 4, expected)) PROMISE(length == expected);
        if (ExpectedPatternText(value, unit == 0 ? 3 : 5, expected)) PROMISE(fine == expected);
        if (std::isfinite(value)) {
            // What the boxes show reads back within half a place.
            const double place = unit == 0 ? 0.005 : 0.00005;
            const double slack = std::abs(static_cast<double>(value)) * 1e-6;
            PROMISE(std::abs(ReadNumber(length) - static_cast<double>(value)) <= place + slack);
            PROMISE(length.find(',') == std::string::npos && length.back() != '.');
        }
    }
    const std::string fixed = FormatFixed2(value);
    if (ExpectedPatternText(value, 2, expected)) PROMISE(fixed == expected);
    // Formatting what a pattern text reads gives the same text again.
    if (std::isfinite(value)) PROMISE(FormatFixed2(ReadNumber(fixed)) == fixed);
}

// Halves to even, saturated: what the runtime's rounding to nearest gives.
template <typename Int>
Int ExpectedRound(double value) {
    if (std::isnan(value)) return 0;
    const double r = std::nearbyint(value);
    if (r >= static_cast<double>(std::numeric_limits<Int>::max())) return std::numeric_limits<Int>::max();
    if (r <= static_cast<double>(std::numeric_limits<Int>::min())) return std::numeric_limits<Int>::min();
    return static_cast<Int>(r);
}

void CheckReader(std::string_view text) {
    const double v = ReadNumber(text);
    PROMISE(!std::isnan(v));
    if (FiniteLooking(text)) PROMISE(std::isfinite(v));
    // Blanks before the number and what follows it do not count.
    const std::string padded = " \t" + std::string(text) + "#x";
    const double w = ReadNumber(padded);
    PROMISE(w == v && std::signbit(w) == std::signbit(v));
    // A negative value needs a minus sign.
    if (v < 0) PROMISE(text.find('-') != std::string_view::npos);
    PROMISE(RoundToInt16(v) == ExpectedRound<std::int16_t>(v));
    PROMISE(RoundToInt32(v) == ExpectedRound<std::int32_t>(v));

    // The data file's reader takes whole fields only, and only finite values.
    float f = 12345.0f;
    if (ReadDataFileNumber(text, f)) {
        PROMISE(std::isfinite(f));
        const double read = ReadNumber(text);
        PROMISE(std::isfinite(read));
        PROMISE(static_cast<float>(read) == f || std::abs(read - f) <= std::abs(read) * 1e-6 + 1e-37);
    } else {
        PROMISE(f == 12345.0f);
    }
}

}  // namespace
}  // namespace velm

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velm;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckReader(text);

    // The bytes as single and double values.
    if (size >= sizeof(float)) {
        float f;
        std::memcpy(&f, data, sizeof f);
        CheckPatterns(f);
        CheckPatterns(static_cast<double>(f));
        if (std::isfinite(f)) {
            // Settings and data files write texts that read back to the same single value.
            const std::string setting = ShortestSettingText(f);
            PROMISE(static_cast<float>(ReadNumber(setting)) == f);
            PROMISE(setting.rfind("0.", 0) != 0 && setting.rfind("-0.", 0) != 0);
            const std::string field = DataFileNumberText(f);
            float back = 0;
            PROMISE(ReadDataFileNumber(field, back) && back == f);
            PROMISE(field.rfind("0.", 0) != 0 && field.rfind("-0.", 0) != 0);
        }
    }
    if (size >= sizeof(double)) {
        double d;
        std::memcpy(&d, data, sizeof d);
        CheckPatterns(d);
        PROMISE(RoundToInt16(d) == ExpectedRound<std::int16_t>(d));
        PROMISE(RoundToInt32(d) == ExpectedRound<std::int32_t>(d));
        if (std::isfinite(d)) {
            // Shortest double text, plain and with an exponent, reads back exactly.
            char buf[64];
            auto res = std::to_chars(buf, buf + sizeof buf, d);
            PROMISE(ReadNumber(std::string_view(buf, static_cast<std::size_t>(res.ptr - buf))) == d);
            res = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::scientific);
            PROMISE(ReadNumber(std::string_view(buf, static_cast<std::size_t>(res.ptr - buf))) == d);
        }
    }
    return 0;
}
