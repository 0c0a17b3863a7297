// The data block: which rows each shape prints, in which order, with which
// values, and where the print zones put them on the line and on the page.
#include "output/data_block.h"

#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <string>
#include <vector>

#include "core/language.h"
#include "output/sheet_layout.h"
#include "support/recording_printer.h"

namespace velm {
namespace {

// Labels that name their own text number: "T15" ...
void SetTexts() {
    LanguageTexts& l = Language();
    l.Sections[LangFrmAntep].assign(51, "");
    for (int i = 1; i <= 50; ++i) l.Sections[LangFrmAntep][i] = "T" + std::to_string(i);
    l.Sections[LangFrmUnMis] = {"", "Unit", "mm", "inch"};
}

// The text number of a row's label ("T15:" gives 15).
int LabelNumber(const PrintLine& row) { return std::stoi(row.front().Text.substr(1)); }

std::vector<int> Labels(const std::vector<PrintLine>& rows) {
    std::vector<int> out;
    for (const PrintLine& row : rows) out.push_back(LabelNumber(row));
    return out;
}

class DataBlockTest : public testing::Test {
protected:
    void SetUp() override { SetTexts(); }
    void TearDown() override { Language() = LanguageTexts{}; }
};

TEST_F(DataBlockTest, RowsOfEachShapeInPrintOrder) {
    struct Case {
        int family;
        std::int16_t code;
        std::vector<int> labels;
    };
    const std::vector<int> cylinderBoth{15, 30, 31, 32, 33, 34, 22, 23, 35};
    const std::vector<int> coneBoth{15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29};
    const Case cases[] = {
        {CylinderSheet, 6, {15, 30, 31, 35}},
        {CylinderSheet, 7, {15, 30, 31, 32, 33, 22, 35}},
        {CylinderSheet, 8, cylinderBoth},
        {CylinderSheet, 9, cylinderBoth},
        {CylinderSheet, 10, cylinderBoth},
        {CylinderSheet, 11, cylinderBoth},
        {CylinderSheet, 13, cylinderBoth},
        {ConeSheet, 1, {15, 16, 17, 18, 19, 24, 25, 26, 27, 28, 29}},
        {ConeSheet, 2, {15, 16, 17, 18, 19, 20, 22, 24, 25, 26, 27, 28, 29}},
        {ConeSheet, 3, {15, 16, 17, 18, 19, 21, 23, 24, 25, 26, 27, 28, 29}},
        {ConeSheet, 4, coneBoth},
        {ConeSheet, 5, coneBoth},
        {ConeSheet, 11, coneBoth},
        {ConeSheet, 12, coneBoth},
        {ConeSheet, 13, coneBoth},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.code);
        WorkingState st;
        st.ShapeCode = c.code;
        st.Settings.CheckData = 1;
        const auto rows = c.family == CylinderSheet ? CylinderDataRows(st) : ConeDataRows(st);
        EXPECT_EQ(Labels(rows), c.labels);
        // Header, empty, title, empty, rows, method, notes: the data box's lines.
        const auto block = c.family == CylinderSheet ? CylinderDataBlock(st) : ConeDataBlock(st);
        EXPECT_EQ(static_cast<int>(block.size()), DataBlockLineCount(c.family, c.code));
    }
}

TEST_F(DataBlockTest, ValuesLabelsAndUnits) {
    WorkingState st;
    st.ShapeCode = ShapeCiDiscordi;
    st.Settings.CheckData = 1;
    st.LastCylinderInputs = {0.3f, 20, 40, 10, -10};
    CylinderResults& r = st.CylinderDevelopment.Results;
    r.Hmax = 43.58f;
    r.Hmed = 40.004;
    r.Hmin = 3.5766f;
    r.DevelopedLength = 63.774;
    st.NoteText = "Order 12";

    const auto block = CylinderDataBlock(st);
    ASSERT_EQ(block.size(), 15u);
    EXPECT_EQ(LineText(block[0]), "--- TOLVA-MERIX --- VELM 2.1");
    EXPECT_TRUE(block[1].empty());
    EXPECT_EQ(LineText(block[2]), "T14           [mm]");
    const std::vector<std::string> values{"0.3", "20", "40", "43.58", "40", "3.58", "10\xC2\xB0", "-10\xC2\xB0",
                                          "63.77"};
    for (std::size_t i = 0; i < values.size(); ++i) EXPECT_EQ(block[4 + i].back().Text, values[i]) << i;
    EXPECT_EQ(LineText(block[13]), " T37");
    EXPECT_EQ(LineText(block[14]), "Order 12");

    // Outer diameters, inches and the inner fibre.
    st.Settings.DiametriExt = 1;
    st.Settings.MeasuringSystem = 1;
    st.Settings.ComputingSystem = 0;
    st.LastCylinderInputs.Diameter = 0.7874f;
    const auto inches = CylinderDataBlock(st);
    EXPECT_EQ(LineText(inches[2]), "T14           [inch]");
    EXPECT_EQ(LabelNumber(inches[5]), 47);
    EXPECT_EQ(inches[5].back().Text, "0.7874");
    EXPECT_EQ(inches[4 + 6].back().Text, "10\xC2\xB0");  // angles keep at most two decimals
    EXPECT_EQ(LineText(inches[13]), " T38");
    st.Settings.ComputingSystem = 7;  // anything else is the outer fibre
    EXPECT_EQ(LineText(CylinderDataBlock(st)[13]), " T36");

    WorkingState cone;
    cone.ShapeCode = ShapeCoDiscordi;
    cone.Settings.CheckData = 1;
    cone.Settings.DiametriExt = 1;
    cone.LastConeInputs = {2, 200, 300, 150, 30, -20};
    cone.ConeDevelopment.Results.ConeSectorAngleDeg = 40.25f;
    const auto rows = ConeDataRows(cone);
    EXPECT_EQ(LabelNumber(rows[1]), 45);
    EXPECT_EQ(LabelNumber(rows[2]), 46);
    EXPECT_EQ(rows[8].back().Text, "-20\xC2\xB0");  // stored negated, printed as stored
    EXPECT_EQ(rows.back().back().Text, "40.25\xC2\xB0");
}

TEST_F(DataBlockTest, NotesOnlyBlockHasHeaderEmptyLineAndNotes) {
    WorkingState st;
    st.ShapeCode = ShapeCoTaSup;
    st.Settings.CheckNote = 1;
    st.NoteText = "";
    const auto block = ConeDataBlock(st);
    ASSERT_EQ(block.size(), 3u);
    EXPECT_EQ(LineText(block[0]), DataBlockHeader());
    EXPECT_EQ(LineText(block[2]), "");
}

TEST(WrapText, LinesWithinTheColumnsBrokenAtBlanks) {
    struct Case {
        const char* text;
        int columns;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"abc  def ghi", 5, {"abc", "def", "ghi"}},  // the blanks at a break go
        {"a  b c", 4, {"a  b", "c"}},                // those within a line stay
        {"abcdefghij", 4, {"abcd", "efgh", "ij"}},   // a word longer than the line
        {"30\xC2\xB0 45\xC2\xB0 60\xC2\xB0", 7, {"30\xC2\xB0 45\xC2\xB0", "60\xC2\xB0"}},  // characters, not bytes
    };
    for (const Case& c : cases) EXPECT_EQ(WrapText(c.text, c.columns), c.lines) << c.text;
}

