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
    bool CutOff = false;      // the preview marks the drawing cut off by the sheet
};

struct PrintedLine {
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    bool MiddleLine = false;  // the dash-dot line, width 1
    bool CutMark = false;     // a red band where the page cuts the drawing off, CutMarkWidth wide
};

// The printable area the sheet stands for, in printer units.
struct PrintArea {
    double Width = 0, Height = 0;
};
PrintArea PrintAreaOf(const PrintPlacement& at);

// How wide a cut mark prints: 1 mm in the page's unit.
inline double CutMarkWidth(const PrintPlacement& at) { return at.MeasuringSystem != 0 ? 1 / 25.4 : 1; }

// The lines within the printable area: each cut at its edges, those wholly
// outside left out. When the drawing is cut off, as the preview marks it,
// a red band runs inside each edge the outline crosses (left, right,
// bottom), as long as the part of the drawing beside it.
std::vector<PrintedLine> ClipToPage(const std::vector<PrintedLine>& lines, const PrintPlacement& at);

// How far the dash-dot line reaches past the plate: 2 mm, in the page's unit;
// above the plate never into the text lines.
inline double MiddleLineOverhang(const PrintPlacement& at) { return at.MeasuringSystem != 0 ? 2 / 25.4 : 2; }

// The lines in drawing order; empty when the development gives no outline.
std::vector<PrintedLine> CylinderPrintedLines(const CylinderResults& r, float angleStep,
                                              std::int16_t developmentPart, const PrintPlacement& at);
std::vector<PrintedLine> ConePrintedLines(const ConeResults& r, float angleStep, std::int16_t developmentPart,
                                          const PrintPlacement& at);

// The lines on the page: the outline with the pen the job set, the middle
// line 1 pixel wide in dash-dot, the cut marks solid red, then the job's pen
// again.
void PrintOutline(Canvas& page, const std::vector<PrintedLine>& lines, double cutMarkWidth);

}  // namespace velm
