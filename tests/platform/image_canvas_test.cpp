#include "platform/qt/image_canvas.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <chrono>
#include <climits>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "platform/qt/qt_colour.h"
#include "qt_application.h"

namespace velm {
namespace {

constexpr Colour White = RGB(255, 255, 255);
constexpr Colour Black = RGB(0, 0, 0);
constexpr Colour Red = RGB(255, 0, 0);
constexpr Colour Blue = RGB(0, 0, 255);

// A fill pixel by pixel of a picture kept as colours, `w` to a row: every
// pixel 4-connected to the seed through pixels not of the border colour
// takes the fill colour.
void FillPixelByPixel(std::vector<Colour>& picture, int w, int sx, int sy, Colour border, Colour fill) {
    const int h = static_cast<int>(picture.size()) / w;
    auto at = [w](int x, int y) { return static_cast<std::size_t>(y * w + x); };
    if (picture[at(sx, sy)] == border) return;
    std::vector<bool> seen(picture.size());
    std::vector<std::pair<int, int>> todo{{sx, sy}};
    seen[at(sx, sy)] = true;
    while (!todo.empty()) {
        const auto [x, y] = todo.back();
        todo.pop_back();
        for (auto [nx, ny] : {std::pair{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}}) {
            if (nx < 0 || ny < 0 || nx >= w || ny >= h || seen[at(nx, ny)] || picture[at(nx, ny)] == border) continue;
            seen[at(nx, ny)] = true;
            todo.emplace_back(nx, ny);
        }
    }
    for (std::size_t i = 0; i < picture.size(); ++i)
        if (seen[i]) picture[i] = fill;
}

// A drawing that the clear tests repeat on pictures with different pasts.
struct NamedDrawing {
    const char* name;
    void (*draw)(ImageCanvas&);
};

// A box outlined in `border`, filled inside with `fill`.
void FilledBox(ImageCanvas& c, double left, double top, double right, double bottom, Colour border, Colour fill) {
    c.Line(left, top, right, top, border);
    c.Line(right, top, right, bottom, border);
    c.Line(right, bottom, left, bottom, border);
    c.Line(left, bottom, left, top, border);
    c.FloodFill(static_cast<int>((left + right) / 2), static_cast<int>((top + bottom) / 2), border, fill);
}

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

// Pictures too small, seeds outside the picture or on the border: the fill
// sets nothing it should not, and never reads or writes outside.
TEST_F(ImageCanvasTest, FloodFillOfBadInputsFillsNothingOutside) {
    const struct {
        const char* name;
        int width, height;
        int x, y;
        bool box;           // a red box from (2, 2) to (6, 6)
        Colour fill;
        int blue, red;      // pixels of each colour afterwards
    } cases[] = {
        {"empty picture", 0, 0, 0, 0, false, Blue, 0, 0},
        {"one pixel", 1, 1, 0, 0, false, Blue, 1, 0},
        {"one pixel, seed right of it", 1, 1, 1, 0, false, Blue, 0, 0},
        {"one pixel, seed below it", 1, 1, 0, 1, false, Blue, 0, 0},
        {"seed at the far corner", 10, 8, INT_MAX, INT_MIN, false, Blue, 0, 0},
        {"seed left of the picture", 10, 8, -1, 4, true, Blue, 0, 16},
        {"seed on the border", 10, 8, 2, 4, true, Blue, 0, 16},
        {"inside the box", 10, 8, 4, 4, true, Blue, 9, 16},
        {"outside the box, to the edges", 10, 8, 8, 1, true, Blue, 80 - 25, 16},
        {"fill colour is the border colour", 10, 8, 4, 4, true, Red, 0, 25},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        canvas.Resize(c.width, c.height);
        if (c.box) {
            for (int i = 2; i <= 6; ++i) {
                canvas.PSet(i, 2, Red);
                canvas.PSet(i, 6, Red);
                canvas.PSet(2, i, Red);
                canvas.PSet(6, i, Red);
            }
        }
        canvas.FloodFill(c.x, c.y, Red, c.fill);
        EXPECT_EQ(Count(Blue), c.blue);
        EXPECT_EQ(Count(Red), c.red);
    }
}

// Random walls against a plain pixel-by-pixel fill: the same pixels, also
// where the fill colour is already in the region and splits it.
TEST_F(ImageCanvasTest, FloodFillMatchesAPixelByPixelFill) {
    std::mt19937 random(7);
    const int w = 37, h = 23;
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE(round);
        canvas.Resize(w, h);
        const int density = static_cast<int>(random() % 60);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int r = static_cast<int>(random() % 100);
                if (r < density) canvas.PSet(x, y, Red);
                else if (r < density + 5) canvas.PSet(x, y, Blue);
            }
        const int sx = static_cast<int>(random() % w), sy = static_cast<int>(random() % h);
        std::vector<Colour> expected(static_cast<std::size_t>(w * h));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) expected[static_cast<std::size_t>(y * w + x)] = canvas.Point(x, y);
        FillPixelByPixel(expected, w, sx, sy, Red, Blue);
        canvas.FloodFill(sx, sy, Red, Blue);
        int wrong = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) wrong += canvas.Point(x, y) != expected[static_cast<std::size_t>(y * w + x)];
        ASSERT_EQ(wrong, 0);
    }
}

