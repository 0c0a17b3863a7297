#include "core/data_file.h"
#include "core/unit_conversion.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace velm {
namespace {

using Lines = std::vector<std::string>;

std::string Join(const Lines& lines, const std::string& end = "\r\n") {
    std::string s;
    for (const auto& l : lines) s += l + end;
    return s;
}

const Lines kMillimetres = {
    "\"VELM\"", "\"2.1\"", "0", "6", ".3", "21", "29", "35", "10", "10", ".3", "20", "40", "10", "10",
    ".3", "25", "10", "10", "90", "157.07964", "100", "5", ".3", "20", "10", "30", "10", "90", "100",
    "63.661976", "5", "\"N\"", "1", "20", "10", "45", "22", "0", "27", "10", "35", "30"};
// The same defaults after the unit change to inches (each length / 25.4 in single precision).
const Lines kInches = {
    "\"VELM\"", "\"2.1\"", "1", "6", ".0118110245", ".8267717", "1.1417323", "1.3779528", "10", "10",
    ".0118110245", ".78740156", "1.5748031", "10", "10", ".0118110245", ".984252", "10", "10", "90",
    "6.1842375", "3.937008", "5", ".0118110245", ".78740156", "10", "1.1811024", "10", "90", "3.937008",
    "2.506377", "5", "\"N\"", "1", ".78740156", "10", "1.7716535", ".86614174", "0", "1.0629921", "10",
    "1.3779528", "1.1811024"};

// A record unlike the test files, to see what a read changes.
DataFileRecord Sentinel() {
    DataFileRecord r;
    r.ShapeCode = 3;
    r.Inputs.CylinderData = {0, 1, 2, 3, 4, 5, 0.25f, 0.5f};
    r.Inputs.CylElbowData[2] = 77;
    r.Inputs.CylindricalEnds = "S";
    return r;
}

TEST(DataFile, DefaultFileBytesInMillimetresAndInches) {
    DataFileRecord r;
    r.ShapeCode = ShapeCiRe;
    EXPECT_EQ(WriteDataFileText(r), Join(kMillimetres));
    // The unit change converts exactly the lengths, each rounded once into single precision.
    r.MeasuringSystem = 1;
    ConvertInputUnits(0, r.Inputs);
    EXPECT_EQ(WriteDataFileText(r), Join(kInches));
}

TEST(DataFile, NumberTextReadsBackToTheSameSingle) {
    const std::pair<float, const char*> forms[] = {{0.3f, ".3"}, {-0.5f, "-.5"}, {1e-7f, "1E-07"}, {-0.0f, "0"}};
    for (const auto& [value, text] : forms) EXPECT_EQ(DataFileNumberText(value), text);

    std::mt19937 gen(7);
    std::vector<float> values = {std::nextafter(3.0f, 0.0f), 1.0f / 3, 0.1f, 300.0f / 25.4f, 16777217.0f};
    for (int i = 0; i < 1000; ++i) values.push_back(std::bit_cast<float>(static_cast<std::uint32_t>(gen())));
    for (float f : values) {
        if (!std::isfinite(f) || f == 0) continue;
        float back = 0;
        ASSERT_TRUE(ReadDataFileNumber(DataFileNumberText(f), back)) << DataFileNumberText(f);
        ASSERT_EQ(std::bit_cast<std::uint32_t>(back), std::bit_cast<std::uint32_t>(f)) << DataFileNumberText(f);
    }
    for (const char* bad : {"", "-.", "1,5", "1e", "nan", "1e39", "\"5\""}) {
        float v = 1;
        EXPECT_FALSE(ReadDataFileNumber(bad, v)) << bad;
        EXPECT_EQ(v, 1.0f) << bad;
    }
}

TEST(DataFile, AcceptedTextForms) {
    struct Case { int line; const char* value; const char* end; float cylinderThickness, elbowStartCut; };
    const Case cases[] = {
        {0, "", "\n", 0.3f, 10}, {11, "1E-07", "\r\n", 1e-7f, 10}, {18, "-.5", "\n", 0.3f, -0.5f},
        {4, "6.0", "\n", 0.3f, 10},
    };
    for (const Case& c : cases) {
        Lines lines = kMillimetres;
        if (c.line > 0) lines[c.line - 1] = c.value;
        DataFileRecord r = Sentinel();
        ASSERT_TRUE(ReadDataFileText(Join(lines, c.end), InputLimits{}, r)) << c.line << c.value;
        EXPECT_EQ(r.ShapeCode, ShapeCiRe);
        EXPECT_EQ(r.Inputs.CylinderData[1], c.cylinderThickness) << c.value;
        EXPECT_EQ(r.Inputs.CylElbowData[3], c.elbowStartCut) << c.value;
        EXPECT_EQ(r.Inputs.CylinderData[6], 0.25f);  // radian copies are not in the file
    }
    DataFileRecord r = Sentinel();  // an inch file, without a last line end
    std::string text = Join(kInches);
    ASSERT_TRUE(ReadDataFileText(text.substr(0, text.size() - 2), InputLimits{}, r));
    EXPECT_EQ(r.MeasuringSystem, 1);
    EXPECT_EQ(r.Inputs.EndConnections[10], 30 / 25.4f);
}

TEST(DataFile, RejectedFilesChangeNothing) {
    struct Case { int line; std::string value; size_t keep = 43; bool inches = false; };
    const Case cases[] = {
        {1, "\"VELX\""}, {3, "2"}, {4, "14"}, {4, "6.5"},  // marker, unit, shape code
        {12, "nan"}, {21, "abc"}, {12, "301"},            // lengths
        {14, "81"}, {14, "-10"},  // cut angles; only the lower ones are stored negated
        {20, "9"}, {21, "943"},   // bend angle, axis length within the bend's reach
        {23, "2.5"}, {32, "51"},  // piece counts
        {33, "\"X\""}, {0, "", 42}, {0, "", 0},  // end code, truncated
        {12, "12", 43, true},                      // 12 inches is over 300 mm
    };
    for (const Case& c : cases) {
        Lines lines = c.inches ? kInches : kMillimetres;
        if (c.line > 0) lines[c.line - 1] = c.value;
        lines.resize(c.keep);
        DataFileRecord r = Sentinel();
        EXPECT_FALSE(ReadDataFileText(Join(lines), InputLimits{}, r)) << c.line << " " << c.value << " " << c.keep;
        EXPECT_EQ(WriteDataFileText(r), WriteDataFileText(Sentinel())) << c.line << " " << c.value;
    }
    // Values at their limits pass, in the file's unit.
    Lines atLimits = kInches;
    atLimits[11] = DataFileNumberText(static_cast<float>(300 / 25.4));
    atLimits[4] = DataFileNumberText(static_cast<float>(3 / 25.4));
    atLimits[22] = "50";
    DataFileRecord r = Sentinel();
    EXPECT_TRUE(ReadDataFileText(Join(atLimits), InputLimits{}, r));
}

// Every shape code the program knows reads back, the elbows' 10 to 13 included.
TEST(DataFile, EveryShapeCodeReads) {
    for (int code = ShapeNone; code <= ShapeCuConica3; ++code) {
        Lines lines = kMillimetres;
        lines[3] = std::to_string(code);
        DataFileRecord r = Sentinel();
        EXPECT_TRUE(ReadDataFileText(Join(lines), InputLimits{}, r)) << code;
        EXPECT_EQ(r.ShapeCode, code);
    }
}

// A file with the marker but one bad value names the line and what stands there.
TEST(DataFile, DamagedFilesNameTheLineAndTheValue) {
    struct Case { int line; std::string value; size_t keep; int badLine; bool missing; std::string shown; };
    const Case cases[] = {
        {1, "\"VELX\"", 43, 0, false, ""},  // no marker: not a data file at all
        {12, " abc ", 43, 12, false, "abc"},  {12, "301", 43, 12, false, "301"},
        {3, "2", 43, 3, false, "2"},          {4, "14", 43, 4, false, "14"},
        {14, "", 43, 14, false, ""},          {33, "\"X\"", 43, 33, false, "\"X\""},
        {43, "1e40", 43, 43, false, "1e40"},  {0, "", 42, 43, true, ""},
        {2, "\"2\"", 14, 15, true, ""},      {0, "", 1, 2, true, ""},
    };
    for (const Case& c : cases) {
        Lines lines = kMillimetres;
        if (c.line > 0) lines[c.line - 1] = c.value;
        lines.resize(c.keep);
        DataFileRecord r = Sentinel();
        DataFileDamage damage{99, true, "stale"};
        EXPECT_FALSE(ReadDataFileText(Join(lines), InputLimits{}, r, &damage)) << c.line << " " << c.value;
        EXPECT_EQ(damage.Line, c.badLine) << c.line << " " << c.value;
        EXPECT_EQ(damage.Missing, c.missing) << c.line << " " << c.value;
        EXPECT_EQ(damage.Value, c.shown) << c.line << " " << c.value;
        EXPECT_EQ(WriteDataFileText(r), WriteDataFileText(Sentinel())) << c.line << " " << c.value;
    }
}

TEST(DataFile, OlderVersionsHoldNoElbowBlock) {
    struct Case { const char* version; size_t keep; bool ok, elbowsRead; };
    const Case cases[] = {
        {"\"2\"", 15, true, false}, {"\"2\"", 14, false, false}, {"\"2.01\"", 15, false, false},
        {"\"2.01\"", 43, true, true},
    };
    for (const Case& c : cases) {
        Lines lines = kMillimetres;
        lines[1] = c.version;
        lines[11] = "22";  // cylinder diameter
        lines.resize(c.keep);
        DataFileRecord r = Sentinel();
        ASSERT_EQ(ReadDataFileText(Join(lines), InputLimits{}, r), c.ok) << c.version << " " << c.keep;
        if (!c.ok) continue;
        EXPECT_EQ(r.Inputs.CylinderData[2], 22.0f);
        EXPECT_EQ(r.Inputs.CylElbowData[2], c.elbowsRead ? 25.0f : 77.0f) << c.version;
        EXPECT_EQ(r.Inputs.CylindricalEnds, c.elbowsRead ? "N" : "S") << c.version;
    }
}

}  // namespace
}  // namespace velm
