// A development printed to PDF through the Qt printer and measured on the
// page rendered by pdftoppm: true to size at 1:1, half at 1:2, and stretched
// by the calibration factors.
#include <gtest/gtest.h>

#include <QPageLayout>
#include <QPrinter>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "support/pdf_render.h"
#include "cylinders/cylinder_compute.h"
#include "output/print_job.h"
#include "platform/qt/qt_printer.h"
#include "platform/services.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace velm {
namespace {

constexpr int Dpi = 254;  // 10 pixels a millimetre
constexpr double Margin = 10;  // the page's margins, millimetres


// Centres of the first and last dark runs along a row or a column, in millimetres.
std::pair<double, double> Edges(const Grey& g, bool row, int at) {
    const int n = row ? g.width : g.height;
    std::vector<int> dark;
    for (int i = 0; i < n; ++i)
        if (row ? g.Dark(i, at) : g.Dark(at, i)) dark.push_back(i);
    if (dark.empty()) return {0, 0};
    auto runCentre = [&](std::size_t from, int step) {
        std::size_t j = from;
        while (j + step < dark.size() && dark[j + step] == dark[j] + step) j += step;
        return (dark[from] + dark[j]) / 2.0;
    };
    const double first = runCentre(0, 1);
    std::size_t last = dark.size() - 1;
    std::size_t j = last;
    while (j > 0 && dark[j - 1] == dark[j] - 1) --j;
    const double lastCentre = (dark[j] + dark[last]) / 2.0;
    return {(first + 0.5) / 10, (lastCentre + 0.5) / 10};
}

// A developed right cylinder printed to PDF on A4 with 10 mm margins, the
// drawing a fifth of the sheet (38 mm) in and 150 px down.
class PrintedSize : public testing::Test {
protected:
    void SetUp() override {
        printer.Device().setOutputFormat(QPrinter::PdfFormat);
        printer.Device().setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                                   QMarginsF(Margin, Margin, Margin, Margin), QPageLayout::Millimeter));
        saved = Platform();
        Platform().dialogs = &dialogs;
        st.ShapeCode = ShapeCiRe;
        ASSERT_EQ(ValidateAndDevelopCylinder(ShapeCiRe, st, st.CylinderDevelopment.Results), 0);
    }
    void TearDown() override { Platform() = saved; }
    // The page printed at scale 1:scale with the calibration factors x and y.
    Grey Print(std::int16_t scale, float x, float y, int darkBelow) {
        st.Settings.Scale = scale;
        st.Sheet.CylinderFactors = {x / scale, y / scale};
        st.Sheet.PageWidth = 190 / st.Sheet.CylinderFactors.X;
        st.Sheet.PageHeight = 277 / st.Sheet.CylinderFactors.Y;
        st.Sheet.DrawingLeft = 100;
        st.Sheet.DrawingTop = 150;
        const std::string name = folder.File("sheet.pdf");
        dialogs.ExpectSave(name);
        EXPECT_EQ(PrintSheetOn(printer, CylinderSheet, pictures, st), DocumentResult::Printed);
        return RenderPdfPage(name, Dpi, folder.Path() + "/render", darkBelow);
    }

    TempFolder folder;
    QtPrinter printer;
    ScriptedDialogs dialogs;
    Services saved;
    WorkingState st;
    const SheetPictures pictures{500, 500 * 277.0 / 190, 100};
    const double left = Margin + 38, top = Margin + 150 / pictures.SheetHeight * 277;
};

TEST_F(PrintedSize, OneToOneIsTrueHalfAtOneToTwoAndFactorsStretch) {
    const CylinderResults& r = st.CylinderDevelopment.Results;
    struct Case {
        const char* name;
        std::int16_t scale;
        float x, y;  // calibration factors
    };
    const Case cases[] = {{"1:1", 1, 1, 1}, {"1:2", 2, 1, 1}, {"1.02 / 0.98", 1, 1.02f, 0.98f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Grey page = Print(c.scale, c.x, c.y, 160);
        ASSERT_GT(page.width, 0) << "pdftoppm (poppler-utils) could not render the page";

        const double width = r.DevelopedLength * c.x / c.scale, height = r.Hmax * c.y / c.scale;
        // Across the plate a quarter down; up the plate a quarter along.
        const auto across = Edges(page, true, static_cast<int>(std::lround((top + height / 4) * 10)));
        const auto along = Edges(page, false, static_cast<int>(std::lround((left + width / 4) * 10)));
        EXPECT_NEAR(across.second - across.first, width, 0.2);
        EXPECT_NEAR(along.second - along.first, height, 0.2);
        EXPECT_NEAR(across.first, left, 0.2);
        EXPECT_NEAR(along.first, top, 0.2);
    }
}

// The dash-dot middle line on paper: dashes a fitter can see (5 mm, gaps of
// 1.5 mm about a dot), not a pattern in pen widths that prints solid.
TEST_F(PrintedSize, MiddleLineDashesAreMillimetresOnThePage) {
    const CylinderResults& r = st.CylinderDevelopment.Results;
    const Grey page = Print(1, 1, 1, 200);
    ASSERT_GT(page.width, 0) << "pdftoppm (poppler-utils) could not render the page";

    // The darkest column about the middle line, from the plate's top to its bottom.
    const double middle = left + r.DevelopedLength / 2;
    const int y0 = static_cast<int>(top * 10) + 5, y1 = static_cast<int>((top + r.Hmax) * 10) - 5;
    int column = 0, most = -1;
    for (int x = static_cast<int>(middle * 10) - 3; x <= static_cast<int>(middle * 10) + 3; ++x) {
        int n = 0;
        for (int y = y0; y <= y1; ++y) n += page.Dark(x, y);
        if (n > most) most = n, column = x;
    }
    // Dark runs and the gaps between them, in millimetres; the first and last
    // may be cut by the plate's edges.
    std::vector<double> runs, gaps;
    int run = 0, gap = 0;
    for (int y = y0; y <= y1; ++y) {
        if (page.Dark(column, y)) {
            if (gap > 0) gaps.push_back(gap / 10.0);
            gap = 0;
            ++run;
        } else {
            if (run > 0) runs.push_back(run / 10.0);
            run = 0;
            ++gap;
        }
    }
    ASSERT_GE(runs.size(), 6u) << "a dashed line, not a solid one";
    int dashes = 0;
    for (std::size_t i = 1; i + 1 < runs.size(); ++i) {
        EXPECT_TRUE(std::fabs(runs[i] - 5) < 0.3 || runs[i] < 0.8) << runs[i];
        dashes += runs[i] > 4;
    }
    EXPECT_GE(dashes, 3);
    for (std::size_t i = 1; i + 1 < gaps.size(); ++i) EXPECT_NEAR(gaps[i], 1.5, 0.3);
}

}  // namespace
}  // namespace velm