// Fills over earlier fills, points and clears, on a picture four blocks of
// pixels wide, match a plain model of the picture after every step: read
// pixel by pixel, as a whole, and parked and back.
TEST_F(ImageCanvasTest, FillsPointsAndClearsMatchAPlainModel) {
    std::mt19937 random(11);
    const Colour colours[] = {White, Black, Red, Blue, RGB(0, 128, 0)};
    auto any = [&] { return colours[random() % 5]; };
    const int w = 203, h = 17;  // the last block of a row is short
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        canvas.BackColor = any();
        canvas.Resize(w, h);
        std::vector<Colour> model(static_cast<std::size_t>(w * h), canvas.BackColor);
        auto at = [&](int x, int y) -> Colour& { return model[static_cast<std::size_t>(y * w + x)]; };
        for (int step = 0; step < 14; ++step) {
            const int kind = static_cast<int>(random() % 6);
            if (kind <= 1) {  // a row or a column of points
                const Colour c = any();
                const bool across = kind == 0;
                const int fixed = static_cast<int>(random() % (across ? h : w));
                const int from = static_cast<int>(random() % (across ? w : h));
                const int to = std::min(from + static_cast<int>(random() % 90), (across ? w : h) - 1);
                for (int i = from; i <= to; ++i) {
                    canvas.PSet(across ? i : fixed, across ? fixed : i, c);
                    at(across ? i : fixed, across ? fixed : i) = c;
                }
            } else if (kind <= 3) {  // a fill, 4-connected through all but the border
                const Colour border = any(), fill = any();
                const int sx = static_cast<int>(random() % w), sy = static_cast<int>(random() % h);
                canvas.FloodFill(sx, sy, border, fill);
                FillPixelByPixel(model, w, sx, sy, border, fill);
            } else if (kind == 4) {
                canvas.BackColor = any();
                canvas.Cls();
                std::fill(model.begin(), model.end(), canvas.BackColor);
            } else {
                canvas.Park();  // the next drawing brings it back
            }
            int wrong = 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) wrong += canvas.Point(x, y) != at(x, y);
            ASSERT_EQ(wrong, 0) << "step " << step << ", kind " << kind;
        }
        const QImage image = canvas.Image().convertToFormat(QImage::Format_RGB32);
        int wrong = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) wrong += FromQRgb(image.pixel(x, y)) != at(x, y);
        ASSERT_EQ(wrong, 0);
    }
}

// Plain blocks side by side in different colours keep them, written into a
// device as well as into the picture: a block of points filled up to the
// background becomes plain between plain background blocks.
TEST_F(ImageCanvasTest, NeighbouringPlainBlocksKeepTheirColours) {
    canvas.Resize(256, 8);
    for (int x = 64; x < 128; ++x) canvas.PSet(x, 3, Red);
    canvas.FloodFill(70, 3, White, Blue);
    QImage shown(256, 8, QImage::Format_RGB32);
    shown.fill(Qt::black);
    {
        QPainter painter(&shown);
        ASSERT_TRUE(canvas.PaintOnto(painter, QRegion(0, 0, 256, 8)));
    }
    const QImage picture = canvas.Image();
    for (const QImage* image : {static_cast<const QImage*>(&shown), &picture})
        for (int x : {0, 63, 64, 127, 128, 255})
            EXPECT_EQ(FromQRgb(image->pixel(x, 3)), x >= 64 && x < 128 ? Blue : White) << x;
}

