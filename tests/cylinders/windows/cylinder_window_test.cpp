// The four cylinder windows in the running program, driven as a user would:
// opened from the menu, typed into, applied, developed, resized.
#include "cylinders/windows/cylinder_window.h"

#include <cmath>

#include "cylinders/cylinder_compute.h"
#include "core/number_text.h"
#include "core/sketch_primitives.h"
#include "frame/windows/window_test_actions.h"

namespace velm {
namespace {

using namespace wt;
constexpr Colour Yellow = RGB(255, 255, 0);
const char* const Names[] = {"FrmCiRe", "FrmCiTaSup", "FrmCiConcordi", "FrmCiDiscordi"};

class CylinderWindowTest : public AppFixture {
protected:
    void StartProgram(bool inches = false) {
        if (inches) Seed("System", "MeasuringSystem", "1");
        ASSERT_TRUE(Start());
        Mdi()->resize(1280, 800);
        Wait(20);
    }
    // From the Shapes menu's cylinders submenu, maximised in the main window.
    ShapeWindow* Open(int code) {
        Mdi()->FormeSub2Item(code - 5)->trigger();
        Wait(20);
        ShapeWindow* w = Window(code);
        if (w) w->parentWidget()->showMaximized();
        Wait(20);
        return w;
    }
    static ShapeWindow* Window(int code) {
        return MdiArea()->findChild<ShapeWindow*>(QString::fromLatin1(Names[code - 6]));
    }
    static const ImageCanvas& Picture(ShapeWindow* w) { return w->PctDisegno->canvas(); }
    static bool Blank(ShapeWindow* w) {
        return CountColour(Picture(w), ShapePictureBackColour) == Picture(w).PixelWidth() * Picture(w).PixelHeight();
    }
};

// Defaults of each window in both views: captions, side and edge labels and
// results, in millimetres and in inches.
TEST_F(CylinderWindowTest, DefaultsInBothViewsAndUnits) {
    const struct {
        int code;
        bool inches;
        TextSectionId title;
        int boxes;
        const char* sideDifference;  // LblDiffLato(0); empty: none
        const char* results[4];      // C, Hmax, Hmed, Hmin; empty: hidden
        const char* outputs[5];
        const char* arcs[2];
    } cases[] = {
        {6, false, LangFrmCiRe, 3, "", {"C = 63.77", "Hmax = 40", "", ""}, {"0.3", "20", "40"}, {"", ""}},
        {7, false, LangFrmCiTS, 4, "3.58", {"C = 63.77", "Hmax = 41.79", "Hmed = 38.21", ""},
         {"0.3", "20", "40", "10"}, {"64.27", ""}},
        {8, false, LangFrmCiCon, 5, "3.58", {"C = 63.77", "Hmax = 43.58", "Hmed = 40", "Hmin = 3.58"},
         {"0.3", "20", "40", "10", "10"}, {"64.27", "64.27"}},
        {9, true, LangFrmCiDis, 5, "0.1409", {"C = 2.5108", "Hmax = 1.7157", "Hmed = 1.5748", "Hmin = 0.1409"},
         {"0.0118", "0.7874", "1.5748", "10", "-10"}, {"2.5302", "2.5302"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Names[c.code - 6] + std::string(c.inches ? " inches" : " mm"));
        TearDown();
        SetUp();
        StartProgram(c.inches);
        ShapeWindow* w = Open(c.code);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(S(w->LblUnMisura->text()), Txt(LangCommon, c.inches ? 10 : 9));
        EXPECT_GT(CountColour(Picture(w), State().CylinderSketchFill), 1000);
        EXPECT_TRUE(CornersClear(Picture(w))) << "sketch fill leaked";
        if (*c.sideDifference) {
            EXPECT_EQ(S(w->LblDiffLato[0]->text()), Txt(LangCommonFrmConi, 15) + ": " + c.sideDifference);
        }

        Click(w->CmdSviluppa);
        EXPECT_EQ(S(w->windowTitle()), Txt(c.title, 1) + ": " + Txt(LangCommon, 13));
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(w->LblDatiSviluppo[i]->isVisible() ? S(w->LblDatiSviluppo[i]->text()) : "", c.results[i]) << i;
        }
        for (int i = 0; i < c.boxes; ++i) EXPECT_EQ(S(w->LblOutputDati[i]->text()), c.outputs[i]) << i;
        for (int i = 0; i < 2 && c.code != 6; ++i) {
            const std::string arc = *c.arcs[i] ? Txt(LangCommonFrmConi, 13 + i) + " = " + c.arcs[i] : "";
            EXPECT_EQ(w->LblArco[i]->isVisible() ? S(w->LblArco[i]->text()) : "", arc) << i;
        }
        EXPECT_TRUE(w->CmdAnteprima->isEnabled()) << "the sheet preview is registered";
        EXPECT_GT(CountColour(Picture(w), State().CylinderDevelopmentFill), 1000);
        EXPECT_TRUE(CornersClear(Picture(w))) << "development fill leaked";
    }
}

// Either set of boxes keeps the other in step; develop applies the edits
// first; FrmCiDiscordi stores its bottom angle negated.
TEST_F(CylinderWindowTest, TypingMirroringAndStoredAngles) {
    StartProgram();
    ShapeWindow* w = Open(ShapeCiDiscordi);
    ASSERT_NE(w, nullptr);
    Type(w->TxtInputDati[1], "25");
    EXPECT_EQ(w->TxtAnt[0]->Text(), "25");
    Type(w->TxtAnt[3], "15");
    EXPECT_EQ(w->TxtInputDati[4]->Text(), "15");
    Type(w->TxtInputDati[0], "1");  // the thickness has no sketch box
    Click(w->CmdSviluppa);
    const CylinderArray& data = State().Inputs.CylinderData;
    EXPECT_EQ((std::vector<float>{data[1], data[2], data[5]}), (std::vector<float>{1, 25, -15}));
    EXPECT_EQ(S(w->LblOutputDati[4]->text()), "-15");
    EXPECT_EQ(S(w->LblDatiSviluppo[0]->text()), "C = " + FormatLength(26.0 * Pi, 0));
}

// The weld side redevelops; after a refused apply (its message, an empty
// picture, no develop) it only flips the side.
TEST_F(CylinderWindowTest, RefusedApplyAndWeldSide) {
    StartProgram();
    ShapeWindow* w = Open(ShapeCiTaSup);
    ASSERT_NE(w, nullptr);
    QLabel* marker = w->LblDatiSviluppo[5];
    const double upper0 = State().CylinderDevelopment.Results.CylUpperHeights[0];
    Click(w->CmdSaldatura);
    EXPECT_NE(State().CylinderDevelopment.Results.CylUpperHeights[0], upper0);

    dialogs.ExpectMessage(IdOk);
    Type(w->TxtInputDati[1], "0");
    Click(w->CmdApplica);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].prompt, Txt(LangErrore, 14));
    EXPECT_FALSE(State().DevelopmentValid || w->CmdSviluppa->isEnabled() || w->TxtAnt[0]->isVisible());
    EXPECT_TRUE(Blank(w));

