// A development printed to PDF through the Qt printer and measured on the
// page rendered by pdftoppm: true to size at 1:1, half at 1:2, and stretched
// by the calibration factors. A value table's pages read back by pdftotext.
#include <gtest/gtest.h>

#include <QPageLayout>
#include <QPrinter>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <vector>

#include "support/pdf_render.h"
#include "cylinders/cylinder_compute.h"
#include "core/language.h"
#include "output/print_job.h"
#include "output/value_table.h"
#include "platform/qt/qt_printer.h"
#include "platform/services.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace velm {
namespace {

constexpr int Dpi = 254;  // 10 pixels a millimetre
constexpr double Margin = 10;  // the page's margins, millimetres


TEST(PrintedSize, OneToOneIsTrueHalfAtOneToTwoAndFactorsStretch) {
    TempFolder folder;
    QtPrinter printer;
    printer.Device().setOutputFormat(QPrinter::PdfFormat);
    printer.Device().setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                               QMarginsF(Margin, Margin, Margin, Margin), QPageLayout::Millimeter));
    ScriptedDialogs dialogs;
    const Services saved = Platform();
    Platform().dialogs = &dialogs;

    WorkingState st;
    st.ShapeCode = ShapeCiRe;
    ASSERT_EQ(ValidateAndDevelopCylinder(ShapeCiRe, st).Message, 0);
    const CylinderResults& r = st.CylinderDevelopment.Results;
    const SheetPictures pictures{500, 500 * 277.0 / 190, 100};

    struct Case {
        const char* name;
        std::int16_t scale;
        float x, y;  // calibration factors
    };
    const Case cases[] = {{"1:1", 1, 1, 1}, {"1:2", 2, 1, 1}, {"1.02 / 0.98", 1, 1.02f, 0.98f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        st.Settings.Scale = c.scale;
        st.Sheet.CylinderFactors = {c.x / c.scale, c.y / c.scale};
        st.Sheet.PageWidth = 190 / st.Sheet.CylinderFactors.X;
        st.Sheet.PageHeight = 277 / st.Sheet.CylinderFactors.Y;
        st.Sheet.DrawingLeft = 100;  // a fifth of the sheet: 38 mm into the page
        st.Sheet.DrawingTop = 150;
        const std::string name = folder.File("sheet.pdf");
        dialogs.ExpectSave(name);
        ASSERT_EQ(PrintSheetOn(printer, CylinderSheet, pictures, st), DocumentResult::Printed);
        const Grey page = RenderPdfPage(name, Dpi, folder.Path() + "/render", 160);
        ASSERT_GT(page.width, 0) << "pdftoppm (poppler-utils) could not render the page";

        const double width = r.DevelopedLength * c.x / c.scale, height = r.Hmax * c.y / c.scale;
        const double left = Margin + 38, top = Margin + 150 / pictures.SheetHeight * 277;
        ExpectPlateOnPage(page, left, top, width, height);
        if (c.x != 1 || c.scale != 1) continue;
        // The dash-dot middle line in dashes a fitter sees: dark runs of 4 to 6 mm, not a solid line.
        int dashes = 0, longest = 0;
        for (int x = static_cast<int>((left + width / 2) * 10) - 2, n = x + 4; x <= n; ++x)
            for (int y = static_cast<int>(top * 10) + 3, run = 0; y < (top + height) * 10 - 3; ++y) {
                run = page.Dark(x, y) ? run + 1 : 0;
                dashes += run == 40;
                longest = std::max(longest, run);
            }
        EXPECT_GE(dashes, 3);
        EXPECT_LE(longest, 60);
    }
    Platform() = saved;
}

