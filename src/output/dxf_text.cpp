#include "output/dxf_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace velm {

namespace {

constexpr std::size_t BufferSize = 1 << 16;

}  // namespace

namespace {

// The exponent after the "e" of to_chars: a sign and two or three digits.
int ReadExponent(const char* p, const char* end) {
    const bool negative = *p == '-';
    int e = 0;
    for (++p; p < end; ++p) e = e * 10 + (*p - '0');
    return negative ? -e : e;
}

// The significant digits of value rounded to `digits`, and the decimal
// exponent of the first one, by the library's exact rounding.
void LibraryDigits(double value, int digits, char* mantissa, int& count, int& exponent) {
    char sci[64];
    const auto res = std::to_chars(sci, sci + sizeof sci, value, std::chars_format::scientific, digits - 1);
    const char* p = sci;
    count = 0;
    for (; p < res.ptr && *p != 'e'; ++p)
        if (*p != '.') mantissa[count++] = *p;
    exponent = ReadExponent(p + 1, res.ptr);
}

using Wide = unsigned __int128;

// 10^k for k up to 22: the largest that times a 53-bit mantissa stays
// within 128 bits.
constexpr int MaxScale = 22;
struct Powers {
    Wide value[MaxScale + 1];
    constexpr Powers() : value() {
        Wide p = 1;
        for (int k = 0; k <= MaxScale; ++k) {
            value[k] = p;
            p *= 10;
        }
    }
};
constexpr Powers TenTo;


// The eight digits of x < 10^8 as text in one word, the first in the lowest
// byte: each digit is found in its own lane of the word, with no loop and
// no store until the whole text is ready.
std::uint64_t EightDigits(std::uint32_t x) {
    const std::uint64_t halves = (x / 10000) | (static_cast<std::uint64_t>(x % 10000) << 32);
    const std::uint64_t hundreds = ((halves * 10486) >> 20) & 0x0000007F0000007FULL;
    const std::uint64_t pairs = hundreds | ((halves - hundreds * 100) << 16);
    const std::uint64_t tens = ((pairs * 103) >> 10) & 0x000F000F000F000FULL;
    return (tens | ((pairs - tens * 10) << 8)) + 0x3030303030303030ULL;
}

// The sixteen digits of w < 10^16, leading zeros included, the first in the
// lowest byte (the order of memory on this kind of processor).
Wide SixteenDigits(std::uint64_t w) {
    return static_cast<Wide>(EightDigits(static_cast<std::uint32_t>(w / 100000000))) |
           static_cast<Wide>(EightDigits(static_cast<std::uint32_t>(w % 100000000))) << 64;
}

void Store16(char* at, Wide text) { std::memcpy(at, &text, sizeof text); }

// The value rounded to `digits` significant digits as a whole number below
// 10^digits, and the decimal exponent of its first digit: the library's
// digits exactly (ties to even, as it rounds). value = m 2^e is scaled by
// 10^k in 128-bit integers, so nothing is rounded before the last digit.
// False for a value out of that range (huge, tiny, subnormal).
bool ScaledDigits(double value, int digits, std::uint64_t& out, int& exponent) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const int biased = static_cast<int>(bits >> 52) & 0x7FF;
    if (biased == 0 || biased == 0x7FF) return false;
    const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int e2 = biased - 1075;  // value = m * 2^e2, 2^(e2+52) <= value < 2^(e2+53)
    if (e2 >= 0 || e2 <= -128) return false;
    const int shift = -e2;
    // floor(log10(2^(e2+52))): the first digit's exponent or one less.
    int e10 = ((e2 + 52) * 78913) >> 18;
    for (int attempt = 0; attempt < 2; ++attempt, ++e10) {
        const int k = digits - 1 - e10;
        if (k < 0 || k > MaxScale) return false;
        const Wide scaled = static_cast<Wide>(m) * TenTo.value[k];
        Wide whole = scaled >> shift;
        if (whole >= TenTo.value[digits]) continue;  // the first digit is one place higher
        if (whole < TenTo.value[digits - 1]) return false;  // never: the estimate is not too high
        const Wide rest = scaled & ((Wide{1} << shift) - 1);
        const Wide half = Wide{1} << (shift - 1);
        if (rest > half || (rest == half && (whole & 1) != 0)) ++whole;
        exponent = e10;
        if (whole == TenTo.value[digits]) {  // rounded up to the next power of ten
            whole = TenTo.value[digits - 1];
            ++exponent;
        }
        out = static_cast<std::uint64_t>(whole);
        return true;
    }
    return false;
}

// Lays out `count` significant digits (the last not 0) with the first at
// decimal exponent `exponent` as a plain decimal; `digit(buf, first, n)`
// writes n of them from the first'th on.
template <typename Digits>
std::size_t LayOut(char* buf, bool negative, int count, int exponent, Digits digit) {
    std::size_t n = 0;
    if (negative) buf[n++] = '-';
    if (exponent < 0) {
        buf[n++] = '0';
        buf[n++] = '.';
        for (int i = 0; i < -exponent - 1; ++i) buf[n++] = '0';
        digit(buf + n, 0, count);
        return n + static_cast<std::size_t>(count);
    }
    const int whole = exponent + 1;  // digits before the point
    if (count <= whole) {
        digit(buf + n, 0, count);
        n += static_cast<std::size_t>(count);
        for (int i = count; i < whole; ++i) buf[n++] = '0';
        return n;
    }
    digit(buf + n, 0, whole);
    n += static_cast<std::size_t>(whole);
    buf[n++] = '.';
    digit(buf + n, whole, count - whole);
    return n + static_cast<std::size_t>(count - whole);
}

