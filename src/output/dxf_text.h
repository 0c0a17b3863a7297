#pragma once
// The text form of a drawing file: its four kinds of line, every one ended
// by CR LF, numbers with "." whatever the locale. Lines collect in one
// buffer that goes to the stream in large pieces.
#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace velm {

// A number line's text: plain decimal notation (never an exponent), at most
// `digits` significant digits, no trailing zeros or point, "-" when
// negative; a zero, negative or not, is "0". Returns the length written
// into buf, which holds at least DxfNumberMax characters.
constexpr std::size_t DxfNumberMax = 400;
std::size_t FormatDxfNumber(char* buf, double value, int digits);
std::string DxfNumberText(double value);  // 15 digits, a double-precision value
std::string DxfSingleText(float value);   // 7 digits, a single-precision value

class DxfOut {
public:
    explicit DxfOut(std::ostream& stream);
    ~DxfOut();
    DxfOut(const DxfOut&) = delete;
    DxfOut& operator=(const DxfOut&) = delete;

    // Group code or fixed whole value: one blank, the digits, one blank.
    void Code(int code);
    void Integer(int value) { Code(value); }
    void Text(std::string_view text);
    // Lines already ended by CR LF, written as they are.
    void Lines(std::string_view block);
    void Number(double value);  // double precision
    void Single(float value);   // single precision

    // Sends what is buffered to the stream.
    void Flush();
    // A value that is not finite was asked for: nothing from it on is
    // written, and the whole file must be thrown away.
    bool NotFinite() const { return notFinite_; }

private:
    void Line(const char* text, std::size_t size);
    void NumberLine(double value, int digits);

    std::ostream& stream_;
    std::vector<char> buffer_;  // lines collect here, without a check per character
    std::size_t used_ = 0;
    bool notFinite_ = false;
};

}  // namespace velm
