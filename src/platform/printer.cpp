#include "platform/printer.h"

namespace velm {

PrinterPage::PrinterPage() {
    FontName = TextFont;
    FontSize = TextSize;
}

void PrinterPage::SetUnits(PageUnits units) {
    units_ = units == PageInches ? PageInches : PageMillimetres;
    const double perInch = units_ == PageInches ? 1.0 : 25.4;
    const double dpiX = DotsPerInchX(), dpiY = DotsPerInchY();
    if (dpiX <= 0 || dpiY <= 0) return;
    Scale(0, 0, PixelWidth() / dpiX * perInch, PixelHeight() / dpiY * perInch);
}

void PrinterPage::ResetState() {
    CurrentX = CurrentY = 0;
    DrawStyle = DrawSolid;
    DrawWidth = 1;
    ForeColor = RGB(0, 0, 0);
    FontName = TextFont;
    FontSize = TextSize;
    FontBold = false;
    SetUnits(PageMillimetres);
}

std::string LabelledFileName(const std::string& fileName, const std::string& label) {
    const auto slash = fileName.find_last_of('/');
    const auto dot = fileName.find_last_of('.');
    // Only a dot in the file's own name starts its extension, and not a leading one.
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos ? dot > 0 : dot > slash + 1);
    const auto cut = hasExtension ? dot : fileName.size();
    return fileName.substr(0, cut) + label + fileName.substr(cut);
}

std::string NumberedFileName(const std::string& fileName, int number) {
    return LabelledFileName(fileName, "-" + std::to_string(number));
}

}  // namespace velm