    const CylinderResults before = State().CylinderDevelopment.Results;
    Click(w->CmdSaldatura);
    EXPECT_EQ(State().Settings.LatoSaldatura, 1);
    EXPECT_FALSE(marker->isVisible());
    EXPECT_TRUE(State().CylinderDevelopment.Results.CylUpperHeights == before.CylUpperHeights) << "refused inputs redeveloped";
    EXPECT_TRUE(Blank(w));
}

// A right cylinder as drawn before the pattern was scaled by Hmax (heights
// scaled by Hmed - Hmin and the axis length): its development must come out
// pixel for pixel the same.
void DrawAsBefore(ImageCanvas& pic, const CylinderResults& r, float L) {
    const Colour white = RGB(255, 255, 255);
    const double cx = pic.ScaleWidth() / 2 - 60, cy = pic.ScaleHeight() / 2;
    const double length = r.DevelopedLength;  // the working diameter's, as wide as the plate
    double halfW = cx - 80, k = (r.Hmed - r.Hmin) * halfW / length;
    if (static_cast<float>((pic.ScaleHeight() - 90) / 2) < r.Hmax * halfW / length) {
        k = (r.Hmed - r.Hmin) * ((pic.ScaleHeight() - 90) / 2) / r.Hmax;
        halfW = k * length / (r.Hmed - r.Hmin);
    }
    const double left = cx - halfW, right = cx + halfW, base = cy + k;
    const auto P = [&](double v) { return static_cast<float>(2.0 * static_cast<float>(k) * static_cast<float>(v) / L); };
    const double top = base - P(r.CylUpperHeights[0]), bottom = base - P(r.CylLowerHeights[0]);
    for (double y : {bottom, top}) pic.Line(left, y, right, y, Yellow);
    for (double x : {left, right}) pic.Line(x, top, x, bottom, Yellow);
    pic.FloodFill(static_cast<int>(std::nearbyint(cx)), static_cast<int>(std::nearbyint(bottom - 2)), Yellow, PaletteColour(9));
    const double Y = base + 20, X = right + 80;
    pic.Line(left, Y, right, Y, white);
    pic.Line(left, Y, left, bottom, white);
    DrawArrowHead(pic, 0, static_cast<float>(left), static_cast<float>(Y));
    pic.Line(right, Y, right, bottom, white);
    DrawArrowHead(pic, 180, static_cast<float>(right), static_cast<float>(Y));
    pic.DrawStyle = DrawDashDot;
    pic.Line(cx, top, cx, base, white);
    pic.DrawStyle = DrawSolid;
    pic.Line(X, base, cx, base, white);
    pic.Line(X, top, cx, top, white);
    pic.Line(X, base, X, top, white);
    DrawArrowHead(pic, 90, static_cast<float>(X), static_cast<float>(base));
    DrawArrowHead(pic, 270, static_cast<float>(X), static_cast<float>(top));
}

