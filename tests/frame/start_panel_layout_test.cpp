#include "frame/start_panel_layout.h"

#include <gtest/gtest.h>

#include <array>

namespace velm {
namespace {

struct LayoutCase { const char* name; std::int32_t w, h; std::int32_t gx, gy, cw, ch; TwipRect back; };

TEST(ShapePickerLayout, CellGeometryForAwkwardSizes) {
    const LayoutCase cases[] = {
        {"plain", 12000, 8000, 600, 533, 3200, 3200, {8200, 4266, 1600, 800}},
        // Gaps of exactly half a twip round to the even neighbour.
        {"gap 400.5", 8010, 8000, 400, 533, 2136, 3200, {5472, 4266, 1068, 800}},
        {"gap 401.5", 8030, 8000, 402, 533, 2141, 3200, {5488, 4266, 1070, 800}},
        // Back button halves: 3203 / 2 and 3206 / 4 go up, 3202 / 4 goes down.
        {"back 1601.5", 12010, 8015, 600, 534, 3203, 3206, {8206, 4274, 1602, 802}},
        {"back 800.5", 12004, 8005, 600, 534, 3201, 3202, {8202, 4270, 1600, 800}},
        // Wider than 32767 twips: no 16-bit wrap-around.
        {"40000 twips", 40000, 40000, 2000, 2667, 10667, 16000, {27334, 21334, 5334, 4000}},
        {"empty", 0, 0, 0, 0, 0, 0, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ShapePickerLayout l = ComputeShapePickerLayout(c.w, c.h);
        EXPECT_EQ((std::array{l.GapX, l.GapY, l.CellWidth, l.CellHeight}), (std::array{c.gx, c.gy, c.cw, c.ch}));
        EXPECT_EQ((std::array{l.BackButton.Left, l.BackButton.Top, l.BackButton.Width, l.BackButton.Height}),
                  (std::array{c.back.Left, c.back.Top, c.back.Width, c.back.Height}));
    }
}

TEST(ShapePickerLayout, CellPositions) {
    const ShapePickerLayout l = ComputeShapePickerLayout(12000, 8000);
    EXPECT_EQ(l.Cells[1].Left, 4400);
    EXPECT_EQ(l.Cells[4].Top, 4266);
    // A 3840-pixel screen: the third column lies far beyond 32767 twips.
    const ShapePickerLayout wide = ComputeShapePickerLayout(57600, 30000);
    EXPECT_EQ(wide.Cells[2].Left, 3 * 2880 + 2 * 15360);
    EXPECT_EQ(wide.Cells[4].Top, 2 * 2000 + 12000);
}

TEST(ShapePickerPages, EveryShapeHasOneCell) {
    // Every code except the cylindrical elbow (on the top page) is opened by
    // exactly one cell of the pages 1, 2 and 4, and that page is its family.
    int opened[14] = {};
    for (int family : {1, 2, 4}) {
        const PickerPage& page = *PickerPageFor(family);
        for (int i = 0; i < page.cellCount; ++i) {
            ASSERT_EQ(page.actions[i].kind, PickerAction::OpenShape);
            ++opened[page.actions[i].value];
            EXPECT_EQ(ShapeFamilyOf(page.actions[i].value), family);
            EXPECT_EQ(SelectionCellFor(family, page.actions[i].value), i);
        }
    }
    for (int code = 1; code <= 13; ++code) EXPECT_EQ(opened[code], code == 10 ? 0 : 1) << code;
    const PickerPage& top = *PickerPageFor(0);
    EXPECT_EQ(top.actions[2].kind, PickerAction::OpenShape);
    EXPECT_EQ(top.actions[2].value, 10);
    EXPECT_EQ(ShapeFamilyOf(10), 0);
    EXPECT_EQ(PickerPageFor(3), nullptr);
    // The top page frames a family's cell; other pages frame nothing of another family.
    EXPECT_EQ(SelectionCellFor(0, 13), 3);
    EXPECT_EQ(SelectionCellFor(0, 0), -1);
    EXPECT_EQ(SelectionCellFor(1, 6), -1);
}

TEST(CaptionFontFit, NeverDividesByZero) {
    EXPECT_DOUBLE_EQ(FontFitFactor(50, 200), 0.25);
    EXPECT_EQ(FontFitFactor(200, 0), 0.0);  // empty caption
    EXPECT_EQ(FontFitFactor(0, 100), 0.0);  // minimised panel
}

TEST(BackgroundTiles, CoverTheScreenAndStopForAMissingTile) {
    // 1500 x 1500 twips with a 300-twip tile: x 0..1500 (6), y 1..1201 (5).
    const auto tiles = BackgroundTilePositions(1500, 1500, 300, 300, 15);
    ASSERT_EQ(tiles.size(), 30u);
    EXPECT_EQ(tiles[1].y, 20);  // 301 twips
    EXPECT_EQ(tiles.back().x, 100);
    EXPECT_EQ(tiles.back().y, 80);
    EXPECT_TRUE(BackgroundTilePositions(1500, 1500, 0, 300, 15).empty());
    EXPECT_TRUE(BackgroundTilePositions(1500, 1500, -15, -15, 15).empty());
}

}  // namespace
}  // namespace velm
