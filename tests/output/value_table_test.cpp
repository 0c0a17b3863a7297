// The value table: rows per angular step, the values of both forms in both
// units, the printout's zones and pages on the recording printer, and "."
// under a decimal-comma locale.
#include "output/value_table.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <locale>
#include <string>
#include <vector>

#include "core/language.h"
#include "support/recording_printer.h"

namespace velm {
namespace {

class ValueTableTest : public testing::Test {
protected:
    void SetUp() override {
        LanguageTexts& l = Language();
        l.Sections[LangFrmTabella].assign(8, "");
        for (int i = 1; i <= 7; ++i) l.Sections[LangFrmTabella][i] = "H" + std::to_string(i);
        l.Sections[LangFrmUnMis] = {"", "Unit", "mm", "inch"};
    }
    void TearDown() override { Language() = LanguageTexts{}; }

    // A cylinder of developed length 100 pi: upper heights 10 + i / 8,
    // lower heights 0.0004 * i (the first ones "0" at three decimals).
    static WorkingState Cylinder(float step, std::int16_t unit) {
        WorkingState st;
        st.OpenPreview = 1;
        st.Settings.AngleStep = step;
        st.Settings.MeasuringSystem = unit;
        CylinderResults& r = st.CylinderDevelopment.Results;
        r.DevelopedLength = 100 * 3.14159265358979;
        for (std::size_t i = 0; i < r.CylUpperHeights.size(); ++i) {
            r.CylUpperHeights[i] = 10 + static_cast<double>(i) / 8;
            r.CylLowerHeights[i] = 0.0004 * static_cast<double>(i);
        }
        return st;
    }
};

TEST_F(ValueTableTest, OneRowPerStepFromZeroTo180HalvesToEven) {
    const struct {
        float step;
        int rows;
    } cases[] = {{1, 182}, {0.7f, 259}, {0.1f, 1802}, {0.2f, 902}, {0.25f, 722}, {0.5f, 362}, {2, 92}, {5, 38}, {10, 20}};
    for (const auto& c : cases) {
        EXPECT_EQ(TableRowCount(c.step), c.rows) << c.step;
        const ValueTable t = FillTable(Cylinder(c.step, 0), TableForm::Cylinder);
        EXPECT_EQ(static_cast<int>(t.Rows.size()), c.rows - 1) << c.step;
    }
}

TEST_F(ValueTableTest, CylinderAndConeRows) {
    struct Case {
        const char* what;
        TableForm form;
        float step;
        std::int16_t unit;
        std::size_t row;
        std::array<std::string, 3> cells;
    };
    const Case cases[] = {
        {"first row", TableForm::Cylinder, 1, 0, 0, {"0", "10", "0"}},
        {"a three-decimal value", TableForm::Cylinder, 1, 0, 3, {"2.62", "10.375", "0.001"}},
        // Half the developed width, 157.0796, and the heights at 180 degrees.
        {"last row", TableForm::Cylinder, 1, 0, 180, {"157.08", "32.5", "0.072"}},
        {"inches: five decimals in 1 and 2, two in 0", TableForm::Cylinder, 1, 1, 1, {"0.87", "10.125", "0.0004"}},
        {"half step", TableForm::Cylinder, 0.5f, 0, 1, {"0.44", "10.125", "0"}},
        // A sector of 250 degrees: column 0 runs to 125.
        {"cone first row", TableForm::Cone, 1, 0, 0, {"0", "50", "120"}},
        {"cone last row", TableForm::Cone, 1, 0, 180, {"125", "95", "300"}},
        {"cone at 0.25 degrees", TableForm::Cone, 0.25f, 0, 5, {"0.87", "51.25", "125"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WorkingState st = Cylinder(c.step, c.unit);
        ConeResults& cone = st.ConeDevelopment.Results;
        cone.ConeSectorAngleDeg = 250;
        for (std::size_t i = 0; i < cone.ConeUpperRadii.size(); ++i) {
            cone.ConeUpperRadii[i] = 50 + static_cast<double>(i) / 4;
            cone.ConeLowerRadii[i] = 120 + static_cast<double>(i);
        }
        const ValueTable t = FillTable(st, c.form);
        ASSERT_GT(t.Rows.size(), c.row);
        EXPECT_EQ(t.Rows[c.row], c.cells);
    }
}

TEST_F(ValueTableTest, HeadingsOfBothFormsAndUnits) {
    const ValueTable mm = FillTable(Cylinder(1, 0), TableForm::Cylinder);
    EXPECT_EQ(mm.Head0, "H6[mm]");
    EXPECT_EQ(mm.Head1, "H7[mm]");
    EXPECT_EQ(mm.WidthText, "H7");
    EXPECT_EQ(FillTable(Cylinder(1, 1), TableForm::Cylinder).Head0, "H6[inch]");
    const ValueTable cone = FillTable(Cylinder(1, 1), TableForm::Cone);
    EXPECT_EQ(cone.Head0, "H2[\xC2\xB0]");
    EXPECT_EQ(cone.Head1, "H3[inch]");
    EXPECT_EQ(cone.WidthText, "H3");
    EXPECT_EQ(cone.Column1, "H4");
    EXPECT_EQ(cone.Column2, "H5");
    EXPECT_EQ(TableFormOf(0), TableForm::Cone);
    EXPECT_EQ(TableFormOf(1), TableForm::Cylinder);
}

TEST_F(ValueTableTest, PrintedLinesInZones) {
    struct Case {
        TableForm form;
        std::int16_t unit;
        std::string heading;
    };
    const Case cases[] = {
        {TableForm::Cylinder, 0, "H6[mm]                      H7[mm]"},
        {TableForm::Cylinder, 1, "H6[inch]      H7[inch]"},
        {TableForm::Cone, 0, "H2[\xC2\xB0]         H3[mm]"},
    };
    for (const Case& c : cases) {
        const ValueTable t = FillTable(Cylinder(1, c.unit), c.form);
        const auto lines = TableLines(t);
        ASSERT_EQ(lines.size(), 7u + 181u);
        EXPECT_EQ(LineText(lines[0]).rfind("--- TOLVA-MERIX --- VELM ", 0), 0u);
        EXPECT_EQ(LineText(lines[2]), std::string(14, ' ') + "H1");
        EXPECT_EQ(LineText(lines[4]), c.heading);
        EXPECT_EQ(LineText(lines[5]), std::string(42, ' ') + "H4" + std::string(12, ' ') + "H5");
        if (c.form == TableForm::Cylinder && c.unit == 0) {
            EXPECT_EQ(LineText(lines[7]), std::string(14, ' ') + "0" + std::string(27, ' ') + "10" +
                                              std::string(12, ' ') + "0");
        }
    }
}

// Every page carries the page head, the column names over the same
// columns, and its rows under them.
TEST_F(ValueTableTest, RowsGoOnOverFurtherPagesEachUnderTheHead) {
    RecordingPrinter printer;
    printer.SetPage(200, 287);  // 4 mm lines: 71 to a page, 7 of them the head
    const ValueTable t = FillTable(Cylinder(1, 0), TableForm::Cylinder);
    EXPECT_EQ(PrintTable(printer, t), DocumentResult::Printed);
    ASSERT_EQ(printer.documents.size(), 1u);
    const auto& pages = printer.documents[0].pages;
    ASSERT_EQ(pages.size(), 3u);  // 181 rows: 64 + 64 + 53
    const double zone = 14 * printer.charWidthMm;
    std::size_t rows = 0;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE(p);
        const auto& texts = pages[p].texts;
        ASSERT_GE(texts.size(), 9u);
        // The head where page 1 has it (its lines: PrintedLinesInZones), then the page's first row.
        for (std::size_t i = 0; i < 6; ++i) {
            EXPECT_EQ(texts[i].text, pages[0].texts[i].text);
            EXPECT_NEAR(texts[i].x, pages[0].texts[i].x, 1e-9);
            EXPECT_NEAR(texts[i].y, pages[0].texts[i].y, 1e-9);
        }
        EXPECT_EQ(texts[6].text, t.Rows[rows][0]);
        EXPECT_NEAR(texts[6].x, zone, 1e-6);
        EXPECT_NEAR(texts[6].y, 7 * 4.0, 1e-6);
        rows += (texts.size() - 6) / 3;
    }
    EXPECT_EQ(rows, t.Rows.size());
    // The last row: column 0 in the second zone, 1 in the fourth, 2 in the fifth.
    const auto& texts = pages[2].texts;
    const auto& c0 = texts[texts.size() - 3];
    const auto& c1 = texts[texts.size() - 2];
    const auto& c2 = texts[texts.size() - 1];
    EXPECT_EQ(c0.text, "157.08");
    EXPECT_NEAR(c0.x, zone, 1e-6);
    EXPECT_NEAR(c1.x, 3 * zone, 1e-6);
    EXPECT_NEAR(c2.x, 4 * zone, 1e-6);
    EXPECT_NEAR(c2.y, (7 + 52) * 4.0, 1e-6);
}

// A locale with a decimal comma, as an Italian desktop has.
struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST_F(ValueTableTest, NumbersKeepTheirPointUnderADecimalCommaLocale) {
    const std::string oldC = std::setlocale(LC_ALL, nullptr);
    const std::locale oldCpp = std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
    std::setlocale(LC_ALL, "it_IT.UTF-8");
    const ValueTable t = FillTable(Cylinder(1, 0), TableForm::Cylinder);
    RecordingPrinter printer;
    PrintTable(printer, t);
    std::setlocale(LC_ALL, oldC.c_str());
    std::locale::global(oldCpp);
    EXPECT_EQ(t.Rows[3][0], "2.62");
    EXPECT_EQ(t.Rows[3][1], "10.375");
    bool found = false;
    for (const auto& page : printer.documents.at(0).pages)
        for (const auto& text : page.texts) found = found || text.text == "10.375";
    EXPECT_TRUE(found);
}

TEST(NextZoneStartTest, ZonesOfAnyWidth) {
    EXPECT_DOUBLE_EQ(NextZoneStart(0, 70), 70);
    EXPECT_DOUBLE_EQ(NextZoneStart(69.5, 70), 70);
    EXPECT_DOUBLE_EQ(NextZoneStart(70, 70), 140);
    EXPECT_DOUBLE_EQ(NextZoneStart(150, 70), 210);
}

}  // namespace
}  // namespace velm
