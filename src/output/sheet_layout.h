#pragma once
// The layout of a sheet preview: the printer's page shrunk onto the sheet
// picture, the data box at its top, one bold title line reserved below it
// and the development's picture centred under them. Everything the preview
// window shows and the print job reads is computed here as values.
//
// Units: the page arrives in whole millimetres; PageWidth and PageHeight are
// development units (millimetres, or inches when MeasuringSystem is 1) after
// the print factors; picture sizes and positions are the window's pixels.
#include <cstdint>

#include "core/working_state.h"
#include "geometry/cone_geometry.h"
#include "geometry/cylinder_geometry.h"
#include "platform/printer.h"

namespace velm {

// The two sheets, numbered as PrintSheet takes them.
enum SheetFamily : std::int16_t { ConeSheet = 1, CylinderSheet = 2 };

// Elbow pieces that a sheet prints with a piece title: the cylinder sheet
// takes codes 10, 11 and 13, the cone sheet 11, 12 and 13.
bool IsSheetPieceCode(int family, int shapeCode);

// The print factor pair of a sheet in the working state.
PrintFactorPair& SheetFactors(PrintedSheet& sheet, int family);
const PrintFactorPair& SheetFactors(const PrintedSheet& sheet, int family);

// Lines of the data block with the data rows (header and notes included):
// cylinder codes 6: 10, 7: 13, 8 to 11 and 13: 15; cone codes 1: 17, 2 and 3:
// 19, 4, 5 and 11 to 13: 21. 0 for a code the sheet never shows.
int DataBlockLineCount(int family, int shapeCode);
constexpr int NotesBlockLineCount = 3;

// Width and height of the drawn development in development units.
struct DrawingExtent {
    double Width = 0;
    double Height = 0;
};
// Whole plate (developmentPart 0) or either half (1 left, 2 right): the developed
// length or half of it, by Hmax.
DrawingExtent CylinderDrawingExtent(const CylinderResults& r, std::int16_t developmentPart);

// Where a frustum's sector lies about its apex, in development units, y up
// from the apex: the drawing's top and bottom and the largest distance of a
// point from the sector's axis.
struct ConeSectorBounds {
    double Top = 0;      // highest point: -UpperEdgeMinY, or above the apex for sectors over 180 degrees
    double Bottom = 0;   // lowest point: -LowerEdgeMaxY
    double HalfWidth = 0;
};
// Sectors up to 180 degrees take short formulas (the seam's outer
// point sets the width, the inner edge's nearest point the top); wider
// sectors take the outline's true extent.
ConeSectorBounds ConeSectorBoundsOf(const ConeResults& r, float angleStep);
DrawingExtent ConeDrawingExtent(const ConeResults& r, float angleStep, std::int16_t developmentPart);

// What the layout reads.
struct SheetLayoutInput {
    int Family = CylinderSheet;
    PageSize Page;              // the printable area, whole millimetres
    double LineHeight = 0;      // the printer's height of "Prova", printer units
    double TitleHeight = 0;     // the printer's height of the bold title line, printer units
    int WindowWidth = 0;        // the preview's inner size, pixels
    int WindowHeight = 0;
    int PanelWidth = 0;         // PnlSfondo
    int SheetLeft = 0;          // PctFoglio's left
    std::int16_t ShapeCode = ShapeNone;
    SettingsCache Settings;     // Scale, the calibration factors, unit, print options
    DrawingExtent Extent;       // the drawn part of the development
    int NoteLines = 1;          // the lines the notes take on paper (NoteLineCount)
};

// What it gives; each rectangle in pixels of its parent (the drawing and the
// data box on the sheet, the sheet on the window).
struct SheetLayout {
    float PageWidth = 0;       // development units
    float PageHeight = 0;
    PrintFactorPair Factors;   // printer units per development unit
    double PrinterPageHeight = 0;  // P: the page height in printer units, unscaled
    int SheetLeft = 0, SheetTop = 0, SheetWidth = 0, SheetHeight = 0;
    float DataBoxHeight = 0;   // the data lines' box, the notes' every line included
    float NoteBoxHeight = 0;   // the notes-only box, likewise
    int DataBoxShown = 0;      // PctDati's height
    bool DataBoxVisible = false;
    float TitleReserve = 0;    // sheet units kept for the title line (PctDisegno's tag)
    double TextHeight = 0;     // development units the shown data box and the title line take
    int DrawingLeft = 0, DrawingTop = 0, DrawingWidth = 0, DrawingHeight = 0;
    bool DrawingVisible = false;
};

// The sheet's top margin in pixels and the room kept right of a sheet that
// the window's width bounds.
constexpr int SheetTopMargin = 10;
constexpr int SheetRightRoom = 50;

SheetLayout LayOutSheet(const SheetLayoutInput& in);

// The title line is reserved (and printed) for an elbow piece of the sheet
// and for any shape printed at a scale other than 1:1, when the development
// is printed at all.
bool SheetHasTitleLine(int family, std::int16_t shapeCode, const SettingsCache& settings);

// Writes the layout into the printed-sheet state.
void StoreSheetLayout(const SheetLayout& layout, int family, PrintedSheet& sheet);

}  // namespace velm