TEST(PaddedLine, ValueInTheFourthZoneForLabelsUnderFortyTwo) {
    struct Case {
        int length;
        int emptyZones;
        int valueColumn;
    };
    const Case cases[] = {{1, 2, 42}, {13, 2, 42}, {14, 1, 42}, {27, 1, 42}, {28, 0, 42}, {41, 0, 42}, {42, 0, 56}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        const PrintLine line = PaddedLine(std::string(static_cast<std::size_t>(c.length), 'a'), "7");
        EXPECT_EQ(static_cast<int>(line.size()), c.emptyZones + 2);
        const std::string text = LineText(line);
        EXPECT_EQ(text.find('7'), static_cast<std::size_t>(c.valueColumn));

        RecordingPrinter printer;
        PrintItems(printer, line);
        const auto& texts = printer.documents.at(0).pages.at(0).texts;
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_NEAR(texts[1].x, c.valueColumn * printer.charWidthMm, 1e-6);
        EXPECT_NEAR(texts[1].y, 0, 1e-9);
        EXPECT_NEAR(printer.Page().CurrentY, printer.lineHeightMm, 1e-9);
        EXPECT_NEAR(printer.Page().CurrentX, 0, 1e-9);
    }
}

TEST(PrintItems, SameLineZonesAndANewPageAtTheBottom) {
    RecordingPrinter printer;
    printer.SetPage(100, 10);  // two lines of 4 mm
    PrintOneItem(printer, "ab", ItemEnd::SameLine);
    PrintOneItem(printer, "c", ItemEnd::NextZone);
    PrintOneItem(printer, "d", ItemEnd::EndLine);
    PrintOneItem(printer, "e", ItemEnd::EndLine);
    PrintOneItem(printer, "f", ItemEnd::EndLine);  // 8 + 4 > 10: next page
    const auto& pages = printer.documents.at(0).pages;
    ASSERT_EQ(pages.size(), 2u);
    const auto& first = pages[0].texts;
    ASSERT_EQ(first.size(), 4u);
    EXPECT_NEAR(first[1].x, 2 * printer.charWidthMm, 1e-9);
    EXPECT_NEAR(first[2].x, 14 * printer.charWidthMm, 1e-9);
    EXPECT_NEAR(first[3].y, 4, 1e-9);
    ASSERT_EQ(pages[1].texts.size(), 1u);
    EXPECT_NEAR(pages[1].texts[0].y, 0, 1e-9);
}

// A locale with a decimal comma, as an Italian desktop has.
struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST_F(DataBlockTest, NumbersKeepTheirPointUnderADecimalCommaLocale) {
    const std::string oldC = std::setlocale(LC_ALL, nullptr);
    const std::locale oldCpp = std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
    std::setlocale(LC_ALL, "it_IT.UTF-8");
    WorkingState st;
    st.ShapeCode = ShapeCoRe;
    st.Settings.CheckData = 1;
    st.LastConeInputs = {0.3f, 20.25f, 40.5f, 10};
    st.ConeDevelopment.Results.ConeApexAngle = 12.84f;
    const auto rows = ConeDataRows(st);
    std::setlocale(LC_ALL, oldC.c_str());
    std::locale::global(oldCpp);
    EXPECT_EQ(rows[0].back().Text, "0.3");
    EXPECT_EQ(rows[1].back().Text, "20.25");
    EXPECT_EQ(rows[5].back().Text, "12.84\xC2\xB0");
}

}  // namespace
}  // namespace velm
