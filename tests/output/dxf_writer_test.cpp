// The drawing file: its bytes, its number forms, the lines of every shape
// and the refusals that leave nothing behind.
#include <gtest/gtest.h>

#include <cerrno>
#include <charconv>
#include <clocale>
#include <cstdint>
#include <filesystem>
#include <cmath>
#include <limits>
#include <locale>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "dxf_cases.h"
#include "output/dxf_export.h"
#include "output/dxf_text.h"
#include "support/file_size_limit.h"
#include "support/temp_folder.h"

namespace velm {
namespace {

using dxf_cases::Developed;
using dxf_cases::RightCylinder;

std::string Dxf(const WorkingState& st, DxfStatus expected = DxfStatus::Written) {
    std::ostringstream out(std::ios::binary);
    EXPECT_EQ(WriteDxfEntities(out, st), expected);
    return out.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back("<no CR LF>" + text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// A locale with a decimal comma, as an Italian desktop has.
struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

// Written by hand from the templates: four lines, each
// 0/LINE/8/0/10/x/20/y/30/0/11/x/21/y/31/0, a fixed zero as " 0 ".
std::string HandWrittenRightCylinder() {
    const std::string L = "62.8318530717959", H = "40";
    auto line = [](const std::string& x1, const std::string& y1, const std::string& x2, const std::string& y2) {
        return " 0 \r\nLINE\r\n 8 \r\n0\r\n 10 \r\n" + x1 + "\r\n 20 \r\n" + y1 + "\r\n 30 \r\n 0 \r\n 11 \r\n" + x2 +
               "\r\n 21 \r\n" + y2 + "\r\n 31 \r\n 0 \r\n";
    };
    return " 0 \r\nSECTION\r\n 2 \r\nENTITIES\r\n" + line(" 0 ", " 0 ", L, " 0 ") + line(L, " 0 ", L, H) +
           line(L, H, " 0 ", H) + line(" 0 ", H, " 0 ", " 0 ") + " 0 \r\nENDSEC\r\n 0 \r\nEOF\r\n";
}

TEST(DxfFile, RightCylinderByteForByteInAnyLocale) {
    const auto st = RightCylinder(20, 40);
    const std::string expected = HandWrittenRightCylinder();
    EXPECT_EQ(Dxf(*st), expected);
    EXPECT_EQ(Lines(expected).size(), 72u);

    const std::string oldC = std::setlocale(LC_ALL, nullptr);
    const std::locale oldCpp = std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
    const bool italian = std::setlocale(LC_ALL, "it_IT.UTF-8") != nullptr;
    SCOPED_TRACE(italian ? "it_IT locale" : "decimal-comma facet");
    EXPECT_EQ(Dxf(*st), expected);
    std::setlocale(LC_ALL, oldC.c_str());
    std::locale::global(oldCpp);
}

TEST(DxfFile, NumberLinesArePlainDecimals) {
    const std::pair<double, const char*> doubles[] = {
        {0.0, "0"}, {-0.0, "0"},  // a negated zero offset carries no sign
        {62.83185307179586, "62.8318530717959"}, {-0.5, "-0.5"}, {0.1 + 0.2, "0.3"},
        {1e-20, "0.00000000000000000001"}, {-1.5e-7, "-0.00000015"},  // never an exponent
        {99.99999999999999, "100"}, {123456789012345678.0, "123456789012346000"}, {1e15, "1000000000000000"},
        {-365.3, "-365.3"}, {6.123233995736766e-17, "0.0000000000000000612323399573677"},
    };
    for (const auto& [value, text] : doubles) EXPECT_EQ(DxfNumberText(value), text) << value;
    const std::pair<float, const char*> singles[] = {
        {40.0f, "40"}, {-0.0f, "0"}, {40.1f, "40.1"}, {0.1f, "0.1"}, {269.98765f, "269.9876"},
        {16777217.0f, "16777220"}, {1e-9f, "0.000000001"},
    };
    for (const auto& [value, text] : singles) EXPECT_EQ(DxfSingleText(value), text) << value;
}

// The quick digits agree with the exactly rounded ones, halves and nines included.
TEST(DxfFile, NumberLinesRoundLikeTheExactDigits) {
    std::mt19937_64 random(12345);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-8, 12);
    int checked = 0;
    for (int i = 0; i < 200000; ++i) {
        double v = mantissa(random) * std::pow(10.0, exponent(random));
        if (i % 3 == 0) v = std::nextafter(std::round(v * 1e6) / 1e6 + 5e-15 * v, 0.0);  // near a half
        if (i % 2) v = -v;
        char exact[64];
        const auto r = std::to_chars(exact, exact + sizeof exact, v, std::chars_format::scientific, 14);
        double want = 0, got = 0;
        std::from_chars(exact, r.ptr, want);
        const std::string text = DxfNumberText(v);
        std::from_chars(text.data(), text.data() + text.size(), got);
        ASSERT_EQ(got, want) << text << " for " << std::string(exact, r.ptr);
        ++checked;
    }
    EXPECT_EQ(checked, 200000);
}

// The library's exactly rounded digits laid out as a plain decimal: what
// every number line must read, character for character.
std::string PlainFromLibrary(double v, int digits) {
    if (v == 0) return "0";
    char sci[64];
    const auto r = std::to_chars(sci, sci + sizeof sci, std::fabs(v), std::chars_format::scientific, digits - 1);
    std::string mantissa;
    const char* p = sci;
    for (; *p != 'e'; ++p)
        if (*p != '.') mantissa += *p;
    int exponent = 0;
    std::from_chars(p + (p[1] == '+' ? 2 : 1), r.ptr, exponent);
    while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();
    std::string text = v < 0 ? "-" : "";
    if (exponent < 0) return text + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + mantissa;
    const auto whole = static_cast<std::size_t>(exponent + 1);
    if (mantissa.size() <= whole) return text + mantissa + std::string(whole - mantissa.size(), '0');
    return text + mantissa.substr(0, whole) + "." + mantissa.substr(whole);
}

// Every magnitude, both precisions, exact halves (which go to the even
// digit), nines that carry into a new place, and what lies beyond the
// quick range (huge, tiny, subnormal): the text the library's digits give.
TEST(DxfFile, NumberTextsAreTheLibrarysExactDigits) {
    std::mt19937_64 random(2024);
    std::uniform_real_distribution<double> unit(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-24, 24);
    std::uniform_int_distribution<std::uint64_t> odd(std::uint64_t{1} << 20, std::uint64_t{1} << 53);
    std::uniform_int_distribution<int> halving(1, 30);
    std::vector<double> values = {0.5, 1e15, 999999999999999.5, 99999999999999.95, 123456789012345.5,
                                  123456789012344.5, 1234567890123.25, 1e-8, 9.9999999999999995e-9,
                                  std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::min(),
                                  std::numeric_limits<double>::max(), 1e300, 4503599627370495.5};
    for (int i = 0; i < 300000; ++i) {
        double v = unit(random) * std::pow(10.0, exponent(random));
        if (i % 3 == 1) v = static_cast<double>(odd(random) | 1) / std::ldexp(1.0, halving(random));  // exact halves
        if (i % 3 == 2) v = std::nextafter(std::round(v * 1e6) / 1e6 + 5e-15 * v, 0.0);  // near a half
        values.push_back(i % 2 ? -v : v);
    }
    for (double v : values) {
        ASSERT_EQ(DxfNumberText(v), PlainFromLibrary(v, 15)) << std::hexfloat << v;
        const auto f = static_cast<float>(v);
        if (std::isfinite(f)) {
            ASSERT_EQ(DxfSingleText(f), PlainFromLibrary(f, 7)) << std::hexfloat << f;
        }
    }
    const std::pair<float, const char*> singleHalves[] = {
        {1234567.5f, "1234568"}, {1234568.5f, "1234568"}, {9999999.5f, "10000000"}, {0.03125f, "0.03125"},
    };
    for (const auto& [value, text] : singleHalves) EXPECT_EQ(DxfSingleText(value), text) << value;
}

// Line counts of each shape kind at a step of 1 degree, and the form of every line.
TEST(DxfFile, EveryShapeHasItsLinesInTheirForms) {
    const std::pair<int, std::size_t> cases[] = {
        {ShapeCoRe, 72}, {ShapeCoTaSup, 3682}, {ShapeCoTaInf, 3682}, {ShapeCoConcordi, 7292},
        {ShapeCoDiscordi, 7292}, {ShapeCiRe, 72}, {ShapeCiTaSup, 3656}, {ShapeCiConcordi, 7246},
        {ShapeCiDiscordi, 7246},
    };
    for (const auto& [code, count] : cases) {
        SCOPED_TRACE(code);
        const auto st = Developed(code);
        ASSERT_EQ(st->DevelopmentValid, True16);
        const std::vector<std::string> lines = Lines(Dxf(*st));
        ASSERT_EQ(lines.size(), count);
        EXPECT_EQ(lines.front(), " 0 ");
        EXPECT_EQ(lines.back(), "EOF");
        // Odd lines are group codes " n "; layer lines are "0".
        for (std::size_t i = 0; i < lines.size(); i += 2) {
            const std::string& g = lines[i];
            ASSERT_TRUE(g.size() >= 3 && g.front() == ' ' && g.back() == ' ') << i << ": " << g;
            if (g == " 8 ") {
                EXPECT_EQ(lines[i + 1], "0");
            }
            const std::string& v = lines[i + 1];
            EXPECT_EQ(v.find(','), std::string::npos) << v;
            EXPECT_EQ(v.find('e'), std::string::npos) << v;
            if (v.front() != ' ' && (std::isdigit(static_cast<unsigned char>(v.front())) || v.front() == '-')) {
                EXPECT_TRUE(v.find(' ') == std::string::npos && v.back() != '.') << v;
            }
        }
    }
}

TEST(DxfFile, RefusedSourcesWriteNothing) {
    auto none = Developed(ShapeNone);
    EXPECT_EQ(Dxf(*none, DxfStatus::NoDevelopment), "");
    auto invalid = Developed(ShapeCiTaSup);
    invalid->DevelopmentValid = False16;
    EXPECT_EQ(Dxf(*invalid, DxfStatus::NoDevelopment), "");

    const double nan = std::numeric_limits<double>::quiet_NaN();
    auto table = Developed(ShapeCiConcordi);
    table->CylinderDevelopment.Results.CylLowerHeights[200] = nan;
    EXPECT_EQ(Dxf(*table, DxfStatus::NotFinite), "");
    auto length = RightCylinder(20, 40);
    length->CylinderDevelopment.Results.DevelopedLength = std::numeric_limits<double>::infinity();
    EXPECT_EQ(Dxf(*length, DxfStatus::NotFinite), "");
    auto radius = Developed(ShapeCoRe);
    radius->ConeDevelopment.Results.ConeOuterRadius = nan;
    EXPECT_EQ(Dxf(*radius, DxfStatus::NotFinite), "");
    EXPECT_EQ(DxfStatusMessage(DxfStatus::PieceCountRange), 35);
}

long Entries(const std::string& folder) {
    return std::distance(std::filesystem::directory_iterator(folder), {});
}

// The file appears whole or not at all; a refusal or a failure keeps the one before.
TEST(DxfFile, TheFileIsReplacedOnlyWhenWhole) {
    namespace fs = std::filesystem;
    TempFolder dir;
    const auto good = Developed(ShapeCiConcordi);
    const std::string expected = Dxf(*good);
    const std::string target = dir.File("part.dxf");
    EXPECT_TRUE(WriteDxfFile(target, *good).Ok());
    EXPECT_EQ(dir.Read("part.dxf"), expected);

    dir.Write("part.dxf", "previous");
    auto bad = Developed(ShapeCiConcordi);
    bad->CylinderDevelopment.Results.CylUpperHeights[359] = std::numeric_limits<double>::infinity();
    EXPECT_EQ(WriteDxfFile(target, *bad).Status, DxfStatus::NotFinite);
    bad->DevelopmentValid = False16;
    EXPECT_EQ(WriteDxfFile(target, *bad).Status, DxfStatus::NoDevelopment);
    EXPECT_EQ(dir.Read("part.dxf"), "previous");

    // A write that stops half-way (a file size limit stands in for a full disk).
    const DxfFileResult full = testing::WithFileSizeLimit(5000, [&] { return WriteDxfFile(target, *good); });
    EXPECT_EQ(full.Error, EFBIG);
    EXPECT_EQ(dir.Read("part.dxf"), "previous");

    // A write-protected file is refused, as writing into it would be.
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(WriteDxfFile(target, *good).Error, EACCES);
    fs::permissions(target, fs::perms::owner_all);
    EXPECT_EQ(dir.Read("part.dxf"), "previous");
    EXPECT_EQ(Entries(dir.Path()), 1);  // no temporary file left behind

    // A missing folder is made, one level only.
    EXPECT_TRUE(WriteDxfFile(dir.File("new/part.dxf"), *good).Ok());
    EXPECT_EQ(dir.Read("new/part.dxf"), expected);
    EXPECT_EQ(WriteDxfFile(dir.File("a/b/part.dxf"), *good).Error, ENOENT);
}

}  // namespace
}  // namespace velm
