#pragma once
// What the notes window FrmDati shows: the data lines of the printed data
// block, taken from the block's own builder, then the notes caption; and
// where its notes box and OK button go.
#include <cstdint>
#include <string>
#include <vector>

#include "core/working_state.h"
#include "output/print_items.h"

namespace velm {

// The data lines with CheckData on, from the title line to the method line:
// the title is " " & text 14 of FrmAntep with the unit in the next zone, each
// row's label gets one leading blank. Nothing with CheckData off.
std::vector<PrintLine> BuildDataLines(const WorkingState& st);      // cylinder sheet
std::vector<PrintLine> BuildConeDataLines(const WorkingState& st);  // cone sheet

// " " & text 39 of FrmAntep & ":".
std::string NotesCaption();

// The rows shown above the notes box for the open preview (0 the cone sheet,
// 1 the cylinder sheet): the data lines and the caption, laid out in zones.
std::vector<std::string> NotesWindowRows(const WorkingState& st);

// Rows reserved above the notes box: one per data line shown plus the
// caption and the box's own row; 2 with the notes only.
int NotesReservedRows(std::int16_t openPreview, std::int16_t shapeCode, std::int16_t checkNote);

// Window units (pixels): h the text height, w the width of 51 letters "A".
struct NotesLayout {
    int InnerWidth = 0;
    int InnerHeight = 0;
    int NoteLeft = 0, NoteTop = 0, NoteWidth = 0;
    int OkLeft = 0, OkTop = 0;
};
NotesLayout LayOutNotesWindow(int h, int w, int k, int okHeight);

// Notes are one line: every line break typed or pasted becomes one blank.
std::string OneLineNote(const std::string& text);

}  // namespace velm
