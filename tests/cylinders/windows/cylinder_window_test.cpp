// The four cylinder windows in the running program, driven as a user would:
// opened from the menu or the start panel, typed into, applied, developed.
#include "cylinders/windows/cylinder_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <cmath>

#include "cylinders/cylinder_compute.h"
#include "frame/language.h"
#include "frame/number_text.h"
#include "frame/sketch_primitives.h"
#include "frame/windows/frame_api.h"
#include "frame/windows/frm_iniziale.h"
#include "frame/windows/frm_mdi.h"
#include "platform/qt/image_canvas.h"
#include "platform/qt/picture_box.h"
#include "platform/qt/text_box.h"
#include "support/qt/app_fixture.h"

namespace velm {
namespace {

constexpr Colour Yellow = RGB(255, 255, 0);
const char* const Names[] = {"FrmCiRe", "FrmCiTaSup", "FrmCiConcordi", "FrmCiDiscordi"};

std::string S(const QString& s) { return s.toStdString(); }

void Key(QWidget* w, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

void MouseMove(QWidget* w) {
    const QPointF pos(w->width() / 2.0, w->height() / 2.0);
    QMouseEvent e(QEvent::MouseMove, pos, w->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

class CylinderWindowTest : public AppFixture {
protected:
    void StartProgram(std::int16_t unit = 0) {
        if (unit) Seed("System", "MeasuringSystem", "1");
        ASSERT_TRUE(Start());
        Mdi()->resize(1280, 800);
        Wait(20);
    }
    // The Shapes menu's cylinders submenu, item code - 5; the window filling
    // the main window.
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
    template <class W = QWidget>
    static W* Get(QWidget* window, const QString& name) {
        W* w = window->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << S(name);
        return w;
    }
    static TextBox* Box(QWidget* w, int i) { return Get<TextBox>(w, QStringLiteral("TxtInputDati(%1)").arg(i)); }
    static TextBox* Ant(QWidget* w, int k) { return Get<TextBox>(w, QStringLiteral("TxtAnt(%1)").arg(k)); }
    static QLabel* Label(QWidget* w, const char* name, int i) {
        return Get<QLabel>(w, QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i));
    }
    static std::string Text(QWidget* w, const char* name, int i) { return S(Label(w, name, i)->text()); }
    static void Click(QWidget* w, const char* button) { Get<QPushButton>(w, QLatin1String(button))->click(); }
    static void Type(TextBox* box, const char* chars) {
        box->selectAll();
        for (const char* c = chars; *c; ++c)
            Key(box, *c == '.' ? Qt::Key_Period : Qt::Key_0 + (*c - '0'), QString(QChar(*c)));
    }
    static const ImageCanvas& Picture(QWidget* w) { return Get<PictureBox>(w, "PctDisegno")->canvas(); }
    static int CountColour(const ImageCanvas& c, Colour colour) {
        int n = 0;
        for (int y = 0; y < c.PixelHeight(); ++y)
            for (int x = 0; x < c.PixelWidth(); ++x) n += c.Point(x, y) == colour;
        return n;
    }
    // The fill stays inside its outline: the corners keep the background.
    static void ExpectCornersClear(const ImageCanvas& c, const std::string& what) {
        ASSERT_GT(c.PixelWidth(), 2);
        for (auto [x, y] : {std::pair{0, 0}, std::pair{c.PixelWidth() - 1, 0}, std::pair{0, c.PixelHeight() - 1},
                            std::pair{c.PixelWidth() - 1, c.PixelHeight() - 1}})
            EXPECT_EQ(c.Point(x, y), ShapePictureBackColour) << what << " at " << x << "," << y;
    }
    static std::string Status() { return S(Mdi()->Status()); }
};

// Defaults of each window: both views, the captions, the side and edge
// labels, the result labels, in millimetres and in inches.
TEST_F(CylinderWindowTest, DefaultsInBothViewsAndUnits) {
    const struct {
        int code;
        std::int16_t unit;
        TextSectionId title;
        int boxes, sketchBoxes;
        const char* sideDifference;  // LblDiffLato(0), empty: none
        const char* results[4];      // C, Hmax, Hmed, Hmin; empty: hidden
        const char* outputs[5];
        const char* arcs[2];
    } cases[] = {
        {6, 0, LangFrmCiRe, 3, 2, "", {"C = 63.77", "Hmax = 40", "", ""}, {"0.3", "20", "40"}, {"", ""}},
        {7, 0, LangFrmCiTS, 4, 3, "3.58", {"C = 63.77", "Hmax = 41.79", "Hmed = 38.21", ""},
         {"0.3", "20", "40", "10"}, {"64.27", ""}},
        {8, 0, LangFrmCiCon, 5, 4, "3.58", {"C = 63.77", "Hmax = 43.58", "Hmed = 40", "Hmin = 3.58"},
         {"0.3", "20", "40", "10", "10"}, {"64.27", "64.27"}},
        {9, 0, LangFrmCiDis, 5, 4, "3.58", {"C = 63.77", "Hmax = 43.58", "Hmed = 40", "Hmin = 3.58"},
         {"0.3", "20", "40", "10", "-10"}, {"64.27", "64.27"}},
        {9, 1, LangFrmCiDis, 5, 4, "0.1409", {"C = 2.5108", "Hmax = 1.7157", "Hmed = 1.5748", "Hmin = 0.1409"},
         {"0.0118", "0.7874", "1.5748", "10", "-10"}, {"2.5302", "2.5302"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Names[c.code - 6] + std::string(c.unit ? " inches" : " mm"));
        TearDown();
        SetUp();
        StartProgram(c.unit);
        ShapeWindow* w = Open(c.code);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(State().ShapeCode, c.code);
        EXPECT_EQ(S(w->windowTitle()), Txt(c.title, 1) + ": " + Txt(LangCommon, 11));
        EXPECT_EQ(w->findChildren<TextBox*>(QRegularExpression("^TxtInputDati")).size(), c.boxes);
        EXPECT_EQ(w->findChildren<TextBox*>(QRegularExpression("^TxtAnt")).size(), c.sketchBoxes);
        EXPECT_EQ(w->findChild<QPushButton*>("CmdSaldatura") != nullptr, c.code != 6);
        EXPECT_EQ(w->findChild<QLabel*>("LblSegno") != nullptr, c.code == 9);
        EXPECT_EQ(S(Label(w, "LblInputDati", 1)->text()), Txt(LangCommonFrmCili, 10) + ":");
        EXPECT_EQ(S(Get<QLabel>(w, "LblUnMisura")->text()), Txt(LangCommon, c.unit ? 10 : 9));
        // The sketch boxes sit on the sketch and show the input column's values.
        for (int k = 0; k < c.sketchBoxes; ++k) {
            EXPECT_TRUE(Ant(w, k)->isVisible()) << k;
            EXPECT_EQ(Ant(w, k)->parentWidget()->objectName(), "PctDisegno");
            EXPECT_EQ(ReadNumber(Ant(w, k)->Text()), ReadNumber(Box(w, k + 1)->Text())) << k;
        }
        EXPECT_GT(CountColour(Picture(w), State().CylinderSketchFill), 1000);
        ExpectCornersClear(Picture(w), "sketch");
        if (*c.sideDifference) {
            EXPECT_EQ(Text(w, "LblDiffLato", 0), Txt(LangCommonFrmConi, 15) + ": " + c.sideDifference);
            EXPECT_TRUE(Label(w, "LblDiffLato", 0)->isVisible());
            EXPECT_EQ(Label(w, "LblDiffLato", 0)->geometry().right(), w->width() - 1) << "flush right";
            EXPECT_EQ(Label(w, "LblDiffLato", 1)->isVisible(), c.code >= 8);
            EXPECT_TRUE(Label(w, "LblDatiSviluppo", 5)->isVisible()) << "weld-side marker";
        }
        EXPECT_TRUE(State().DevelopmentValid);

        Click(w, "CmdSviluppa");
        EXPECT_EQ(S(w->windowTitle()), Txt(c.title, 1) + ": " + Txt(LangCommon, 13));
        EXPECT_FALSE(w->InputViewActive);
        for (int i = 0; i < 4; ++i) {
            QLabel* l = Label(w, "LblDatiSviluppo", i);
            EXPECT_EQ(l->isVisible(), *c.results[i] != 0) << i;
            if (*c.results[i]) {
                EXPECT_EQ(S(l->text()), c.results[i]);
            }
            EXPECT_EQ(l->parentWidget()->objectName(), "PctDisegno");
        }
        for (int i = 0; i < c.boxes; ++i) {
            EXPECT_FALSE(Box(w, i)->isVisible());
            EXPECT_EQ(Text(w, "LblOutputDati", i), c.outputs[i]) << i;
        }
        for (int i = 0; i < 2 && c.code != 6; ++i) {
            EXPECT_EQ(Label(w, "LblArco", i)->isVisible(), *c.arcs[i] != 0) << i;
            if (*c.arcs[i]) {
                EXPECT_EQ(Text(w, "LblArco", i), Txt(LangCommonFrmConi, 13 + i) + " = " + c.arcs[i]);
            }
        }
        EXPECT_TRUE(Get<QPushButton>(w, "CmdModifica")->isVisible());
        EXPECT_FALSE(Get<QPushButton>(w, "CmdAnteprima")->isEnabled()) << "no sheet preview yet";
        EXPECT_GT(CountColour(Picture(w), State().CylinderDevelopmentFill), 1000);
        ExpectCornersClear(Picture(w), "development");

        Click(w, "CmdModifica");
        EXPECT_TRUE(w->InputViewActive);
        EXPECT_TRUE(Box(w, 0)->isVisible());
        EXPECT_GT(CountColour(Picture(w), State().CylinderSketchFill), 1000);
    }
}

// Typing into either set of boxes keeps the other in step; develop applies
// edits first; FrmCiDiscordi stores its bottom angle negated.
TEST_F(CylinderWindowTest, TypingMirroringAndStoredAngles) {
    StartProgram();
    ShapeWindow* w = Open(ShapeCiDiscordi);
    ASSERT_NE(w, nullptr);
    Type(Box(w, 1), "25");
    EXPECT_EQ(Ant(w, 0)->Text(), "25");
    EXPECT_TRUE(w->InputsChanged);
    Type(Ant(w, 1), "55.5");
    EXPECT_EQ(Box(w, 2)->Text(), "55.5");
    Type(Ant(w, 3), "15");
    EXPECT_EQ(Box(w, 4)->Text(), "15");
    Type(Box(w, 0), "1");  // the thickness has no sketch box
    EXPECT_TRUE(w->InputsChanged);

    Click(w, "CmdSviluppa");  // applies the edits first
    const CylinderArray& data = State().Inputs.CylinderData;
    EXPECT_FLOAT_EQ(data[1], 1);
    EXPECT_FLOAT_EQ(data[2], 25);
    EXPECT_FLOAT_EQ(data[3], 55.5f);
    EXPECT_FLOAT_EQ(data[5], -15);
    EXPECT_LT(data[7], 0);
    EXPECT_FALSE(w->InputsChanged);
    EXPECT_EQ(Text(w, "LblOutputDati", 4), "-15");
    EXPECT_FALSE(Get<QLabel>(w, "LblSegno")->isVisible());
    EXPECT_EQ(Text(w, "LblDatiSviluppo", 0), "C = " + FormatLength(26.0 * Pi, 0));

    // The values outlive the window and fill the other windows' boxes.
    Click(w, "CmdIndietro");
    Wait(10);
    ShapeWindow* same = Open(ShapeCiConcordi);
    ASSERT_NE(same, nullptr);
    EXPECT_EQ(Box(same, 4)->Text(), "15");
    Click(same, "CmdApplica");
    EXPECT_FLOAT_EQ(State().Inputs.CylinderData[5], 15);
}

// A refused apply: its numbered message, an empty picture, no develop; the
// weld-side command then only flips the side.
TEST_F(CylinderWindowTest, RefusedApplyAndWeldSide) {
    StartProgram();
    ShapeWindow* w = Open(ShapeCiTaSup);
    ASSERT_NE(w, nullptr);
    QLabel* marker = Label(w, "LblDatiSviluppo", 5);
    const QPoint markerRight = marker->pos();
    EXPECT_EQ(markerRight.x(), Label(w, "LblDatiSviluppo", 2)->x());

    // Weld side in the input view: the marker moves, the view stays.
    const double upper0 = CylinderDevelopment().CylUpperHeights[0];
    Click(w, "CmdSaldatura");
    EXPECT_EQ(State().Settings.LatoSaldatura, -1);
    EXPECT_TRUE(w->InputViewActive);
    EXPECT_EQ(marker->x(), Label(w, "LblDatiSviluppo", 1)->x() - 30);
    EXPECT_NE(CylinderDevelopment().CylUpperHeights[0], upper0);
    Click(w, "CmdSaldatura");
    EXPECT_EQ(marker->pos(), markerRight);

    // Weld side in the result view redraws the development.
    Click(w, "CmdSviluppa");
    Click(w, "CmdSaldatura");
    EXPECT_FALSE(w->InputViewActive);
    EXPECT_NE(CylinderDevelopment().CylUpperHeights[0], upper0);
    EXPECT_TRUE(Label(w, "LblDatiSviluppo", 1)->isVisible());
    Click(w, "CmdModifica");

    // Zero diameter: message 14.
    dialogs.ExpectMessage(IdOk);
    Type(Box(w, 1), "0");
    Click(w, "CmdApplica");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].prompt, Txt(LangErrore, 14));
    EXPECT_FALSE(State().DevelopmentValid);
    EXPECT_FALSE(Get<QPushButton>(w, "CmdSviluppa")->isEnabled());
    EXPECT_FALSE(Ant(w, 0)->isVisible());
    EXPECT_FALSE(Label(w, "LblDiffLato", 0)->isVisible());
    EXPECT_EQ(CountColour(Picture(w), ShapePictureBackColour), Picture(w).PixelWidth() * Picture(w).PixelHeight());
    EXPECT_EQ(Box(w, 1)->Text(), "0") << "the refused text stays";
    w->CmdSviluppa_Click();
    EXPECT_TRUE(w->InputViewActive) << "develop does nothing after a refusal";

    const std::int16_t side = State().Settings.LatoSaldatura;
    const CylinderResults before = CylinderDevelopment();
    Click(w, "CmdSaldatura");
    EXPECT_EQ(State().Settings.LatoSaldatura, -side);
    EXPECT_FALSE(marker->isVisible());
    EXPECT_TRUE(CylinderDevelopment().CylUpperHeights == before.CylUpperHeights) << "refused inputs redeveloped";
    EXPECT_EQ(CountColour(Picture(w), ShapePictureBackColour), Picture(w).PixelWidth() * Picture(w).PixelHeight());
}

TEST_F(CylinderWindowTest, StatusLineHints) {
    StartProgram();
    ShapeWindow* w = Open(ShapeCiConcordi);
    ASSERT_NE(w, nullptr);
    const struct {
        const char* control;
        int text;  // LangHelp; 0: the status line is cleared
    } hints[] = {{"CmdApplica", 30}, {"CmdSviluppa", 3},       {"CmdIndietro", 6},     {"CmdSaldatura", 41},
                 {"PctDisegno", 0},  {"LblDiffLato(1)", 40},   {"PnlSfondo", 0}};
    for (const auto& h : hints) {
        SetStatusText("before");
        MouseMove(Get(w, QLatin1String(h.control)));
        EXPECT_EQ(Status(), h.text ? Txt(LangHelp, h.text) : "") << h.control;
    }
    // Field hints: the caption, the input box, the sketch label and box.
    const std::string diameter = Txt(LangFrmCiRe, 3) + " (0 - 300)";
    MouseMove(Label(w, "LblInputDati", 1));
    EXPECT_EQ(Status(), diameter);
    MouseMove(Label(w, "LblDatiSviluppo", 0));
    EXPECT_EQ(Status(), diameter);
    EXPECT_EQ(Ant(w, 0)->BackColor(), RGB(255, 255, 255)) << "highlighted";
    MouseMove(Ant(w, 2));
    EXPECT_EQ(Status(), Txt(LangFrmCiRe, 5) + " (0\u00B0 - 80\u00B0)");
    EXPECT_EQ(Ant(w, 2)->ForeColor(), RGB(0, 0, 255));

    // In the result view the captions give no hint.
    Click(w, "CmdSviluppa");
    SetStatusText("kept");
    MouseMove(Label(w, "LblInputDati", 1));
    MouseMove(Label(w, "LblDatiSviluppo", 1));
    EXPECT_EQ(Status(), "kept");
    MouseMove(Label(w, "LblArco", 0));
    EXPECT_EQ(Status(), Txt(LangHelp, 37));
}

// The development as drawn before the pattern was scaled by Hmax: whole
// pixels per degree, heights scaled by Hmed - Hmin and the axis length. For a
// right cylinder it must come out pixel for pixel the same.
void DrawAsBefore(ImageCanvas& pic, const CylinderResults& r, float d, float L) {
    const Colour white = RGB(255, 255, 255);
    const double cx = pic.ScaleWidth() / 2 - 60, cy = pic.ScaleHeight() / 2;
    double halfW = cx - 80;
    double k = (r.Hmed - r.Hmin) * halfW / (d * Pi);
    const double hTop = r.Hmax * halfW / (d * Pi);
    if (static_cast<float>((pic.ScaleHeight() - 90) / 2) < hTop) {
        const double top = (pic.ScaleHeight() - 90) / 2;
        k = (r.Hmed - r.Hmin) * top / r.Hmax;
        halfW = k * d * Pi / (r.Hmed - r.Hmin);
    }
    const double left = cx - halfW, right = cx + halfW, base = cy + k;
    const double ppd = std::nearbyint(halfW / 180);
    auto P = [&](double v) { return static_cast<float>(2.0 * static_cast<float>(k) * static_cast<float>(v) / L); };
    for (const ProfileTable* t : {&r.CylLowerHeights, &r.CylUpperHeights}) {
        float p1 = P((*t)[0]);
        for (int deg = 1; deg <= 180; ++deg) {
            const float p2 = P((*t)[static_cast<std::size_t>(deg)]);
            pic.Line(left + (deg - 1) * ppd, base - p1, left + deg * ppd, base - p2, Yellow);
            pic.Line(right - (deg - 1) * ppd, base - p1, right - deg * ppd, base - p2, Yellow);
            p1 = p2;
        }
        pic.Line(left + 180 * ppd - 1, base - p1, right - 180 * ppd + 1, base - p1, Yellow);
    }
    pic.Line(left, base - P(r.CylUpperHeights[0]), left, base - P(r.CylLowerHeights[0]), Yellow);
    pic.Line(right, base - P(r.CylUpperHeights[0]), right, base - P(r.CylLowerHeights[0]), Yellow);
    pic.FloodFill(static_cast<int>(std::nearbyint(cx)), static_cast<int>(std::nearbyint(base - P(r.CylLowerHeights[180]) - 2)),
                  Yellow, PaletteColour(9));
    const double Y = base + 20, pC = P(r.CylLowerHeights[0]);
    pic.Line(left, Y, right, Y, white);
    pic.Line(left, Y, left, base - pC, white);
    DrawArrowHead(pic, 0, static_cast<float>(left), static_cast<float>(Y));
    pic.Line(right, Y, right, base - pC, white);
    DrawArrowHead(pic, 180, static_cast<float>(right), static_cast<float>(Y));
    const double yHmax = std::min(base - P(r.CylUpperHeights[0]), base - P(r.CylUpperHeights[180]));
    pic.DrawStyle = DrawDashDot;
    pic.Line(cx, yHmax, cx, base, white);
    pic.DrawStyle = DrawSolid;
    const double X = right + 80;
    pic.Line(X, base, cx, base, white);
    pic.Line(X, yHmax, cx, yHmax, white);
    pic.Line(X, base, X, yHmax, white);
    DrawArrowHead(pic, 90, static_cast<float>(X), static_cast<float>(base));
    DrawArrowHead(pic, 270, static_cast<float>(X), static_cast<float>(yHmax));
}

TEST_F(CylinderWindowTest, RightCylinderPixelsUnchanged) {
    StartProgram();
    ShapeWindow* w = Open(ShapeCiRe);
    ASSERT_NE(w, nullptr);
    const struct {
        const char* d;
        const char* L;
    } bodies[] = {{"20", "40"}, {"150", "30"}, {"150", "700"}};
    for (const auto& b : bodies) {
        Type(Box(w, 1), b.d);
        Type(Box(w, 2), b.L);
        Click(w, "CmdSviluppa");
        const ImageCanvas& shown = Picture(w);
        ImageCanvas before(shown.PixelWidth(), shown.PixelHeight());
        before.BackColor = ShapePictureBackColour;
        before.Cls();
        DrawAsBefore(before, CylinderDevelopment(), State().Inputs.CylinderData[2], State().Inputs.CylinderData[3]);
        EXPECT_TRUE(shown.Image() == before.Image()) << b.d << " x " << b.L;
        Click(w, "CmdModifica");
    }
}

// Diameter 100, length 20, cuts 45/45 the same way, no thickness factor
// (Hmed below Hmin): the fill stays inside the pattern.
TEST_F(CylinderWindowTest, FlatSameSlopeCylinderFillsOnlyItsPattern) {
    Seed("System", "ComputingSystem", "0");
    StartProgram();
    ASSERT_EQ(State().ThicknessFactor, 0);
    ShapeWindow* w = Open(ShapeCiConcordi);
    ASSERT_NE(w, nullptr);
    Type(Box(w, 0), "1");
    Type(Box(w, 1), "100");
    Type(Box(w, 2), "20");
    Type(Box(w, 3), "45");
    Type(Box(w, 4), "45");
    Click(w, "CmdApplica");
    ExpectCornersClear(Picture(w), "sketch");
    Click(w, "CmdSviluppa");
    ASSERT_LT(CylinderDevelopment().Hmed, CylinderDevelopment().Hmin);
    const ImageCanvas& pic = Picture(w);
    ExpectCornersClear(pic, "development");
    const int fillPixels = CountColour(pic, State().CylinderDevelopmentFill);
    EXPECT_LT(fillPixels, pic.PixelWidth() * pic.PixelHeight() / 4);
    EXPECT_GT(fillPixels, 1000);
}

// Two cylinder windows loaded at once: each draws and flips the weld side for
// its own shape, not for the last one loaded.
TEST_F(CylinderWindowTest, EachWindowDrawsItsOwnShape) {
    StartProgram();
    ShapeWindow* both = Open(ShapeCiConcordi);
    ASSERT_NE(both, nullptr);
    auto* right = static_cast<ShapeWindow*>(CylinderWindow::Open(ShapeCiRe));
    right->parentWidget()->show();
    Wait(20);
    ASSERT_EQ(State().ShapeCode, ShapeCiRe);
    Click(both, "CmdSviluppa");
    EXPECT_TRUE(Label(both, "LblDatiSviluppo", 3)->isVisible()) << "Hmin of the cut-both-ends window";
    Click(both, "CmdSaldatura");
    EXPECT_GT(CylinderDevelopment().Hmin, 0.f);
    EXPECT_GT(CylinderDevelopment().CylLowerHeights[0] + CylinderDevelopment().CylLowerHeights[180], 0.0);
}

// Sizes: the normal state keeps at least 8000 x 6200 twips; a window
// maximised in a small main window skips drawing instead of mirroring it;
// every resize redraws.
TEST_F(CylinderWindowTest, ResizeKeepsMinimumAndRedraws) {
    StartProgram();
    ShapeWindow* w = Open(ShapeCiTaSup);
    ASSERT_NE(w, nullptr);
    auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget());
    ASSERT_NE(sub, nullptr);
    sub->showNormal();
    sub->resize(300, 200);
    Wait(10);
    EXPECT_GE(sub->width(), 534);
    EXPECT_GE(sub->height(), 414);
    sub->resize(900, 700);
    Wait(10);
    const PictureBox* pic = Get<PictureBox>(w, "PctDisegno");
    EXPECT_EQ(pic->width(), w->width() - Get(w, "PnlSfondo")->width() - 10);
    EXPECT_EQ(pic->canvas().PixelWidth(), pic->width());
    EXPECT_GT(CountColour(pic->canvas(), State().CylinderSketchFill), 1000);
    Click(w, "CmdSviluppa");
    sub->resize(700, 600);
    Wait(10);
    EXPECT_EQ(pic->canvas().PixelHeight(), w->height() - 80);
    EXPECT_GT(CountColour(pic->canvas(), State().CylinderDevelopmentFill), 500) << "the development redrawn";

    // Maximised, the window keeps whatever room its main window gives, even
    // less than the picture's margins: nothing is drawn then.
    sub->showMaximized();
    Wait(10);
    w->resize(250, 70);
    EXPECT_EQ(pic->height(), 0);
    EXPECT_EQ(CountColour(pic->canvas(), State().CylinderDevelopmentFill), 0);
    EXPECT_EQ(CountColour(pic->canvas(), Yellow), 0);
    w->resize(300, 400);
    EXPECT_EQ(pic->width(), 300 - Get(w, "PnlSfondo")->width() - 10);
    EXPECT_EQ(CountColour(pic->canvas(), Yellow), 0) << "no room for the development: not drawn";
}

// Opened from the start panel, closed with the back button: the panel is
// enabled again; replaced by another shape from the menu: it stays disabled.
TEST_F(CylinderWindowTest, StartPanelAndBackButton) {
    StartProgram();
    auto* panel = static_cast<frmIniziale*>(StartPanel());
    panel->PctVettore_Click(1);  // the cylinders page
    panel->PctVettore_Click(3);  // FrmCiDiscordi
    Wait(20);
    ShapeWindow* w = Window(ShapeCiDiscordi);
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(panel->isEnabled());
    EXPECT_TRUE(Get<QLabel>(w, "LblSegno")->isVisible());
    Open(ShapeCiRe);
    Wait(20);
    EXPECT_EQ(Window(ShapeCiDiscordi), nullptr) << "replaced";
    EXPECT_FALSE(panel->isEnabled());
    Click(Window(ShapeCiRe), "CmdIndietro");
    Wait(20);
    EXPECT_TRUE(panel->isEnabled());
    EXPECT_EQ(Window(ShapeCiRe), nullptr);
}

}  // namespace
}  // namespace velm
