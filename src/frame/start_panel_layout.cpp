#include "frame/start_panel_layout.h"

#include "core/number_text.h"
#include "core/shape_kinds.h"
#include "core/working_state.h"

namespace velm {

ShapePickerLayout ComputeShapePickerLayout(std::int32_t innerWidth, std::int32_t innerHeight) {
    // Each result is divided in floating point and rounded to a whole twip;
    // keeping this order of operations keeps the same halves.
    const double w = innerWidth;
    const double h = innerHeight;
    ShapePickerLayout l;
    l.GapX = RoundToInt32((w / 100 * 20) / 4);
    l.GapY = RoundToInt32((h / 100 * 20) / 3);
    l.CellWidth = RoundToInt32((w - w / 100 * 20) / 3);
    l.CellHeight = RoundToInt32((h - h / 100 * 20) / 2);

    const std::int32_t gx = l.GapX, gy = l.GapY, cw = l.CellWidth, ch = l.CellHeight;
    const std::int32_t row2 = 2 * gy + ch;
    const std::array<std::int32_t, 5> lefts{gx, 2 * gx + cw, 3 * gx + 2 * cw, gx, 2 * gx + cw};
    const std::array<std::int32_t, 5> tops{gy, gy, gy, row2, row2};
    for (int i = 0; i < 5; ++i) l.Cells[i] = TwipRect{lefts[i], tops[i], cw, ch};
    l.BackButton = TwipRect{3 * gx + 2 * cw, row2, RoundToInt32(cw / 2.0), RoundToInt32(ch / 4.0)};
    return l;
}

namespace {

PickerAction Page(std::int16_t family) { return {PickerAction::TurnPage, family}; }
PickerAction Shape(std::int16_t code) { return {PickerAction::OpenShape, code}; }

const PickerPage kTopPage{4, {0, 1, 11, 12, 0}, {Page(1), Page(2), Shape(ShapeCuCilindri), Page(4), {}}, true};
const PickerPage kFrustaPage{5,
                             {2, 3, 4, 5, 6},
                             {Shape(1), Shape(2), Shape(3), Shape(4), Shape(5)},
                             false};
const PickerPage kCylindersPage{4, {7, 8, 9, 10, 0}, {Shape(6), Shape(7), Shape(8), Shape(9), {}}, false};
const PickerPage kConeElbowsPage{3, {13, 14, 15, 0, 0}, {Shape(11), Shape(12), Shape(13), {}, {}}, true};

}  // namespace

const PickerPage* PickerPageFor(int shapeFamily) {
    switch (shapeFamily) {
        case 0: return &kTopPage;
        case 1: return &kFrustaPage;
        case 2: return &kCylindersPage;
        case 4: return &kConeElbowsPage;
        default: return nullptr;
    }
}

int PickerHintFor(int cell, int shapeFamily) {
    if (cell == 4) return 14;  // the same hint on every page
    static const int top[4] = {8, 9, 33, 32};
    static const int frusta[4] = {10, 11, 12, 13};
    static const int cylinders[4] = {15, 16, 17, 18};
    static const int coneElbows[4] = {34, 35, 36, 0};
    if (cell < 0 || cell > 3) return 0;
    switch (shapeFamily) {
        case 0: return top[cell];
        case 1: return frusta[cell];
        case 2: return cylinders[cell];
        case 4: return coneElbows[cell];
        default: return 0;
    }
}

int SelectionCellFor(int shapeFamily, int shapeCode) {
    const ShapeKindInfo* kind = FindShapeKind(shapeCode);
    if (!kind) return -1;
    if (shapeFamily == FamilyTop) return kind->Group;  // the group of the current shape
    return kind->Family == shapeFamily ? kind->Cell : -1;
}

std::int16_t ShapeFamilyOf(int shapeCode) {
    const ShapeKindInfo* kind = FindShapeKind(shapeCode);
    return kind ? kind->Family : static_cast<std::int16_t>(FamilyTop);
}

double FontFitFactor(double cellWidth, double textWidth) {
    if (!(textWidth > 0) || !(cellWidth > 0)) return 0;
    return cellWidth / textWidth;
}

std::vector<PixelPoint> BackgroundTilePositions(std::int32_t screenWidth, std::int32_t screenHeight,
                                                std::int32_t tileWidth, std::int32_t tileHeight,
                                                int twipsPerPixel) {
    std::vector<PixelPoint> out;
    // A tile without size would never advance the loop.
    if (tileWidth <= 0 || tileHeight <= 0 || twipsPerPixel <= 0) return out;
    for (std::int64_t x = 0; x <= screenWidth; x += tileWidth)
        for (std::int64_t y = 1; y <= screenHeight; y += tileHeight)
            out.push_back({static_cast<int>(x / twipsPerPixel), static_cast<int>(y / twipsPerPixel)});
    return out;
}

}  // namespace velm
