#pragma once
// Texts of LangErrore that refuse an export.
#include "core/piece_count.h"  // ErrPieceCountRange

namespace velm {

// "There is no development to export: ..."
constexpr int ErrNoDevelopmentToExport = 37;
// "A value of the drawing is not a finite number: ..."
constexpr int ErrDrawingNotFinite = 38;

}  // namespace velm