// LayOut for the fast digits: w has `count` significant digits (count at
// most 15, the first at exponent -16 to 15). The text is built in a
// 16-byte word and stored whole; buf has room for the bytes past the end.
std::size_t LayOutWhole(char* buf, bool negative, int count, int exponent, std::uint64_t w) {
    static_assert(sizeof(Wide) == 16);
    std::size_t n = 0;
    if (negative) buf[n++] = '-';
    const Wide zeros = SixteenDigits(0);
    // The digits from the lowest byte on, the leading zeros shifted out.
    const Wide digits = SixteenDigits(w) >> (8 * (16 - count));
    if (exponent < 0) {
        buf[n++] = '0';
        buf[n++] = '.';
        Store16(buf + n, zeros);
        n += static_cast<std::size_t>(-exponent - 1);
        Store16(buf + n, digits);
        return n + static_cast<std::size_t>(count);
    }
    const int whole = exponent + 1;  // digits before the point
    if (count <= whole) {
        Store16(buf + n, digits);
        Store16(buf + n + count, zeros);
        return n + static_cast<std::size_t>(whole);
    }
    // The point goes in after `whole` digits: count + 1 <= 16 bytes.
    const Wide low = digits & ((Wide{1} << (8 * whole)) - 1);
    const Wide high = digits >> (8 * whole);
    Store16(buf + n, low | Wide{'.'} << (8 * whole) | high << (8 * (whole + 1)));
    return n + static_cast<std::size_t>(count + 1);
}

}  // namespace

std::size_t FormatDxfNumber(char* buf, double value, int digits) {
    if (value == 0 || !std::isfinite(value)) {  // callers refuse what is not finite
        buf[0] = '0';
        return 1;
    }
    const bool negative = value < 0;
    const double magnitude = negative ? -value : value;
    // The rounded digits first, then laid out without an exponent.
    std::uint64_t w = 0;
    int exponent = 0;
    if (digits >= 1 && digits <= 15 && ScaledDigits(magnitude, digits, w, exponent)) {
        int count = digits;
        while (count > 1 && w % 10 == 0) {
            w /= 10;
            --count;
        }
        return LayOutWhole(buf, negative, count, exponent, w);
    }
    char mantissa[40];
    int count = 0;
    LibraryDigits(magnitude, digits, mantissa, count, exponent);
    while (count > 1 && mantissa[count - 1] == '0') --count;
    return LayOut(buf, negative, count, exponent, [&mantissa](char* at, int first, int n) {
        std::memcpy(at, mantissa + first, static_cast<std::size_t>(n));
    });
}

std::string DxfNumberText(double value) {
    char buf[DxfNumberMax];
    return std::string(buf, FormatDxfNumber(buf, value, 15));
}

std::string DxfSingleText(float value) {
    char buf[DxfNumberMax];
    return std::string(buf, FormatDxfNumber(buf, value, 7));
}

DxfOut::DxfOut(std::ostream& stream) : stream_(stream), buffer_(BufferSize) {}

DxfOut::~DxfOut() { Flush(); }

void DxfOut::Line(const char* text, std::size_t size) {
    if (notFinite_) return;
    if (used_ + size + 2 > buffer_.size()) {
        Flush();
        if (size + 2 > buffer_.size()) buffer_.resize(size + 2);
    }
    char* p = buffer_.data() + used_;
    std::memcpy(p, text, size);
    p[size] = '\r';
    p[size + 1] = '\n';
    used_ += size + 2;
}

void DxfOut::Code(int code) {
    char buf[24];
    buf[0] = ' ';
    const auto res = std::to_chars(buf + 1, buf + sizeof buf - 1, code);
    *res.ptr = ' ';
    Line(buf, static_cast<std::size_t>(res.ptr + 1 - buf));
}

void DxfOut::Text(std::string_view text) { Line(text.data(), text.size()); }

void DxfOut::Lines(std::string_view block) {
    if (notFinite_) return;
    if (used_ + block.size() > buffer_.size()) {
        Flush();
        if (block.size() > buffer_.size()) buffer_.resize(block.size());
    }
    std::memcpy(buffer_.data() + used_, block.data(), block.size());
    used_ += block.size();
}

void DxfOut::NumberLine(double value, int digits) {
    if (notFinite_) return;
    if (!std::isfinite(value)) {
        notFinite_ = true;
        used_ = 0;
        return;
    }
    // Formatted in place: the longest text fits before the buffer's end.
    if (used_ + DxfNumberMax + 2 > buffer_.size()) Flush();
    char* p = buffer_.data() + used_;
    const std::size_t size = FormatDxfNumber(p, value, digits);
    p[size] = '\r';
    p[size + 1] = '\n';
    used_ += size + 2;
}

void DxfOut::Number(double value) { NumberLine(value, 15); }

void DxfOut::Single(float value) { NumberLine(value, 7); }

void DxfOut::Flush() {
    if (notFinite_ || used_ == 0) return;
    stream_.write(buffer_.data(), static_cast<std::streamsize>(used_));
    used_ = 0;
}

}  // namespace velm
