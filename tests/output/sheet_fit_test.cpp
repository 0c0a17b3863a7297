// Whether the chosen part fits the printable area and what fits instead, on
// a 190 x 277 page with 20 of it taken by text, sizes worked out by hand.
#include "output/sheet_fit.h"

#include <gtest/gtest.h>

#include <vector>

namespace velm {
namespace {

TEST(SheetFit, TooLargeDrawingsAndWhatFitsInstead) {
    struct Case {
        DrawingExtent part, half;
        bool whole;
        int scale;
        bool tooWide, tooHigh;
        int fitsAt;
        bool half_, turned, halfTurned;
    };
    const Case cases[] = {
        {{190, 257}, {95, 257}, true, 1, false, false, 0, false, false, false},  // just fits
        {{471.2, 300}, {235.6, 300}, true, 1, true, true, 3, false, false, false},  // d 150, L 300
        {{260, 100}, {130, 100}, true, 1, true, false, 2, true, true, false},
        {{500, 150}, {250, 150}, true, 1, true, false, 3, false, false, true},
        {{150, 260}, {75, 260}, true, 1, false, true, 2, false, false, false},  // the text takes the room
        {{250, 150}, {125, 150}, false, 1, true, false, 2, false, true, false},  // a half is not halved again
        {{400, 100}, {200, 100}, true, 2, true, false, 3, true, true, false},    // the room grows with the scale
        {{2000, 100}, {1000, 100}, true, 1, true, false, 0, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.part.Width);
        const SheetFit fit = FitOnSheet({190.0 * c.scale, 277.0 * c.scale, 20.0 * c.scale, c.part, c.half, c.whole, c.scale});
        EXPECT_EQ(std::vector<bool>({fit.TooWide, fit.TooHigh, fit.Half, fit.Turned, fit.HalfTurned}),
                  std::vector<bool>({c.tooWide, c.tooHigh, c.half_, c.turned, c.halfTurned}));
        EXPECT_EQ(fit.Scale, c.fitsAt);
    }
}

// The layout's text above the drawing: the data box shown and the title line.
TEST(SheetFit, LayoutTextHeightCountsTheDataBoxAndTheTitle) {
    SheetLayoutInput in;
    in.Page = {200, 287};
    in.LineHeight = 4;
    in.TitleHeight = 5;
    in.WindowWidth = in.WindowHeight = 700;
    in.ShapeCode = ShapeCiTaSup;  // 13 data lines
    in.Settings.Scale = 2;
    in.Settings.CheckData = 1;
    EXPECT_NEAR(LayOutSheet(in).TextHeight, (13 * 4 + 5) * 2, 1e-3);
}

}  // namespace
}  // namespace velm
