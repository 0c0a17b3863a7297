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

}  // namespace
}  // namespace velm
