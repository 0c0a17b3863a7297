#pragma once
// Text on the printer, line by line: items on one
// line, each ending on the same line, at the start of the next print zone
// of 14 character columns, or ending the line; a new page when a line would
// run past the bottom. The data block, the notes window and the value table
// all print through here.
#include <string>
#include <vector>

#include "platform/printer.h"

namespace velm {

enum class ItemEnd {
    SameLine,  // the next item follows directly (";")
    NextZone,  // the next item starts at the next print zone (",")
    EndLine,   // the next item starts a new line
};

struct PrintItem {
    std::string Text;
    ItemEnd End = ItemEnd::EndLine;
};

using PrintLine = std::vector<PrintItem>;

constexpr int PrintZoneColumns = 14;

// The first column (from 0) of the print zone after the one that holds `column`.
int NextZoneColumn(int column);

// Characters of a UTF-8 text, as columns count them.
int TextColumns(const std::string& text);

// The text in lines of at most `columns` characters, broken at a blank
// where the line has one (the blanks at a break dropped), else within the
// word; nothing is left out. One line for an empty text or no columns.
std::vector<std::string> WrapText(const std::string& text, int columns);

// How many characters of the page's font a line holds across the printable width.
int PrintColumns(const PrinterPage& page);

// Prints one item at the page's current position in its current font.
void PrintOneItem(Printer& printer, const std::string& text, ItemEnd end);
// Prints the items of a line; a line with no items is an empty line.
void PrintItems(Printer& printer, const PrintLine& line);

// The line as the printer lays it out in a monospaced font: blanks up to
// each zone, no line end.
std::string LineText(const PrintLine& line);

}  // namespace velm
