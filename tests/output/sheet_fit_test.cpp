// Whether the chosen part fits the printable area, and what fits instead,
// against sizes worked out by hand on a 190 x 277 page with 20 of it taken
// by text; and the text height the layout gives the fit.
#include "output/sheet_fit.h"

#include <gtest/gtest.h>

namespace velm {
namespace {

TEST(SheetFit, TooLargeDrawingsAndWhatFitsInstead) {
    struct Case {
        const char* name;
        DrawingExtent part, half;
        bool whole;
        int scale;
        bool tooWide, tooHigh;
        int fitsAt;
        bool half_, turned, halfTurned;
    };
    const Case cases[] = {
        {"fits", {100, 100}, {50, 100}, true, 1, false, false, 0, false, false, false},
        {"as wide and high as the room", {190, 257}, {95, 257}, true, 1, false, false, 0, false, false, false},
        // d 150, L 300 at 1:1: 471 x 300; 1:2 is still too wide, a half or the sheet turned too.
        {"cylinder d 150 L 300", {471.2, 300}, {235.6, 300}, true, 1, true, true, 3, false, false, false},
        {"wide plate: 1:2, a half, turned", {260, 100}, {130, 100}, true, 1, true, false, 2, true, true, false},
        {"only a half turned", {500, 150}, {250, 150}, true, 1, true, false, 3, false, false, true},
        {"high: the text takes its room", {150, 260}, {75, 260}, true, 1, false, true, 2, false, false, false},
        {"a half chosen is not halved again", {250, 150}, {125, 150}, false, 1, true, false, 2, false, true, false},
        {"from 1:2 the next scale is 1:3", {400, 100}, {200, 100}, true, 2, true, false, 3, true, true, false},
        {"nothing offered fits", {2000, 100}, {1000, 100}, true, 1, true, false, 0, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SheetFitInput in;
        // The room grows with the scale: the page and the text at 1:2 measure twice those at 1:1.
        in.PageWidth = 190 * c.scale;
        in.PageHeight = 277 * c.scale;
        in.TextHeight = 20 * c.scale;
        in.Part = c.part;
        in.Half = c.half;
        in.WholePlate = c.whole;
        in.Scale = c.scale;
        const SheetFit fit = FitOnSheet(in);
        EXPECT_EQ(fit.TooWide, c.tooWide);
        EXPECT_EQ(fit.TooHigh, c.tooHigh);
        EXPECT_EQ(fit.Scale, c.fitsAt);
        EXPECT_EQ(fit.Half, c.half_);
        EXPECT_EQ(fit.Turned, c.turned);
        EXPECT_EQ(fit.HalfTurned, c.halfTurned);
    }
}

// The text above the drawing: the shown data box (or notes) and the title line.
TEST(SheetFit, LayoutGivesTheTextHeightInDevelopmentUnits) {
    struct Case {
        std::int16_t code, scale, data, note;
        double lines, titles;
    };
    const Case cases[] = {{ShapeCiTaSup, 2, 1, 0, 13, 1}, {ShapeCiRe, 1, 0, 1, 3, 0}, {ShapeCiRe, 1, 0, 0, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code * 10 + c.scale);
        SheetLayoutInput in;
        in.Page = {200, 287};
        in.LineHeight = 4;
        in.TitleHeight = 5;
        in.WindowWidth = 1000;
        in.WindowHeight = 700;
        in.ShapeCode = c.code;
        in.Settings.Scale = c.scale;
        in.Settings.CheckData = c.data;
        in.Settings.CheckNote = c.note;
        const SheetLayout out = LayOutSheet(in);
        EXPECT_NEAR(out.TextHeight, (4 * c.lines + 5 * c.titles) * c.scale, 1e-3);
    }
}

}  // namespace
}  // namespace velm
