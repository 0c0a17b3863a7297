#pragma once
// The value table of a sheet preview: for every angular step from 0 to 180
// degrees the position along the development (cylinders) or the angle in
// the sector (frusta) and the two profile values, on screen and on paper.
// The form follows the open preview: the cylinder form on the cylinder
// sheet, the cone form on the cone sheet.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/working_state.h"
#include "output/print_items.h"
#include "platform/printer.h"

namespace velm {

enum class TableForm { Cylinder, Cone };

// OpenPreview 0 (the cone sheet) gives the cone form, any other the cylinder form.
TableForm TableFormOf(std::int16_t openPreview);

// Grid rows: one header row and one for each step from 0 to 180 degrees:
// 180 / step + 2, halves to even (182 at 1 degree).
int TableRowCount(float angleStep);

struct ValueTable {
    TableForm Form = TableForm::Cylinder;
    std::int16_t MeasuringSystem = 0;
    std::string Head0, Head1;      // the heading strip over the grid
    std::string WidthText;         // sets the width of columns 1 and 2
    std::string Column1, Column2;  // the header row's texts of columns 1 and 2
    std::vector<std::array<std::string, 3>> Rows;  // data rows, angle i * step in row i
};

// FillTable: the headings and the rows from the last development of the form's family.
ValueTable FillTable(const WorkingState& st, TableForm form);

// What heads every page of the printout, in print zones (print_items.h):
// the header, the title in the second zone, the heading and the column
// names over columns 1 and 2, then an empty line.
std::vector<PrintLine> TablePageHead(const ValueTable& table);

// The printout's lines: the page head, then one line per row.
std::vector<PrintLine> TableLines(const ValueTable& table);

// PrintTable: the lines on the printer and the end of the document; rows
// that do not fit go on over further pages, each under the page head again.
DocumentResult PrintTable(Printer& printer, const ValueTable& table);

// The start of the print zone after a text that ends at `right`, zones
// `zoneWidth` wide, in any unit: the heading strip lays out head1 so.
double NextZoneStart(double right, double zoneWidth);

}  // namespace velm
