#pragma once
// The data block printed at the top of a development sheet, and shown by
// the notes window: the header, the shape's values as label and value in
// print zones, the calculation method and the notes. One builder makes the
// lines; the printer and the screen each lay them out.
#include <string>
#include <vector>

#include "core/working_state.h"
#include "output/print_items.h"

namespace velm {

// "--- TOLVA-MERIX --- VELM " and the version.
std::string DataBlockHeader();

// A label and its value with the value in the fourth print zone for labels
// under 42 characters: two empty zones after a label shorter than 14
// characters, one after 14 to 27, none after 28 or more.
PrintLine PaddedLine(const std::string& label, const std::string& value);

// The data rows only (label and value, the label ending in ":"), in print
// order, for the codes of the sheet: cylinders 6 to 11 and 13, frusta 1 to
// 5 and 11 to 13. Values come from LastCylinderInputs / LastConeInputs and the
// family's last development.
std::vector<PrintLine> CylinderDataRows(const WorkingState& st);
std::vector<PrintLine> ConeDataRows(const WorkingState& st);

// The whole block by CheckData: header, empty line, and with the data the
// title with the unit, an empty line, the rows and the method; last the
// notes, wrapped in lines of noteColumns characters (NoteLines), one line
// unwrapped for 0 columns, an empty line when there are none.
std::vector<PrintLine> CylinderDataBlock(const WorkingState& st, int noteColumns = 0);
std::vector<PrintLine> ConeDataBlock(const WorkingState& st, int noteColumns = 0);

// The notes' lines within noteColumns characters; one empty line for none.
std::vector<std::string> NoteLines(const std::string& note, int noteColumns);
// How many lines the notes take on the printer's page.
int NoteLineCount(const std::string& note, const PrinterPage& page);

// The block printed from the page's current position, the notes wrapped
// within the page's width.
void PrintCylinderDataPage(Printer& printer, const WorkingState& st);
void PrintConeDataPage(Printer& printer, const WorkingState& st);
// PrintPaddedText: one padded line on the printer.
void PrintPaddedText(Printer& printer, const std::string& label, const std::string& value);

}  // namespace velm
