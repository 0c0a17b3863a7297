// The sheet layout against values worked out by hand: page and factors,
// sheet size, data box, title reserve and the drawing's place and size; and
// whether a drawing fits the sheet.
#include "output/sheet_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "output/sheet_fit.h"
#include "support/frustum_model.h"

namespace velm {
namespace {

using testing::RingSector;

SheetLayoutInput Input(int family, int w, int h, std::int16_t code) {
    SheetLayoutInput in;
    in.Family = family;
    in.Page = {w, h};
    in.LineHeight = 4.0;   // millimetres
    in.TitleHeight = 5.0;  // bold
    in.WindowWidth = 1000;
    in.WindowHeight = 700;
    in.PanelWidth = 200;
    in.SheetLeft = 210;
    in.ShapeCode = code;
    in.Extent = {100, 50};
    return in;
}

TEST(SheetLayout, PageFactorsAndSheetOfPortraitLandscapeAndInchPages) {
    struct Case {
        const char* name;
        int w, h;
        std::int16_t scale, unit;
        float x, y;                    // calibration factors as stored (portrait)
        double fX, fY;                 // the pair the layout must use
        double pageWidth, pageHeight;  // development units
        int sheetWidth, sheetHeight;
        int windowWidth = 1000, windowHeight = 700;
    };
    const Case cases[] = {
        // Height-bound: 700 - 2 * 10 = 680 high, 680 * 420 / 594 = 480.8 wide.
        {"A4 at 1:2", 210, 297, 2, 0, 1, 1, 0.5, 0.5, 420, 594, 481, 680},
        {"A4 at 1:5", 210, 297, 5, 0, 1, 1, 0.2, 0.2, 1050, 1485, 481, 680},
        // Width-bound: (1000 - 200) - 2 * (210 - 200) - 50 = 730 wide; the factors swap.
        {"landscape calibrated", 297, 210, 1, 0, 1.02f, 0.98f, 0.98, 1.02, 297 / 0.98, 210 / 1.02, 730,
         static_cast<int>(std::lround(730 * (210 / 1.02) / (297 / 0.98)))},
        {"portrait calibrated 1:3", 200, 287, 3, 0, 1.02f, 0.98f, 1.02 / 3, 0.98 / 3, 200 / (1.02 / 3),
         287 / (0.98 / 3), static_cast<int>(std::lround(680 * (200 / 1.02) / (287 / 0.98))), 680},
        {"inches", 200, 287, 1, 1, 1, 1, 1, 1, 200 / 25.4, 287 / 25.4,
         static_cast<int>(std::lround(680 * 200.0 / 287)), 680},
        // The whole sheet in the window whatever bounds it: a landscape page in a
        // short window, 1320 across but 850 down; a portrait page in a narrow one.
        {"A1 landscape, height-bound", 831, 584, 1, 0, 1, 1, 1, 1, 831, 584, 1210, 850, 1590, 870},
        {"A4 portrait, width-bound", 210, 297, 1, 0, 1, 1, 1, 1, 210, 297, 330, 467, 600, 700},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SheetLayoutInput in = Input(CylinderSheet, c.w, c.h, ShapeCiRe);
        in.WindowWidth = c.windowWidth;
        in.WindowHeight = c.windowHeight;
        in.Settings.Scale = c.scale;
        in.Settings.MeasuringSystem = c.unit;
        in.Settings.SettingXPrinter = c.x;
        in.Settings.SettingYPrinter = c.y;
        const SheetLayout out = LayOutSheet(in);
        EXPECT_NEAR(out.Factors.X, c.fX, 1e-6);
        EXPECT_NEAR(out.Factors.Y, c.fY, 1e-6);
        EXPECT_NEAR(out.PageWidth, c.pageWidth, 1e-3);
        EXPECT_NEAR(out.PageHeight, c.pageHeight, 1e-3);
        EXPECT_NEAR(out.PrinterPageHeight, c.unit == 1 ? c.h / 25.4 : c.h, 1e-9);
        EXPECT_EQ(out.SheetWidth, c.sheetWidth);
        EXPECT_EQ(out.SheetHeight, c.sheetHeight);
        EXPECT_EQ(out.SheetTop, SheetTopMargin);
        EXPECT_EQ(out.SheetLeft, 210);
    }
}

TEST(SheetLayout, DataBoxLinesByCodeAndOption) {
    struct Case {
        int family;
        std::int16_t code;
        std::int16_t data, note;
        int lines;  // of the box shown
        bool shown;
    };
    const Case cases[] = {
        {CylinderSheet, 6, 1, 0, 10, true},  {CylinderSheet, 7, 1, 0, 13, true},
        {CylinderSheet, 8, 1, 0, 15, true},  {CylinderSheet, 9, 1, 0, 15, true},
        {CylinderSheet, 10, 1, 0, 15, true}, {CylinderSheet, 11, 1, 0, 15, true},
        {CylinderSheet, 13, 1, 0, 15, true}, {ConeSheet, 1, 1, 0, 17, true},
        {ConeSheet, 2, 1, 0, 19, true},      {ConeSheet, 3, 1, 0, 19, true},
        {ConeSheet, 4, 1, 0, 21, true},      {ConeSheet, 5, 1, 0, 21, true},
        {ConeSheet, 11, 1, 0, 21, true},     {ConeSheet, 12, 1, 0, 21, true},
        {ConeSheet, 13, 1, 0, 21, true},     {ConeSheet, 4, 0, 1, 3, true},
        {CylinderSheet, 7, 0, 1, 3, true},   {CylinderSheet, 7, 0, 0, 13, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "family " << c.family << " code " << c.code);
        for (std::int16_t unit : {0, 1}) {
            SheetLayoutInput in = Input(c.family, 210, 297, c.code);
            in.Settings.CheckData = c.data;
            in.Settings.CheckNote = c.note;
            in.Settings.MeasuringSystem = unit;
            if (unit == 1) {  // the printer measures in inches
                in.LineHeight = 4.0 / 25.4;
                in.TitleHeight = 5.0 / 25.4;
            }
            const SheetLayout out = LayOutSheet(in);
            const double SH = out.SheetHeight;
            EXPECT_NEAR(out.NoteBoxHeight, SH * 12 / 297, 1e-3);
            EXPECT_NEAR(out.DataBoxHeight, SH * DataBlockLineCount(c.family, c.code) * 4 / 297, 1e-3);
            EXPECT_EQ(out.DataBoxShown, std::lround(SH * c.lines * 4 / 297));
            EXPECT_EQ(out.DataBoxVisible, c.shown);
            EXPECT_EQ(out.DrawingTop,
                      static_cast<int>(std::ceil((c.shown ? out.DataBoxShown : 0) + out.TitleReserve - 1e-9)));
            EXPECT_NEAR(out.TitleReserve, IsSheetPieceCode(c.family, c.code) ? SH * 5 / 297 : 0, 1e-4);
            const double text = (c.shown ? c.lines * 4 : 0) + (IsSheetPieceCode(c.family, c.code) ? 5 : 0);
            EXPECT_NEAR(out.TextHeight, text / 297 * out.PageHeight, 1e-4);
        }
    }
    EXPECT_EQ(DataBlockLineCount(CylinderSheet, 12), 0);
    EXPECT_EQ(DataBlockLineCount(ConeSheet, 10), 0);
}

TEST(SheetLayout, TitleLineReserveForPiecesAndScales) {
    struct Case {
        int family;
        std::int16_t code, scale;
        bool reserved;
    };
    const Case cases[] = {
        {CylinderSheet, 6, 1, false}, {CylinderSheet, 6, 2, true},  {CylinderSheet, 10, 1, true},
        {CylinderSheet, 11, 1, true}, {CylinderSheet, 13, 1, true}, {ConeSheet, 1, 1, false},
        {ConeSheet, 5, 4, true},      {ConeSheet, 11, 1, true},     {ConeSheet, 12, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "family " << c.family << " code " << c.code << " 1:" << c.scale);
        SheetLayoutInput in = Input(c.family, 210, 297, c.code);
        in.Settings.Scale = c.scale;
        in.Settings.CheckData = 1;
        const SheetLayout out = LayOutSheet(in);
        const double reserve = c.reserved ? out.SheetHeight * 5.0 / 297 : 0;
        EXPECT_NEAR(out.TitleReserve, reserve, 1e-4);
        EXPECT_EQ(out.DrawingTop, static_cast<int>(std::ceil(out.DataBoxShown + reserve - 1e-9)));
    }
}

TEST(SheetLayout, DrawingSizeAndCentre) {
    struct Case {
        const char* name;
        int family;
        std::int16_t scale;
        double width, height;  // development units
    };
    const Case cases[] = {
        {"500 long at 1:1 on a page 200 wide", CylinderSheet, 1, 500, 80},
        {"the same at 1:5", CylinderSheet, 5, 500, 80},
        {"cone, two pixels more", ConeSheet, 2, 150, 90},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SheetLayoutInput in = Input(c.family, 200, 287, 1);
        in.ShapeCode = c.family == ConeSheet ? ShapeCoRe : ShapeCiRe;
        in.Settings.Scale = c.scale;
        in.Extent = {c.width, c.height};
        const SheetLayout out = LayOutSheet(in);
        const double SW = out.SheetWidth, SH = out.SheetHeight;
        const int width = static_cast<int>(std::lround(SW * c.width / (200.0 * c.scale)));
        EXPECT_EQ(out.DrawingWidth, width);
        EXPECT_EQ(out.DrawingHeight,
                  std::lround(SH * c.height / (287.0 * c.scale)) + (c.family == ConeSheet ? 2 : 0));
        EXPECT_EQ(out.DrawingLeft, std::lround(SW / 2 - width / 2.0));
        EXPECT_TRUE(out.DrawingVisible);
    }
    // 2.5 sheet widths, centred: it sticks out on both sides.
    SheetLayoutInput in = Input(CylinderSheet, 200, 287, ShapeCiRe);
    in.Extent = {500, 80};
    const SheetLayout out = LayOutSheet(in);
    EXPECT_LT(out.DrawingLeft, 0);
    EXPECT_GT(out.DrawingLeft + out.DrawingWidth, out.SheetWidth);
    in.Settings.CheckSviluppo = 0;
    EXPECT_FALSE(LayOutSheet(in).DrawingVisible);
}

TEST(SheetLayout, ExtentsOfWholeAndHalfDevelopments) {
    CylinderResults cyl;
    cyl.DevelopedLength = 314.16;
    cyl.Hmax = 120;
    EXPECT_DOUBLE_EQ(CylinderDrawingExtent(cyl, 0).Width, 314.16);
    EXPECT_DOUBLE_EQ(CylinderDrawingExtent(cyl, 1).Width, 157.08);
    EXPECT_DOUBLE_EQ(CylinderDrawingExtent(cyl, 2).Height, 120);

    struct Case {
        float sector;
        double width, height;  // whole development
    };
    const Case cases[] = {
        // The short formulas: 2 sin 60 * 100 wide, 100 - 50 cos 60 high.
        {120, 2 * std::sin(3.14159265358979 / 3) * 100, 100 - 25},
        // Past a half turn: 100 either side of the axis (at 90 degrees), the
        // seams' outer ends 100 cos 45 above the apex.
        {270, 200, 100 + 100 * std::sqrt(0.5)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sector);
        const ConeResults r = RingSector(c.sector);
        EXPECT_NEAR(ConeDrawingExtent(r, 1, 0).Width, c.width, 1e-3);
        EXPECT_NEAR(ConeDrawingExtent(r, 1, 1).Width, c.width / 2, 1e-3);
        EXPECT_NEAR(ConeDrawingExtent(r, 1, 2).Height, c.height, 1e-3);
        EXPECT_NEAR(ConeDrawingExtent(r, 1, 0).Height, c.height, 1e-3);
    }
}

// What fits a 190 x 277 page with 20 of it taken by text, worked out by hand.
TEST(SheetFit, TooLargeDrawingsAndWhatFitsInstead) {
    // cut: W too wide, H too high; also: h a half fits, t turned, T a half turned.
    struct Case { DrawingExtent part, half; bool whole; int scale; const char* cut; int fitsAt; const char* also; };
    const Case cases[] = {
        {{190, 257}, {95, 257}, true, 1, "", 0, ""},  // just fits
        {{471.2, 300}, {235.6, 300}, true, 1, "WH", 3, ""},  // d 150, L 300
        {{500, 150}, {250, 150}, true, 1, "W", 3, "T"},
        {{150, 260}, {75, 260}, true, 1, "H", 2, ""},      // the text takes the room
        {{250, 150}, {125, 150}, false, 1, "W", 2, "t"},   // a half is not halved again
        {{400, 100}, {200, 100}, true, 2, "W", 3, "ht"},   // the room grows with the scale
        {{2000, 100}, {1000, 100}, true, 1, "W", 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.part.Width);
        const double k = c.scale;
        const SheetFit f = FitOnSheet({190 * k, 277 * k, 20 * k, c.part, c.half, c.whole, c.scale});
        EXPECT_EQ(std::string(f.TooWide ? "W" : "") + (f.TooHigh ? "H" : ""), c.cut);
        EXPECT_EQ(std::string(f.Half ? "h" : "") + (f.Turned ? "t" : "") + (f.HalfTurned ? "T" : ""), c.also);
        EXPECT_EQ(f.Scale, c.fitsAt);
    }
}

}  // namespace
}  // namespace velm