// More fill colours between two clears than the block colours are kept for
// still fill as they should: the colours past the list are written out.
TEST_F(ImageCanvasTest, ManyFillColoursBetweenClears) {
    canvas.Resize(256, 4);
    for (int i = 0; i < 300; ++i) {
        canvas.FloodFill(i % 256, i % 4, RGB(1, 2, 3), RGB(i % 256, i / 256, 9));
        ASSERT_EQ(canvas.Point(255 - i % 256, 3 - i % 4), RGB(i % 256, i / 256, 9)) << i;
    }
    const QImage image = canvas.Image();
    EXPECT_EQ(image.pixel(0, 0), image.pixel(255, 3));
    EXPECT_EQ(FromQRgb(image.pixel(100, 2)), RGB(299 % 256, 1, 9));
}

// A parked picture reads as before; drawing on it brings it back first; a
// picture of more than 256 colours is not parked.
TEST_F(ImageCanvasTest, ParkedPictureKeepsItsPixels) {
    canvas.Circle(50, 40, 20, Red);
    canvas.FloodFill(50, 40, Red, Blue);
    canvas.Line(0, 79, 99, 0, Black);
    const QImage drawn = canvas.Image();
    ASSERT_TRUE(canvas.Park());
    EXPECT_TRUE(canvas.Parked());
    EXPECT_EQ(canvas.Image().convertToFormat(QImage::Format_RGB32), drawn);
    EXPECT_EQ(canvas.Point(50, 40), Blue);
    canvas.Park();  // parking twice changes nothing
    canvas.Unpark();
    EXPECT_FALSE(canvas.Parked());
    EXPECT_EQ(canvas.Image(), drawn);

    const struct {
        const char* name;
        void (*draw)(ImageCanvas&);
        Colour at55;  // the pixel (5, 5) afterwards
        Colour at990;  // the pixel (99, 0) of the line drawn before parking
    } draws[] = {
        {"line", [](ImageCanvas& c) { c.Line(0, 5, 10, 5, Red); }, Red, Black},
        {"point", [](ImageCanvas& c) { c.PSet(5, 5, Red); }, Red, Black},
        {"fill", [](ImageCanvas& c) { c.FloodFill(5, 5, Black, Red); }, Red, Black},
        {"text", [](ImageCanvas& c) { c.Print("X"); }, NoColour, Black},
        {"clear", [](ImageCanvas& c) { c.Cls(); }, White, White},
    };
    for (const auto& d : draws) {
        SCOPED_TRACE(d.name);
        canvas.Cls();
        canvas.Line(0, 79, 99, 0, Black);
        ASSERT_TRUE(canvas.Park());
        d.draw(canvas);
        EXPECT_FALSE(canvas.Parked());
        EXPECT_EQ(canvas.Image().format(), QImage::Format_RGB32);
        if (d.at55 != NoColour) { EXPECT_EQ(canvas.Point(5, 5), d.at55); }
        EXPECT_EQ(canvas.Point(99, 0), d.at990);
    }

    for (int i = 0; i < 300; ++i) canvas.PSet(i % 100, i / 100, RGB(i % 256, i / 256, 7));
    const QImage many = canvas.Image();
    EXPECT_FALSE(canvas.Park());
    EXPECT_FALSE(canvas.Parked());
    EXPECT_EQ(canvas.Image(), many);
}

