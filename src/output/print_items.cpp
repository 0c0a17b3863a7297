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

namespace {

bool Continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The byte after `count` characters from `from`, or the text's end.
std::size_t AfterColumns(const std::string& text, std::size_t from, int count) {
    std::size_t i = from;
    for (int n = 0; i < text.size() && n < count; ++n) {
        ++i;
        while (i < text.size() && Continuation(static_cast<unsigned char>(text[i]))) ++i;
    }
    return i;
}

std::string TrimmedRight(std::string line) {
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return line;
}

}  // namespace

std::vector<std::string> WrapText(const std::string& text, int columns) {
    if (columns < 1) return {text};
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (TextColumns(text.substr(start)) > columns) {
        const std::size_t end = AfterColumns(text, start, columns);
        // The last blank that lets the line end at or before `end`.
        std::size_t cut = text.rfind(' ', end);
        if (cut == std::string::npos || cut < start || TrimmedRight(text.substr(start, cut - start)).empty()) {
            lines.push_back(text.substr(start, end - start));  // one word longer than the line
            start = end;
        } else {
            lines.push_back(TrimmedRight(text.substr(start, cut - start)));
            start = cut;
        }
        while (start < text.size() && text[start] == ' ') ++start;
    }
    if (start < text.size() || lines.empty()) lines.push_back(text.substr(start));
    return lines;
}

int PrintColumns(const PrinterPage& page) {
    const std::string probe(PrintZoneColumns, '0');
    const double width = page.TextWidth(probe) / PrintZoneColumns;
    if (!(width > 0)) return 0;
    return static_cast<int>(std::floor(page.ScaleWidth() / width + 1e-9));
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
