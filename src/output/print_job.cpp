#include "output/print_job.h"

#include "core/language.h"
#include "core/messages.h"
#include "output/data_block.h"
#include "output/print_items.h"
#include "platform/services.h"

namespace velm {

bool CheckPrinterAvailable(const std::string& text) {
    Printer* printer = Platform().printer;
    // Any failure to read the page counts as no printer.
    const bool answers = printer != nullptr && printer->Available() && printer->PageMillimetres().width > 0 &&
                         printer->PageMillimetres().height > 0;
    if (!answers) ShowErrorMessage(text + ".");
    return answers;
}

PrintPlacement PlacementOf(int family, const SheetPictures& pictures, const PrintedSheet& sheet) {
    PrintPlacement at;
    at.SheetWidth = pictures.SheetWidth;
    at.SheetHeight = pictures.SheetHeight;
    at.DrawingWidth = pictures.DrawingWidth;
    at.DrawingLeft = sheet.DrawingLeft;
    at.DrawingTop = sheet.DrawingTop;
    at.PageWidth = sheet.PageWidth;
    at.PageHeight = sheet.PageHeight;
    at.Factors = SheetFactors(sheet, family);
    return at;
}

std::string UpperCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string ScaleTitle(std::int16_t scale) {
    if (scale == 1) return {};
    return UpperCase(Txt(LangFrmAntep, 42)) + " 1:" + std::to_string(scale);
}

std::string PieceTitle(int family, std::int16_t shapeCode, std::int16_t selectedPiece) {
    if (!IsSheetPieceCode(family, shapeCode)) return {};
    return UpperCase(Txt(LangFrmAntep, family == ConeSheet ? 40 : 41)) + std::to_string(selectedPiece);
}

namespace {

// Prints the title line; returns where the text printed so far ends.
double PrintTitleLine(Printer& printer, int family, const WorkingState& st) {
    PrinterPage& page = printer.Page();
    const std::string scale = ScaleTitle(st.Settings.Scale);
    if (!scale.empty()) {
        page.FontBold = true;
        page.CurrentX = 0;
        PrintOneItem(printer, scale, ItemEnd::SameLine);
        page.FontBold = false;
    }
    const std::string piece = PieceTitle(family, st.ShapeCode, st.SelectedPiece);
    if (!piece.empty()) {
        page.FontBold = true;
        page.CurrentX = (page.ScaleWidth() - page.TextWidth(piece)) / 2;
        PrintOneItem(printer, piece, ItemEnd::EndLine);
        page.FontBold = false;
        return page.CurrentY;
    }
    // The line ends the scale caption; alone it holds no text.
    const double before = page.CurrentY;
    PrintOneItem(printer, "", ItemEnd::EndLine);
    return scale.empty() ? before : page.CurrentY;
}

}  // namespace

DocumentResult PrintSheetOn(Printer& printer, int family, const SheetPictures& pictures, const WorkingState& st) {
    if (family != CylinderSheet && family != ConeSheet) return printer.EndDocument();
    const SettingsCache& s = st.Settings;
    PrinterPage& page = printer.Page();
    page.SetUnits(s.MeasuringSystem == 1 ? PageInches : PageMillimetres);
    page.ForeColor = RGB(0, 0, 0);
    page.DrawWidth = 3;

    if (s.CheckData == 1 || s.CheckNote == 1) {
        if (family == CylinderSheet)
            PrintCylinderDataPage(printer, st);
        else
            PrintConeDataPage(printer, st);
    }
    if (s.CheckSviluppo == 1) {
        const double textBottom = PrintTitleLine(printer, family, st);
        PrintPlacement at = PlacementOf(family, pictures, st.Sheet);
        at.MeasuringSystem = s.MeasuringSystem;
        at.TextBottom = textBottom;
        const auto lines = family == CylinderSheet
                               ? CylinderPrintedLines(st.CylinderDevelopment.Results, s.AngleStep,
                                                      st.DevelopmentPart, at)
                               : ConePrintedLines(st.ConeDevelopment.Results, s.AngleStep, st.DevelopmentPart, at);
        PrintOutline(page, lines);
    }
    return printer.EndDocument();
}

void PrintSheet(int family, const SheetPictures& pictures) {
    Printer* printer = Platform().printer;
    if (printer == nullptr) return;
    if (PrintSheetOn(*printer, family, pictures, State()) != DocumentResult::Failed) return;
    const std::string why = printer->FailureText();
    ShowErrorMessage(why.empty() ? Txt(LangErrore, 34) + "." : why);
}

}  // namespace velm
