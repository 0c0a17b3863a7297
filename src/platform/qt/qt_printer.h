#pragma once
// The system printer: one QPrinter shared by the printer dialogs, the page
// size queries and the print job. It is the default printer when the system
// has one, else a PDF printer.
#include "platform/printer.h"

class QPrinter;

namespace velm {

QPrinter& SharedPrinter();

class QtPrinter : public Printer {
public:
    // The printable width of the shared printer's page.
    int PageWidthMillimetres() override;
};

}  // namespace velm
