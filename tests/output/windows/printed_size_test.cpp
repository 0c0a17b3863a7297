// A development printed to PDF through the Qt printer and measured on the
// page rendered by pdftoppm: true to size at 1:1, half at 1:2, and stretched
// by the calibration factors.
#include <gtest/gtest.h>

#include <QPageLayout>
#include <QPrinter>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
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

// The words pdftotext reads on the first page, in reading order, with their right edges in millimetres.
struct PdfWord {
    std::string text;
    double right;
};
std::vector<PdfWord> PdfWords(const std::string& pdf, const std::string& out) {
    std::vector<PdfWord> words;
    const std::string command = "pdftotext -bbox -f 1 -l 1 '" + pdf + "' '" + out + "'";
    if (std::system(command.c_str()) != 0) return words;
    std::ifstream in(out);
    const std::string html((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::regex word(R"re(<word xMin="[^"]*" yMin="[^"]*" xMax="([^"]*)" yMax="[^"]*">([^<]*)</word>)re");
    for (auto it = std::sregex_iterator(html.begin(), html.end(), word); it != std::sregex_iterator(); ++it)
        words.push_back({(*it)[2].str(), std::stod((*it)[1].str()) * 25.4 / 72});
    return words;
}

// A plate the page cuts off on the right, under a 190-character note,
// printed to PDF and measured: no ink past the printable area, a red band
// 1 mm wide inside its right edge beside the plate, and every word of the
// note on the page within its width.
TEST(PrintedSize, ACutOffPlateAndALongNoteStayWithinThePrintableArea) {
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
    st.Settings.CheckNote = 1;
    st.NoteText =
        "Roll the plate with the seam at the top, check both cut edges against the template before welding, "
        "grind the burrs off every edge and mark the seam side with red paint before the next piece.";
    st.Sheet.CylinderFactors = {1, 1};
    st.Sheet.PageWidth = 190;
    st.Sheet.PageHeight = 277;
    const SheetPictures pictures{500, 500 * 277.0 / 190, 100, true};
    const double left = 190 - r.DevelopedLength / 2, top = 40;  // half the plate past the right edge
    st.Sheet.DrawingLeft = static_cast<float>(left / 190 * 500);
    st.Sheet.DrawingTop = static_cast<float>(top / 277 * pictures.SheetHeight);
    const std::string name = folder.File("cut.pdf");
    dialogs.ExpectSave(name);
    ASSERT_EQ(PrintSheetOn(printer, CylinderSheet, pictures, st), DocumentResult::Printed);
    const Grey page = RenderPdfPage(name, Dpi, folder.Path() + "/render", 160);
    ASSERT_GT(page.width, 0) << "pdftoppm (poppler-utils) could not render the page";

    // No ink right of the printable area's edge (200 mm from the paper's left).
    int inkPast = 0;
    for (int y = 0; y < page.height; ++y)
        for (int x = (Margin + 190) * 10 + 2; x < page.width; ++x) inkPast += page.Dark(x, y);
    EXPECT_EQ(inkPast, 0);
    // The band beside the plate's middle: 1 mm of ink ending at the edge.
    const int y = static_cast<int>(std::lround((Margin + top + r.Hmax / 2) * 10));
    int bandLeft = (Margin + 190) * 10 - 5, bandRight = bandLeft;
    while (bandLeft > 0 && page.Dark(bandLeft - 1, y)) --bandLeft;
    while (bandRight + 1 < page.width && page.Dark(bandRight + 1, y)) ++bandRight;
    EXPECT_NEAR((bandRight + 1 - bandLeft) / 10.0, 1, 0.2) << bandLeft << ".." << bandRight;
    EXPECT_NEAR((bandRight + 1) / 10.0, Margin + 190, 0.15);
    // The note whole, each word within the printable width.
    const std::vector<PdfWord> words = PdfWords(name, folder.File("words.html"));
    std::string joined;
    for (const PdfWord& w : words) {
        joined += (joined.empty() ? "" : " ") + w.text;
        EXPECT_LE(w.right, Margin + 190 + 0.01) << w.text;
    }
    EXPECT_NE(joined.find(st.NoteText), std::string::npos) << joined;
    Platform() = saved;
}

}  // namespace
}  // namespace velm
