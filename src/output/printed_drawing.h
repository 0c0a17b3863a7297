#pragma once
// The development's outline on the printer, at the place and scale the sheet
// preview shows: straight segments between the outline's points, one per
// angular step, the whole plate or either half, and a dash-dot middle line
// (cylinders) or axis (frusta) reaching 2 mm past the plate in either unit.
// Coordinates are printer units from the printable area's top-left corner,
// y downwards.
#include <cstdint>
#include <vector>

#include "core/working_state.h"
#include "platform/canvas.h"

namespace velm {

// Where the sheet preview put the drawing, and the scale of its sheet.
struct PrintPlacement {
    double SheetWidth = 0;    // SW, SH: the sheet picture's inner size
    double SheetHeight = 0;
    double DrawingWidth = 0;  // the drawing picture's inner width
    float DrawingLeft = 0;    // on the sheet picture
    float DrawingTop = 0;
    float PageWidth = 0;      // development units
    float PageHeight = 0;
    PrintFactorPair Factors;  // printer units per development unit
    std::int16_t MeasuringSystem = 0;  // 1: the page is measured in inches
    double TextBottom = 0;    // printer units: the text lines above end here
};

struct PrintedLine {
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    bool MiddleLine = false;  // the dash-dot line, width 1
};

// How far the dash-dot line reaches past the plate: 2 mm, in the page's unit;
// above the plate never into the text lines.
inline double MiddleLineOverhang(const PrintPlacement& at) { return at.MeasuringSystem != 0 ? 2 / 25.4 : 2; }

// The lines in drawing order; empty when the development gives no outline.
std::vector<PrintedLine> CylinderPrintedLines(const CylinderResults& r, float angleStep,
                                              std::int16_t developmentPart, const PrintPlacement& at);
std::vector<PrintedLine> ConePrintedLines(const ConeResults& r, float angleStep, std::int16_t developmentPart,
                                          const PrintPlacement& at);

// The lines on the page: the outline with the pen the job set, the middle
// line 1 pixel wide in dash-dot, then the solid style again.
void PrintOutline(Canvas& page, const std::vector<PrintedLine>& lines);

}  // namespace velm
