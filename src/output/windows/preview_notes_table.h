#pragma once
// What the sheet previews open over themselves: the value table (CmdTabella)
// and the notes window (a click on the data box PctDati or its caption
// LblArea). The preview's handlers live in preview_notes_table.cpp.
#include <functional>

class QWidget;

namespace velm {

// Runs `clicked` when the left button is pressed and released over `control`.
void OnClick(QWidget* control, std::function<void()> clicked);

}  // namespace velm
