#include "platform/qt/image_canvas.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>

#include "qt_application.h"

namespace velm {
namespace {

constexpr Colour White = RGB(255, 255, 255);
constexpr Colour Black = RGB(0, 0, 0);
constexpr Colour Red = RGB(255, 0, 0);
constexpr Colour Blue = RGB(0, 0, 255);

class ImageCanvasTest : public testing::Test {
protected:
    void SetUp() override { EnsureQtApplication(); }
    ImageCanvas canvas{100, 80};

    // The row as text: '#' for `colour`, '.' for anything else.
    std::string Row(int y, int from, int to, Colour colour) const {
        std::string s;
        for (int x = from; x <= to; ++x) s += canvas.Point(x, y) == colour ? '#' : '.';
        return s;
    }
    int Count(Colour colour) const {
        int n = 0;
        for (int y = 0; y < canvas.PixelHeight(); ++y)
            for (int x = 0; x < canvas.PixelWidth(); ++x) n += canvas.Point(x, y) == colour;
        return n;
    }
};

TEST_F(ImageCanvasTest, ThinLinesSetExactlyTheirPixels) {
    canvas.Line(2, 5, 10, 5, Black);
    EXPECT_EQ(Row(5, 0, 12, Black), "..#########..");
    EXPECT_EQ(Row(4, 0, 12, Black), ".............");
    canvas.Line(20, 30, 24, 26, Red);  // diagonal, both ends included
    for (int i = 0; i <= 4; ++i) EXPECT_EQ(canvas.Point(20 + i, 30 - i), Red) << i;
    EXPECT_EQ(Count(Red), 5);
    EXPECT_EQ(canvas.CurrentX, 24);
    EXPECT_EQ(canvas.CurrentY, 26);
}

TEST_F(ImageCanvasTest, DrawStylesGiveTheirPatternsOnlyOnThinLines) {
    const std::pair<int, const char*> styles[] = {
        {DrawDot, "###...###...###...###...###..."},
        {DrawDash, "##################......######"},
        {DrawDashDot, "#########......###......######"},
    };
    int y = 10;
    for (const auto& [style, pattern] : styles) {
        canvas.DrawStyle = style;
        canvas.Line(0, y, 29, y, Black);
        EXPECT_EQ(Row(y, 0, 29, Black), pattern) << style;
        y += 5;
    }
    canvas.DrawStyle = DrawDot;
    canvas.DrawWidth = 3;
    canvas.Line(10, 60, 40, 60, Black);
    EXPECT_EQ(Row(60, 10, 40, Black), std::string(31, '#'));
    EXPECT_EQ(canvas.Point(25, 59), Black);
    EXPECT_EQ(canvas.Point(25, 61), Black);
    EXPECT_EQ(canvas.Point(25, 63), White);
}

TEST_F(ImageCanvasTest, FloodFillStopsAtTheBorderColour) {
    canvas.Line(10, 10, 40, 10, Red);
    canvas.Line(40, 10, 40, 40, Red);
    canvas.Line(40, 40, 10, 40, Red);
    canvas.Line(10, 40, 10, 10, Red);
    canvas.PSet(20, 20, Black);      // other colours inside are filled over
    canvas.Line(0, 70, 99, 70, Black);  // a line of another colour does not stop it
    canvas.FloodFill(25, 25, Red, Blue);
    EXPECT_EQ(Count(Blue), 29 * 29);
    EXPECT_EQ(canvas.Point(20, 20), Blue);
    EXPECT_EQ(canvas.Point(10, 25), Red);
    EXPECT_EQ(canvas.Point(50, 50), White);

    canvas.FloodFill(50, 50, Red, Blue);  // outside: everything but the square
    EXPECT_EQ(Count(White), 0);
    EXPECT_EQ(canvas.Point(0, 70), Blue);
}

TEST_F(ImageCanvasTest, FloodFillDoesNotSlipThroughDiagonalsOrLoop) {
    canvas.Line(0, 0, 79, 79, Red);  // a diagonal splits the picture for a 4-connected fill
    canvas.FloodFill(60, 10, Red, Blue);
    EXPECT_EQ(canvas.Point(10, 60), White);
    EXPECT_EQ(canvas.Point(60, 10), Blue);
    const int blue = Count(Blue);
    canvas.FloodFill(60, 10, Red, Blue);  // refilling with the same colour ends
    canvas.FloodFill(60, 10, Red, Red);   // so does filling with the border colour
    EXPECT_EQ(Count(Red), blue + 80);
    const int red = Count(Red);
    canvas.FloodFill(5, 5, Red, Blue);   // on the border: nothing
    canvas.FloodFill(-1, 5, Red, Blue);  // outside: nothing
    canvas.FloodFill(100, 5, Red, Blue);
    EXPECT_EQ(Count(Red), red);
}

TEST_F(ImageCanvasTest, LargeFillNeedsNoDeepStack) {
    canvas.Resize(2000, 1500);
    canvas.Circle(1000, 750, 600, Red);
    canvas.FloodFill(1000, 750, Red, Blue);
    EXPECT_EQ(canvas.Point(1000, 750), Blue);
    EXPECT_EQ(canvas.Point(1000 + 605, 750), White);
    EXPECT_EQ(canvas.Point(1000 + 595, 750), Blue);
}

TEST_F(ImageCanvasTest, CirclesAreClosedAndArcsRunCounterClockwise) {
    canvas.Circle(50, 40, 20, Red);
    EXPECT_EQ(canvas.Point(70, 40), Red);
    EXPECT_EQ(canvas.Point(50, 20), Red);
    canvas.FloodFill(50, 40, Red, Blue);
    EXPECT_EQ(canvas.Point(75, 40), White);  // a gap would have let the fill out
    EXPECT_EQ(canvas.Point(50, 40), Blue);

    ImageCanvas arc(100, 100);
    arc.Arc(50, 50, 30, Black, 0, M_PI / 2);  // right to top on the screen
    EXPECT_EQ(arc.Point(80, 50), Black);
    EXPECT_EQ(arc.Point(50, 20), Black);
    EXPECT_EQ(arc.Point(20, 50), White);
    EXPECT_EQ(arc.Point(50, 80), White);
    ImageCanvas wrap(100, 100);
    wrap.Arc(50, 50, 30, Black, 3 * M_PI / 2, M_PI / 2);  // through 0
    EXPECT_EQ(wrap.Point(80, 50), Black);
    EXPECT_EQ(wrap.Point(20, 50), White);
}

TEST_F(ImageCanvasTest, UserScaleMapsToPixels) {
    canvas.Scale(0, 8, 10, 0);  // y upwards, 10 pixels a unit
    canvas.Line(0, 4, 10, 4, Black);
    EXPECT_EQ(Row(40, 0, 99, Black), std::string(100, '#'));
    canvas.PSet(2.5, 2.5, Red);
    EXPECT_EQ(canvas.Point(25, 55), Red);
    canvas.Circle(5, 4, 1, Blue);  // radius in units of x
    EXPECT_EQ(canvas.Point(60, 40), Blue);
    EXPECT_EQ(canvas.Point(50, 30), Blue);
    EXPECT_DOUBLE_EQ(canvas.ScaleHeight(), -8);
}

TEST_F(ImageCanvasTest, TextHasMetricsAndIsDrawnBelowTheCurrentPoint) {
    const double w = canvas.TextWidth("Hello"), h = canvas.TextHeight("Hello");
    EXPECT_GT(w, 10);
    EXPECT_GT(h, 5);
    EXPECT_GT(canvas.TextWidth("Hello Hello"), w);
    EXPECT_DOUBLE_EQ(canvas.TextHeight("a\nb"), 2 * h);
    canvas.FontSize = 16;
    EXPECT_GT(canvas.TextHeight("Hello"), h);
    canvas.FontSize = 8.25;

    canvas.ForeColor = Blue;
    canvas.CurrentX = 10;
    canvas.CurrentY = 30;
    canvas.Print("HH");
    EXPECT_DOUBLE_EQ(canvas.CurrentX, 10);
    EXPECT_DOUBLE_EQ(canvas.CurrentY, 30 + h);
    int inside = 0;
    for (int y = 30; y < 30 + h; ++y)
        for (int x = 10; x < 10 + canvas.TextWidth("HH"); ++x) inside += canvas.Point(x, y) == Blue;
    EXPECT_GT(inside, 5);
    EXPECT_EQ(Count(Blue), inside);  // nothing outside the text box
    for (int y = 0; y < canvas.PixelHeight(); ++y)
        for (int x = 0; x < canvas.PixelWidth(); ++x) {
            const Colour c = canvas.Point(x, y);
            ASSERT_TRUE(c == Blue || c == White) << "grey edge at " << x << "," << y;
        }

    canvas.Scale(0, 0, 50, 40);  // half a unit a pixel
    EXPECT_NEAR(canvas.TextHeight("Hello"), h / 2, 1e-9);
}

TEST_F(ImageCanvasTest, ClearResizeAndOutsideReads) {
    canvas.Line(0, 0, 99, 79, Black);
    canvas.BackColor = RGB(0, 128, 0);
    canvas.CurrentX = 5;
    canvas.Cls();
    EXPECT_EQ(Count(RGB(0, 128, 0)), 100 * 80);
    EXPECT_EQ(canvas.CurrentX, 0);
    EXPECT_EQ(canvas.Point(-1, 0), NoColour);
    EXPECT_EQ(canvas.Point(0, 80), NoColour);
    canvas.Resize(30, 20);
    EXPECT_EQ(canvas.PixelWidth(), 30);
    EXPECT_EQ(Count(RGB(0, 128, 0)), 600);
}

TEST_F(ImageCanvasTest, FarAndInvalidCoordinatesAreHarmless) {
    const auto start = std::chrono::steady_clock::now();
    canvas.Line(-1e12, 5, 1e12, 5, Black);
    canvas.Circle(50, 40, 1e9, Black);
    canvas.Line(NAN, 0, 10, 10, Red);
    canvas.Arc(50, 40, INFINITY, Red, 0, 1);
    canvas.PSet(1e300, -1e300, Red);
    canvas.DrawWidth = 4;
    canvas.Line(-1e15, 20, 1e15, 20, Black);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(Row(5, 0, 99, Black), std::string(100, '#'));
    EXPECT_EQ(Row(20, 0, 99, Black), std::string(100, '#'));
    EXPECT_EQ(Count(Red), 0);
}

}  // namespace
}  // namespace velm
