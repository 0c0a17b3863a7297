#pragma once
// The start panel's pages of shape pictures: which picture sits in which
// cell, what a click on it does, its status hint, and the cell geometry for
// a panel size. Twips throughout, in 32-bit integers: a panel wider than
// 32767 twips (about 2184 pixels) must not wrap around.
#include <array>
#include <cstdint>
#include <vector>

namespace velm {

struct TwipRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
};

// 20 % of each dimension is spacing: four gaps across three columns, three
// gaps across two rows. Cells 0-2 form the top row, 3-4 the bottom row; the
// back button takes the bottom-right cell at half its width and a quarter of
// its height. Every result rounds halves to even.
struct ShapePickerLayout {
    std::int32_t GapX = 0;
    std::int32_t GapY = 0;
    std::int32_t CellWidth = 0;
    std::int32_t CellHeight = 0;
    std::array<TwipRect, 5> Cells{};
    TwipRect BackButton{};
};

ShapePickerLayout ComputeShapePickerLayout(std::int32_t innerWidth, std::int32_t innerHeight);

// What a cell of a page does when clicked.
struct PickerAction {
    enum Kind { None, TurnPage, OpenShape } kind = None;
    std::int16_t value = 0;  // the page (ShapeFamily) or the shape code
};

// One page of the start panel, selected by ShapeFamily.
struct PickerPage {
    int cellCount = 0;                // cells 0 .. cellCount-1 are used
    std::array<int, 5> pictures{};    // picture number (0-15) of each used cell
    std::array<PickerAction, 5> actions{};
    bool captions = false;            // LblSezione shown over the first cells
};

// Null for a ShapeFamily that has no page.
const PickerPage* PickerPageFor(int shapeFamily);

// Text number of LangHelp shown when the pointer is over a cell; 0 for none.
int PickerHintFor(int cell, int shapeFamily);

// The cell that the selection frame marks on a page for the current shape;
// -1 when the shape is not on that page.
int SelectionCellFor(int shapeFamily, int shapeCode);

// The start-panel page (ShapeFamily) that a shape code belongs to.
std::int16_t ShapeFamilyOf(int shapeCode);

// Scale factor that makes a caption of width `textWidth` (measured at a
// fixed base size) as wide as the cell. 0 when there is nothing to fit:
// an empty caption or a cell without width.
double FontFitFactor(double cellWidth, double textWidth);

// Pixel positions at which the background tile is copied to cover a screen,
// all sizes in twips: x from 0 and y from 1 in steps of the tile's size.
// Empty when the tile has no size (a missing picture).
struct PixelPoint {
    int x = 0;
    int y = 0;
};
std::vector<PixelPoint> BackgroundTilePositions(std::int32_t screenWidth, std::int32_t screenHeight,
                                                std::int32_t tileWidth, std::int32_t tileHeight,
                                                int twipsPerPixel);

}  // namespace velm
