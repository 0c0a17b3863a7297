#include "platform/qt/qt_printer.h"

#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <cmath>

namespace velm {

namespace {

// The default printer, else any printer, else a PDF file: something always answers.
void ChooseDevice(QPrinter& printer) {
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        const auto all = QPrinterInfo::availablePrinters();
        if (!all.isEmpty()) info = all.first();
    }
    if (!info.isNull()) {
        printer.setPrinterName(info.printerName());
        if (printer.isValid()) return;
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
}

}  // namespace

QPrinter& SharedPrinter() {
    // Lives to the end of the program, past the application object.
    static QPrinter* printer = [] {
        auto* p = new QPrinter(QPrinter::HighResolution);
        ChooseDevice(*p);
        return p;
    }();
    return *printer;
}

int QtPrinter::PageWidthMillimetres() {
    QPrinter& printer = SharedPrinter();
    // A printer that went away since: fall back to the PDF printer.
    if (!printer.isValid()) printer.setOutputFormat(QPrinter::PdfFormat);
    if (!printer.isValid()) return -1;
    const double width = printer.pageLayout().paintRect(QPageLayout::Millimeter).width();
    if (!std::isfinite(width) || width < 1) return -1;
    return static_cast<int>(std::lround(width));
}

}  // namespace velm
