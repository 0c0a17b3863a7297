#include "output/print_items.h"

#include <cmath>

namespace velm {

int NextZoneColumn(int column) { return (column / PrintZoneColumns + 1) * PrintZoneColumns; }

int TextColumns(const std::string& text) {
    int columns = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++columns;
    return columns;
}

void PrintOneItem(Printer& printer, const std::string& text, ItemEnd end) {
    PrinterPage& page = printer.Page();
    const double lineHeight = page.TextHeight(text);
    // A line that would run past the bottom goes on at the top of a new page.
    if (page.CurrentY > 0 && page.CurrentY + lineHeight > page.ScaleHeight() + 1e-9) {
        printer.NewPage();
        page.CurrentY = 0;
    }
    const double x = page.CurrentX, y = page.CurrentY;
    // An empty item prints nothing but still moves, as an empty Print does.
    if (!text.empty()) page.Print(text);
    const double right = x + (text.empty() ? 0 : page.TextWidth(text));
    switch (end) {
        case ItemEnd::SameLine:
            page.CurrentX = right;
            page.CurrentY = y;
            break;
        case ItemEnd::NextZone: {
            // Zones are counted in widths of one character of the current font.
            const double zone = page.TextWidth(std::string(PrintZoneColumns, '0'));
            page.CurrentX = zone > 0 ? (std::floor(right / zone + 1e-6) + 1) * zone : right;
            page.CurrentY = y;
            break;
        }
        case ItemEnd::EndLine:
            page.CurrentX = 0;
            page.CurrentY = y + lineHeight;
            break;
    }
}

void PrintItems(Printer& printer, const PrintLine& line) {
    if (line.empty()) {
        PrintOneItem(printer, "", ItemEnd::EndLine);
        return;
    }
    for (const PrintItem& item : line) PrintOneItem(printer, item.Text, item.End);
}

std::string LineText(const PrintLine& line) {
    std::string out;
    int column = 0;
    for (const PrintItem& item : line) {
        out += item.Text;
        column += TextColumns(item.Text);
        if (item.End == ItemEnd::NextZone) {
            const int next = NextZoneColumn(column);
            out.append(static_cast<std::size_t>(next - column), ' ');
            column = next;
        } else if (item.End == ItemEnd::EndLine) {
            break;
        }
    }
    // Trailing blanks of empty zones carry nothing.
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

}  // namespace velm
