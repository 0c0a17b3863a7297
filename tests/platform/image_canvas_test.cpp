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
    canvas.Line(20, 30, 24, 26, Red);  // diagonal, both ends included
    EXPECT_EQ(Count(Red), 5);
    EXPECT_EQ(canvas.Point(22, 28), Red);
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
    canvas.DrawWidth = 3;  // wide lines are solid
    canvas.Line(10, 60, 40, 60, Black);
    EXPECT_EQ(Row(60, 10, 40, Black) + Row(61, 25, 25, Black), std::string(32, '#'));
}

TEST_F(ImageCanvasTest, FloodFillStopsAtTheBorderColour) {
    canvas.Line(10, 10, 40, 10, Red);
    canvas.Line(40, 10, 40, 40, Red);
    canvas.Line(40, 40, 10, 40, Red);
    canvas.Line(10, 40, 10, 10, Red);
    canvas.PSet(20, 20, Black);         // other colours inside are filled over
    canvas.Line(0, 70, 99, 70, Black);  // a line of another colour does not stop it
    canvas.FloodFill(25, 25, Red, Blue);
    EXPECT_EQ(Count(Blue), 29 * 29);
    canvas.FloodFill(50, 50, Red, Blue);  // outside: everything but the square
    EXPECT_EQ(Count(White), 0);
    const int red = Count(Red);
    canvas.FloodFill(10, 25, Red, Blue);  // on the border: nothing
    canvas.FloodFill(50, 50, Red, Blue);  // refilling with the same colour ends
    canvas.FloodFill(-1, 5, Red, Blue);   // outside the picture: nothing
    EXPECT_EQ(Count(Red), red);
}

TEST_F(ImageCanvasTest, FloodFillDoesNotSlipThroughDiagonals) {
    canvas.Line(0, 0, 79, 79, Red);  // a diagonal splits the picture for a 4-connected fill
    canvas.FloodFill(60, 10, Red, Blue);
    EXPECT_EQ(canvas.Point(10, 60), White);
    EXPECT_EQ(canvas.Point(60, 10), Blue);
}

TEST_F(ImageCanvasTest, LargeFillNeedsNoDeepStack) {
    canvas.Resize(2000, 1500);
    canvas.Circle(1000, 750, 600, Red);
    canvas.FloodFill(1000, 750, Red, Blue);
    EXPECT_EQ(canvas.Point(1000 + 595, 750), Blue);
    EXPECT_EQ(canvas.Point(1000 + 605, 750), White);
}

TEST_F(ImageCanvasTest, CirclesAreClosedAndArcsRunCounterClockwise) {
    canvas.Circle(50, 40, 20, Red);
    canvas.FloodFill(50, 40, Red, Blue);
    EXPECT_EQ(canvas.Point(75, 40), White);  // a gap would have let the fill out
    ImageCanvas arc(100, 100);
    arc.Arc(50, 50, 30, Black, 3 * M_PI / 2, M_PI / 2);  // bottom to top through the right
    EXPECT_EQ(arc.Point(80, 50), Black);
    EXPECT_EQ(arc.Point(20, 50), White);
}

TEST_F(ImageCanvasTest, UserScaleMapsToPixels) {
    canvas.Scale(0, 8, 10, 0);  // y upwards, 10 pixels a unit
    canvas.Line(0, 4, 10, 4, Black);
    EXPECT_EQ(Row(40, 0, 99, Black), std::string(100, '#'));
    canvas.Circle(5, 4, 1, Blue);  // radius in units of x
    EXPECT_EQ(canvas.Point(50, 30), Blue);
}

TEST_F(ImageCanvasTest, FarAndInvalidCoordinatesAreHarmless) {
    const auto start = std::chrono::steady_clock::now();
    canvas.Line(-1e12, 5, 1e12, 5, Black);
    canvas.Circle(50, 40, 1e9, Black);
    canvas.Line(NAN, 0, 10, 10, Red);
    canvas.Arc(50, 40, INFINITY, Red, 0, 1);
    canvas.PSet(1e300, -1e300, Red);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(Row(5, 0, 99, Black), std::string(100, '#'));
    EXPECT_EQ(Count(Red), 0);
}

}  // namespace
}  // namespace velm
