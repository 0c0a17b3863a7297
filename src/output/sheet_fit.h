#pragma once
// Whether the chosen part of a development fits the printable area at the
// chosen scale, and what would fit instead: a larger scale of those offered,
// a half of the plate, or the sheet turned. Development units throughout.
#include <string>

#include "output/sheet_layout.h"

namespace velm {

struct SheetFitInput {
    double PageWidth = 0, PageHeight = 0;  // the printable area at the chosen scale
    double TextHeight = 0;                 // what the text lines above the drawing take of it
    DrawingExtent Part;                    // the chosen part
    DrawingExtent Half;                    // one half of the plate
    bool WholePlate = true;                // the chosen part is the whole plate
    int Scale = 1;                         // 1:Scale
    int LargestScale = 5;                  // the largest scale the preview offers
};

struct SheetFit {
    bool TooWide = false, TooHigh = false;
    int Scale = 0;               // the next scale at which the chosen part fits, 0 for none offered
    bool Half = false;           // a half fits at the chosen scale
    bool Turned = false;         // the chosen part fits at the chosen scale on the sheet turned
    bool HalfTurned = false;     // only a half on the sheet turned fits at the chosen scale
    bool Fits() const { return !TooWide && !TooHigh; }
};

SheetFit FitOnSheet(const SheetFitInput& in);

// What the preview says of a drawing that does not fit: that the sheet cuts
// it off and what fits instead; empty when it fits.
std::string SheetFitText(const SheetFit& fit, bool landscape);

}  // namespace velm