// A clear repaints only what was drawn since the last one: after every kind
// of drawing, near the edges, off the picture, in wide pens and with a new
// background colour, the whole picture is the background again.
TEST_F(ImageCanvasTest, ClearsLeaveNoPixelOfAnyDrawing) {
    const NamedDrawing draws[] = {
        {"thin lines, dashed, clipped", [](ImageCanvas& c) {
             c.DrawStyle = DrawDashDot;
             c.Line(-50, 10, 150, 70, Red);
             c.DrawStyle = DrawSolid;
             c.Line(99, 79, 99, -5, Black);
         }},
        {"wide lines and their round ends", [](ImageCanvas& c) {
             c.DrawWidth = 7;
             c.Line(3, 3, 96, 40, Red);
             c.Line(0, 79, 0, 79, Blue);
             c.DrawWidth = 1;
         }},
        {"arcs and circles", [](ImageCanvas& c) {
             c.Circle(50, 40, 45, Red);
             c.DrawWidth = 4;
             c.Arc(20, 20, 30, Black, 0, 2);
             c.DrawWidth = 1;
         }},
        {"points, thin and wide", [](ImageCanvas& c) {
             c.PSet(0, 0, Red);
             c.PSet(99, 79, Red);
             c.DrawWidth = 9;
             c.PSet(98, 1, Blue);
             c.DrawWidth = 1;
         }},
        {"text, also at the edges", [](ImageCanvas& c) {
             c.FontSize = 20;
             c.FontName = "Liberation Serif";
             c.CurrentX = 70;
             c.CurrentY = 60;
             c.Print("Wj\xC3\x89g\nfy");
             c.CurrentX = -5;
             c.CurrentY = -8;
             c.Print("Q");
         }},
        {"a fill of the whole picture", [](ImageCanvas& c) { c.FloodFill(10, 10, Black, Blue); }},
        {"a fill inside a box", [](ImageCanvas& c) { FilledBox(c, 30, 30, 60, 60, Black, Red); }},
    };
    for (const Colour back : {White, Black, Blue}) {
        for (const auto& d : draws) {
            SCOPED_TRACE(d.name);
            canvas.Cls();
            d.draw(canvas);
            ASSERT_NE(canvas.Image(), QImage()) << "drew nothing";
            canvas.BackColor = back;
            canvas.Cls();
            QImage clean(canvas.Image().size(), QImage::Format_RGB32);
            clean.fill(QColor(RedOf(back), GreenOf(back), BlueOf(back)));
            ASSERT_EQ(canvas.Image(), clean);
            d.draw(canvas);
            ASSERT_TRUE(canvas.Park());
            canvas.Cls();
            ASSERT_EQ(canvas.Image(), clean) << "parked";
        }
    }
    canvas.BackColor = White;
    canvas.Resize(40, 30);
    canvas.Line(0, 0, 39, 29, Red);
    canvas.Cls();
    EXPECT_EQ(Count(White), 40 * 30);
}

// What is drawn after a clear comes out as on a new picture, whatever the
// memory under it held before: pixels read before the picture is shown, and
// the picture shown. The last case fills up to the background colour, which
// must stop the fill where the earlier drawing still lies in memory.
TEST(ImageCanvasClearTest, DrawingAfterAClearIsAsOnANewPicture) {
    EnsureQtApplication();
    const NamedDrawing draws[] = {
        {"dashed and wide lines", [](ImageCanvas& c) {
             c.DrawStyle = DrawDash;
             c.Line(-20, 5, 300, 95, Red);
             c.DrawStyle = DrawSolid;
             c.DrawWidth = 5;
             c.Line(190, 3, 10, 60, Blue);
             c.DrawWidth = 1;
         }},
        {"text", [](ImageCanvas& c) {
             c.FontSize = 14;
             c.CurrentX = 60;
             c.CurrentY = 30;
             c.Print("Hmax = 43\nC = 7");
         }},
        {"a box filled inside", [](ImageCanvas& c) { FilledBox(c, 70, 20, 190, 70, Black, Red); }},
        {"the whole picture filled", [](ImageCanvas& c) {
             c.Line(0, 50, 199, 52, Black);
             c.FloodFill(5, 5, Black, Blue);
         }},
        {"a fill bounded by the background", [](ImageCanvas& c) {
             c.Line(66, 10, 130, 80, Black);
             c.Line(67, 10, 131, 80, Black);
             c.FloodFill(100, 46, White, Red);
         }},
    };
    for (const auto& d : draws) {
        SCOPED_TRACE(d.name);
        ImageCanvas reused(200, 90), fresh(200, 90);
        reused.Line(0, 0, 199, 89, Black);
        reused.FloodFill(150, 10, Black, Blue);
        reused.Cls();
        d.draw(reused);
        d.draw(fresh);
        int differ = 0;
        for (int y = 0; y < 90; ++y)
            for (int x = 0; x < 200; ++x) differ += reused.Point(x, y) != fresh.Point(x, y);
        EXPECT_EQ(differ, 0);
        EXPECT_EQ(reused.Image(), fresh.Image());
    }
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
