#include <gtest/gtest.h>

#include "platform/look.h"

namespace velm {
namespace {

TEST(Palette, FillColoursAreTheClassicOnes) {
    EXPECT_EQ(PaletteColour(12), RGB(255, 0, 0));
    EXPECT_EQ(PaletteColour(9), RGB(0, 0, 255));
    EXPECT_EQ(PaletteColour(14), RGB(255, 255, 0));
    EXPECT_EQ(RedOf(RGB(1, 2, 3)), 1);
    EXPECT_EQ(BlueOf(RGB(1, 2, 3)), 3);
}

}  // namespace
}  // namespace velm