TEST_F(CylinderWindowTest, RightCylinderPixelsUnchanged) {
    StartProgram();
    ShapeWindow* w = Open(ShapeCiRe);
    ASSERT_NE(w, nullptr);
    for (auto [d, L] : {std::pair{"150", "30"}, {"150", "700"}}) {  // both scale limits
        Type(w->TxtInputDati[1], d);
        Type(w->TxtInputDati[2], L);
        Click(w->CmdSviluppa);
        ImageCanvas before(Picture(w).PixelWidth(), Picture(w).PixelHeight());
        before.BackColor = ShapePictureBackColour;
        before.Cls();
        DrawAsBefore(before, State().CylinderDevelopment.Results, State().Inputs.CylinderData[3]);
        EXPECT_TRUE(Picture(w).Image() == before.Image()) << d << " x " << L;
        Click(w->CmdModifica);
    }
}

// A thick plate rolled on its outer fibre: the pattern is as wide as the
// working diameter's developed length and as high as Hmax at that same scale.
TEST_F(CylinderWindowTest, DevelopmentKeepsThePlatesProportions) {
    Seed("System", "ComputingSystem", "2");
    StartProgram();
    for (int code : {ShapeCiRe, ShapeCiTaSup, ShapeCiConcordi}) {
        ShapeWindow* w = Open(code);
        ASSERT_NE(w, nullptr);
        Type(w->TxtInputDati[0], "3");
        Type(w->TxtInputDati[1], "20");
        Type(w->TxtInputDati[2], "40");
        Click(w->CmdSviluppa);
        const ImageCanvas& pic = Picture(w);
        int left = pic.PixelWidth(), right = -1, top = pic.PixelHeight(), bottom = -1;
        for (int y = 0; y < pic.PixelHeight(); ++y)
            for (int x = 0; x < pic.PixelWidth(); ++x)
                if (pic.Point(x, y) == PaletteColour(9)) {
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
        ASSERT_GT(right, left) << code;
        const CylinderResults& r = State().CylinderDevelopment.Results;
        const double expected = r.DevelopedLength / r.Hmax;  // D' = 26: 30 % wider than the typed 20
        EXPECT_NEAR(double(right - left + 2) / (bottom - top + 2), expected, 0.03 * expected) << code;
        Click(w->CmdIndietro);
        Wait(20);
    }
}

// Diameter 100, length 20, cuts 45/45 the same way, no thickness factor
// (Hmed below Hmin): sketch and development stay inside their outlines.
TEST_F(CylinderWindowTest, FlatSameSlopeCylinderFillsOnlyItsPattern) {
    Seed("System", "ComputingSystem", "0");
    StartProgram();
    ShapeWindow* w = Open(ShapeCiConcordi);
    ASSERT_NE(w, nullptr);
    for (auto [row, text] : {std::pair{0, "1"}, {1, "100"}, {2, "20"}, {3, "45"}, {4, "45"}}) Type(w->TxtInputDati[row], text);
    Click(w->CmdApplica);
    EXPECT_TRUE(CornersClear(Picture(w))) << "sketch";
    Click(w->CmdSviluppa);
    ASSERT_LT(State().CylinderDevelopment.Results.Hmed, State().CylinderDevelopment.Results.Hmin);
    EXPECT_TRUE(CornersClear(Picture(w))) << "development";
    const int fill = CountColour(Picture(w), State().CylinderDevelopmentFill);
    EXPECT_LT(fill, Picture(w).PixelWidth() * Picture(w).PixelHeight() / 4);
    EXPECT_GT(fill, 1000);
    // Drawn true: the filled plate is Hmax high for its developed length.
    QRect plate;
    for (int y = 0; y < Picture(w).PixelHeight(); ++y)
        for (int x = 0; x < Picture(w).PixelWidth(); ++x)
            if (Picture(w).Point(x, y) == State().CylinderDevelopmentFill) plate |= QRect(x, y, 1, 1);
    const CylinderResults& r = State().CylinderDevelopment.Results;
    EXPECT_NEAR(double(plate.height()) / plate.width(), r.Hmax / r.DevelopedLength, 0.03);
}

// Maximised in less room than the picture's margins nothing is drawn, never
// a mirrored pattern.
TEST_F(CylinderWindowTest, TooSmallAPictureSkipsDrawing) {
    StartProgram();
    ShapeWindow* w = Open(ShapeCiTaSup);
    ASSERT_NE(w, nullptr);
    Click(w->CmdSviluppa);
    w->resize(250, 70);
    EXPECT_EQ(w->PctDisegno->height(), 0);
    w->resize(300, 400);
    EXPECT_EQ(CountColour(Picture(w), Yellow), 0) << "no room for the development: not drawn";
}

}  // namespace
}  // namespace velm
