#include "output/dxf_text.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace velm {

namespace {

constexpr std::size_t BufferSize = 1 << 16;

}  // namespace

std::size_t FormatDxfNumber(char* buf, double value, int digits) {
    if (value == 0 || !std::isfinite(value)) {  // callers refuse what is not finite
        buf[0] = '0';
        return 1;
    }
    // The rounded digits first, then laid out without an exponent.
    char sci[64];
    const auto res = std::to_chars(sci, sci + sizeof sci, value, std::chars_format::scientific, digits - 1);
    const char* p = sci;
    const bool negative = *p == '-';
    if (negative) ++p;
    char mantissa[32];
    int count = 0;
    for (; p < res.ptr && *p != 'e'; ++p)
        if (*p != '.') mantissa[count++] = *p;
    int exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), res.ptr, exponent);
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

DxfOut::DxfOut(std::ostream& stream) : stream_(stream) { buffer_.reserve(BufferSize + DxfNumberMax + 8); }

DxfOut::~DxfOut() { Flush(); }

void DxfOut::Line(std::string_view text) {
    if (notFinite_) return;
    buffer_.append(text);
    buffer_.append("\r\n", 2);
    if (buffer_.size() >= BufferSize) Flush();
}

void DxfOut::Code(int code) {
    char buf[24];
    buf[0] = ' ';
    const auto res = std::to_chars(buf + 1, buf + sizeof buf - 1, code);
    *res.ptr = ' ';
    Line(std::string_view(buf, static_cast<std::size_t>(res.ptr + 1 - buf)));
}

void DxfOut::Text(std::string_view text) { Line(text); }

void DxfOut::NumberLine(double value, int digits) {
    if (!std::isfinite(value)) {
        notFinite_ = true;
        buffer_.clear();
        return;
    }
    char buf[DxfNumberMax];
    Line(std::string_view(buf, FormatDxfNumber(buf, value, digits)));
}

void DxfOut::Number(double value) { NumberLine(value, 15); }

void DxfOut::Single(float value) { NumberLine(value, 7); }

void DxfOut::Flush() {
    if (notFinite_ || buffer_.empty()) return;
    stream_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
}

}  // namespace velm
