#include "output/notes_lines.h"

#include <algorithm>

#include "core/language.h"
#include "output/data_block.h"
#include "output/sheet_layout.h"

namespace velm {

namespace {

// The printed block is header, empty line, title, empty line, rows, method,
// notes; the window keeps title to method, each label one blank further in.
std::vector<PrintLine> WindowLines(const WorkingState& st, std::vector<PrintLine> block) {
    if (st.Settings.CheckData != 1 || block.size() < 6) return {};
    std::vector<PrintLine> lines(block.begin() + 2, block.end() - 1);
    if (!lines.front().empty()) lines.front().front().Text = " " + lines.front().front().Text;
    const std::size_t method = lines.size() - 1;
    for (std::size_t i = 2; i < method; ++i) {
        const PrintLine& row = lines[i];
        if (row.empty()) continue;
        lines[i] = PaddedLine(" " + row.front().Text, row.back().Text);
    }
    return lines;
}

}  // namespace

std::vector<PrintLine> BuildDataLines(const WorkingState& st) { return WindowLines(st, CylinderDataBlock(st)); }

std::vector<PrintLine> BuildConeDataLines(const WorkingState& st) { return WindowLines(st, ConeDataBlock(st)); }

std::string NotesCaption() { return " " + Txt(LangFrmAntep, 39) + ":"; }

std::vector<std::string> NotesWindowRows(const WorkingState& st) {
    const auto lines = st.OpenPreview == 0 ? BuildConeDataLines(st) : BuildDataLines(st);
    std::vector<std::string> rows;
    for (const PrintLine& line : lines) rows.push_back(LineText(line));
    rows.push_back(NotesCaption());
    return rows;
}

int NotesReservedRows(std::int16_t openPreview, std::int16_t shapeCode, std::int16_t checkNote) {
    if (checkNote == 1) return 2;
    // The printed block has a header, an empty line and the notes line more
    // than the window's data lines, which the caption and the box's row follow.
    const int printed = DataBlockLineCount(openPreview == 0 ? ConeSheet : CylinderSheet, shapeCode);
    return std::max(2, printed - 1);
}

NotesLayout LayOutNotesWindow(int h, int w, int k, int okHeight) {
    constexpr int Margin = 3;      // 50 twips
    constexpr int BoxInset = 7;    // 100 twips
    NotesLayout at;
    at.InnerWidth = w;
    at.InnerHeight = (k + 1) * h + okHeight + Margin;
    at.NoteLeft = Margin;
    at.NoteTop = (k - 1) * h;
    at.NoteWidth = w - BoxInset;
    at.OkLeft = Margin;
    at.OkTop = (k + 1) * h;
    return at;
}

std::string OneLineNote(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += ' ';
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;  // CR LF is one break
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace velm
