#include "output/dxf_text.h"

#include <charconv>
#include <cmath>
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

// The significant digits of value rounded to `digits` (at most 17), and the
// decimal exponent of the first one; false when the quick way cannot tell.
// The shortest digits that read back as the value lie within half a unit in
// the last place of it, so rounding them gives the value's own rounding
// unless their tail sits that close to a half.
bool QuickDigits(double value, int digits, char* mantissa, int& count, int& exponent) {
    char sci[40];
    const auto res = std::to_chars(sci, sci + sizeof sci, value, std::chars_format::scientific);
    const char* p = sci;
    count = 0;
    for (; p < res.ptr && *p != 'e'; ++p)
        if (*p != '.') mantissa[count++] = *p;
    exponent = ReadExponent(p + 1, res.ptr);
    if (count <= digits) return true;
    if (count - digits > 2) return false;
    // The tail beyond the kept digits, as a number of one or two digits.
    int tail = 0, half = 5;
    for (int i = digits; i < count; ++i) tail = tail * 10 + (mantissa[i] - '0');
    for (int i = digits + 1; i < count; ++i) half *= 10;
    const int guard = count - digits >= 2 ? 12 : 2;
    if (tail >= half - guard && tail <= half + guard) return false;
    count = digits;
    if (tail > half) {
        int i = digits - 1;
        for (; i >= 0 && mantissa[i] == '9'; --i) mantissa[i] = '0';
        if (i < 0) {
            mantissa[0] = '1';
            ++exponent;
        } else {
            ++mantissa[i];
        }
    }
    return true;
}

// The same by the exact, slower way.
void ExactDigits(double value, int digits, char* mantissa, int& count, int& exponent) {
    char sci[64];
    const auto res = std::to_chars(sci, sci + sizeof sci, value, std::chars_format::scientific, digits - 1);
    const char* p = sci;
    count = 0;
    for (; p < res.ptr && *p != 'e'; ++p)
        if (*p != '.') mantissa[count++] = *p;
    exponent = ReadExponent(p + 1, res.ptr);
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
    char mantissa[40];
    int count = 0;
    int exponent = 0;
    if (!QuickDigits(magnitude, digits, mantissa, count, exponent))
        ExactDigits(magnitude, digits, mantissa, count, exponent);
    while (count > 1 && mantissa[count - 1] == '0') --count;

    std::size_t n = 0;
    if (negative) buf[n++] = '-';
    if (exponent < 0) {
        buf[n++] = '0';
        buf[n++] = '.';
        for (int i = 0; i < -exponent - 1; ++i) buf[n++] = '0';
        std::memcpy(buf + n, mantissa, static_cast<std::size_t>(count));
        n += static_cast<std::size_t>(count);
        return n;
    }
    const int whole = exponent + 1;  // digits before the point
    for (int i = 0; i < whole; ++i) buf[n++] = i < count ? mantissa[i] : '0';
    if (count > whole) {
        buf[n++] = '.';
        std::memcpy(buf + n, mantissa + whole, static_cast<std::size_t>(count - whole));
        n += static_cast<std::size_t>(count - whole);
    }
    return n;
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
    if (!std::isfinite(value)) {
        notFinite_ = true;
        used_ = 0;
        return;
    }
    char buf[DxfNumberMax];
    Line(buf, FormatDxfNumber(buf, value, digits));
}

void DxfOut::Number(double value) { NumberLine(value, 15); }

void DxfOut::Single(float value) { NumberLine(value, 7); }

void DxfOut::Flush() {
    if (notFinite_ || used_ == 0) return;
    stream_.write(buffer_.data(), static_cast<std::streamsize>(used_));
    used_ = 0;
}

}  // namespace velm