// The words of each page of a PDF with their left and top edges in points,
// line by line down the page (pdftotext -bbox from poppler-utils).
struct PdfWord {
    double x, y;
    std::string text;
};
std::vector<std::vector<PdfWord>> PdfWords(const std::string& pdf, const std::string& out) {
    std::vector<std::vector<PdfWord>> pages;
    if (std::system(("pdftotext -bbox '" + pdf + "' '" + out + "'").c_str()) != 0) return pages;
    std::ifstream in(out);
    const std::regex word(R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)"[^>]*>([^<]*)</word>)re");
    for (std::string line; std::getline(in, line);) {
        if (line.find("<page ") != std::string::npos) pages.emplace_back();
        std::smatch m;
        if (!pages.empty() && std::regex_search(line, m, word))
            pages.back().push_back({std::stod(m[1]), std::stod(m[2]), m[3]});
    }
    for (auto& words : pages)
        std::sort(words.begin(), words.end(), [](const PdfWord& a, const PdfWord& b) {
            return std::lround(a.y * 10) != std::lround(b.y * 10) ? a.y < b.y : a.x < b.x;
        });
    return pages;
}

// A table over two pages: the second carries the job line, the title, the
// headings and the column names where the first does, and its rows stand in
// the same three columns.
TEST(PrintedSize, EveryTablePageCarriesTheHeadAndKeepsItsColumns) {
    TempFolder folder;
    QtPrinter printer;
    printer.Device().setOutputFormat(QPrinter::PdfFormat);
    printer.Device().setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                               QMarginsF(Margin, Margin, Margin, Margin), QPageLayout::Millimeter));
    ScriptedDialogs dialogs;
    const Services saved = Platform();
    Platform().dialogs = &dialogs;
    const LanguageTexts language = Language();
    Language().Sections[LangFrmTabella] = {"", "Table", "Angle", "Radius", "Top", "Bottom", "Position", "Height"};
    Language().Sections[LangFrmUnMis] = {"", "Unit", "mm", "inch"};

    WorkingState st;
    st.ShapeCode = ShapeCiRe;
    st.Settings.AngleStep = 2;  // 91 rows: two A4 pages
    ASSERT_EQ(ValidateAndDevelopCylinder(ShapeCiRe, st).Message, 0);
    const std::string name = folder.File("table.pdf");
    dialogs.ExpectSave(name);
    ASSERT_EQ(PrintTable(printer, FillTable(st, TableForm::Cylinder)), DocumentResult::Printed);
    Language() = language;
    Platform() = saved;

    const auto pages = PdfWords(name, folder.File("table.html"));
    ASSERT_EQ(pages.size(), 2u) << "pdftotext (poppler-utils) read no pages";
    const std::vector<std::string> head = {"---", "TOLVA-MERIX", "---", "VELM"};
    std::vector<std::map<long, int>> columns(2);  // rows' left edges, tenths of a point
    for (std::size_t p = 0; p < 2; ++p) {
        SCOPED_TRACE(p);
        const auto& words = pages[p];
        ASSERT_GT(words.size(), 12u);
        for (std::size_t i = 0; i < head.size(); ++i) EXPECT_EQ(words[i].text, head[i]);
        // The job line, the title, head0, head1 and the column names where page 1 has them.
        for (std::size_t i = 0; i < 10; ++i) {
            EXPECT_EQ(words[i].text, pages[0][i].text) << i;
            EXPECT_NEAR(words[i].x, pages[0][i].x, 0.01) << words[i].text;
            EXPECT_NEAR(words[i].y, pages[0][i].y, 0.01) << words[i].text;
        }
        EXPECT_EQ(words[8].text, "Top");
        EXPECT_EQ(words[9].text, "Bottom");
        for (std::size_t i = 10; i < words.size(); ++i) ++columns[p][std::lround(words[i].x * 10)];
    }
    // Three columns on each page, at the same places, the column names over two of them.
    ASSERT_EQ(columns[0].size(), 3u);
    EXPECT_EQ(columns[1].size(), 3u);
    for (const auto& [x, count] : columns[0]) EXPECT_GT(columns[1].count(x), 0u) << x / 10.0;
    EXPECT_EQ(columns[0].count(std::lround(pages[0][8].x * 10)), 1u);
    EXPECT_EQ(columns[0].count(std::lround(pages[0][9].x * 10)), 1u);
}

}  // namespace
}  // namespace velm
