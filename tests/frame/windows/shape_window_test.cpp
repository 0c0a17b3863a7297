// What the cylinder and frustum windows share, seen on the screen: how they
// open and paint, whose results they redraw when two of a family are loaded,
// and that their boxes and labels show whole inside the picture.
#include "frame/windows/shape_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <string>
#include <utility>
#include <vector>

#include "cones/windows/cone_window.h"
#include "cylinders/windows/cylinder_window.h"
#include "frame/language.h"
#include "frame/windows/frame_api.h"
#include "frame/windows/frm_mdi.h"
#include "geometry/cylinder_geometry.h"
#include "platform/qt/picture_box.h"
#include "platform/qt/text_box.h"
#include "support/qt/app_fixture.h"

namespace velm {
namespace {

const std::int16_t AllShapes[] = {ShapeCoRe, ShapeCoTaSup, ShapeCoTaInf, ShapeCoConcordi, ShapeCoDiscordi,
                                  ShapeCiRe, ShapeCiTaSup, ShapeCiConcordi, ShapeCiDiscordi};

bool IsCylinder(int code) { return code >= ShapeCiRe && code <= ShapeCiDiscordi; }

ShapeWindow* FamilyWindow(int code) {
    return static_cast<ShapeWindow*>(IsCylinder(code) ? CylinderWindow::Open(code) : ConeWindow::Open(code));
}

void Type(TextBox* box, const std::string& text) {
    box->setFocus();
    box->selectAll();
    for (char c : text) {
        const int key = c == '.' ? Qt::Key_Period : Qt::Key_0 + (c - '0');
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(QChar(c)));
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(QChar(c)));
        QApplication::sendEvent(box, &press);
        QApplication::sendEvent(box, &release);
    }
}

QMdiSubWindow* Frame(ShapeWindow* w) { return qobject_cast<QMdiSubWindow*>(w->parentWidget()); }

class ShapeWindowTest : public AppFixture {
protected:
    void StartProgram(bool inches = false) {
        if (inches) Seed("System", "MeasuringSystem", "1");
        ASSERT_TRUE(Start());
        Mdi()->resize(1100, 800);
        Wait(20);
    }
    // Opened as the user opens it: from the start panel, or from the menu
    // while another shape window is active.
    ShapeWindow* Open(int code) {
        OpenShapeForm(code, ActiveChild() ? ActiveChild() : StartPanel());
        Wait(30);
        ShapeWindow* w = FamilyWindow(code);
        EXPECT_TRUE(w && w->isVisible()) << code;
        return w;
    }
    // A second window of a family next to one already open.
    static ShapeWindow* OpenBeside(int code) {
        ShapeWindow* w = FamilyWindow(code);
        Frame(w)->show();
        Wait(30);
        return w;
    }
    // What the screen shows of the window, as the window system last painted it.
    static QImage OnScreen(QWidget* w) {
        const QImage screen = Mdi()->windowHandle()->screen()->grabWindow(Mdi()->winId()).toImage();
        return screen.copy(QRect(w->mapTo(Mdi(), QPoint(0, 0)), w->size())).convertToFormat(QImage::Format_RGB32);
    }
    static void CheckPainted(ShapeWindow* w);
    void CheckBoxesAndLabelsShowWhole();
    static std::vector<std::string> Captions(const std::vector<QLabel*>& labels) {
        std::vector<std::string> texts;
        for (QLabel* l : labels) texts.push_back(l->isVisible() ? l->text().toStdString() : "(hidden)");
        return texts;
    }
};

// Every window opens filling the main window's area and painted whole: the
// panel with its captions and boxes is on the screen, not only in the widgets.
TEST_F(ShapeWindowTest, OpensFillingTheAreaAndPaintedWhole) {
    StartProgram();
    for (bool fromMenu : {false, true}) {
        for (std::int16_t code : AllShapes) {
            SCOPED_TRACE(std::to_string(code) + (fromMenu ? " from the menu" : " from the start panel"));
            if (!fromMenu && ActiveChild() && ActiveChild() != StartPanel()) {
                qobject_cast<ShapeWindow*>(ActiveChild())->CmdIndietro_Click();  // back to the start panel
                Wait(30);
            }
            ShapeWindow* w = Open(code);
            ASSERT_NE(w, nullptr);
            EXPECT_EQ(Frame(w)->geometry(), QRect(QPoint(0, 0), MdiArea()->viewport()->size()));
            CheckPainted(w);
            // Shown again in a frame below its minimum size: the resize to the
            // minimum runs inside the showing.
            Frame(w)->hide();
            Frame(w)->setGeometry(20, 20, 200, 150);
            Frame(w)->show();
            Wait(30);
            EXPECT_GE(Frame(w)->width(), 534);
            CheckPainted(w);
        }
    }
}

void ShapeWindowTest::CheckPainted(ShapeWindow* w) {
    for (QWidget* part : {static_cast<QWidget*>(w->PnlSfondo), static_cast<QWidget*>(w->PctDisegno)}) {
        const QImage shown = OnScreen(part);
        const QImage drawn = part->grab().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(shown.size(), drawn.size());
        EXPECT_TRUE(shown == drawn) << part->objectName().toStdString() << " differs on the screen";
    }
}

// Two windows of one family share one set of results: a window redrawn or
// flipped after the other applied works on its own inputs again.
TEST_F(ShapeWindowTest, RedrawAfterAnotherWindowAppliedShowsItsOwnResults) {
    StartProgram();
    const struct {
        std::int16_t first, second;
        const char* secondDiameter;
    } pairs[] = {{ShapeCiTaSup, ShapeCiRe, "150"}, {ShapeCoTaSup, ShapeCoRe, "25"}};
    for (const auto& p : pairs) {
        SCOPED_TRACE(p.first);
        ShapeWindow* a = Open(p.first);
        ASSERT_NE(a, nullptr);
        a->CmdSviluppa->click();
        const QImage developed = a->PctDisegno->canvas().Image();
        const std::vector<std::string> results = Captions(a->LblDatiSviluppo);
        const std::vector<std::string> edges = Captions(a->LblArco);
        EXPECT_TRUE(a->OwnsResults());

        ShapeWindow* b = OpenBeside(p.second);
        Type(b->TxtInputDati[1], p.secondDiameter);
        b->CmdApplica->click();
        EXPECT_TRUE(b->OwnsResults());
        EXPECT_FALSE(a->OwnsResults());

        // A resize of the first window redevelops it: its own picture and values.
        Frame(a)->resize(Frame(a)->width() - 1, Frame(a)->height());
        Frame(a)->resize(Frame(a)->width() + 1, Frame(a)->height());
        EXPECT_TRUE(a->PctDisegno->canvas().Image() == developed);
        EXPECT_EQ(Captions(a->LblDatiSviluppo), results);
        EXPECT_EQ(Captions(a->LblArco), edges);
        EXPECT_EQ(a->InputViewActive, False16);
        EXPECT_TRUE(a->OwnsResults());

        // Flipping the weld side twice after the other applied again: the first
        // window's own development, not the other's flipped.
        b->CmdApplica->click();
        a->CmdSaldatura->click();
        a->CmdSaldatura->click();
        EXPECT_EQ(State().Settings.LatoSaldatura, 1);
        EXPECT_TRUE(a->PctDisegno->canvas().Image() == developed);
        EXPECT_EQ(Captions(a->LblDatiSviluppo), results);

        // The second window's develop works on its own inputs again too.
        b->CmdSviluppa->click();
        EXPECT_TRUE(b->OwnsResults());
        EXPECT_EQ(b->LblOutputDati[1]->text().toStdString(), p.secondDiameter);
        EXPECT_FALSE(b->PctDisegno->canvas().Image() == developed);
        Frame(b)->close();
        Frame(a)->close();
        Wait(30);
    }
}

// A refused apply in one window may leave its results behind (impossible
// cuts are found by developing): no window owns them, and the window
// accepted before applies again before it redraws.
TEST_F(ShapeWindowTest, RefusedApplyElsewhereIsNeverDrawn) {
    StartProgram();
    ShapeWindow* a = Open(ShapeCiTaSup);
    ASSERT_NE(a, nullptr);
    a->CmdSviluppa->click();
    const QImage developed = a->PctDisegno->canvas().Image();
    ShapeWindow* b = OpenBeside(ShapeCiDiscordi);
    Frame(a)->resize(Frame(a)->width() - 3, Frame(a)->height());  // the first window's results again
    ASSERT_TRUE(a->OwnsResults());
    for (auto [row, text] : {std::pair{1, "100"}, {2, "20"}, {3, "45"}, {4, "45"}})
        Type(b->TxtInputDati[static_cast<std::size_t>(row)], text);
    dialogs.ExpectMessage(IdOk);
    b->CmdApplica->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].prompt, Txt(LangErrore, 19));
    EXPECT_FALSE(b->DevelopEnabled());
    EXPECT_GT(CylinderDevelopment().Hmin, 0.f);  // the refused body's bottom cut
    EXPECT_FALSE(a->OwnsResults());
    Frame(a)->resize(Frame(a)->width() + 3, Frame(a)->height());
    EXPECT_EQ(CylinderDevelopment().Hmin, 0.f);  // the first window's top-cut-only body
    EXPECT_TRUE(a->OwnsResults());
    EXPECT_TRUE(a->PctDisegno->canvas().Image() == developed);
}

// At the smallest window and at the full area, in both views, every label
// on the picture lies wholly inside it (the chord labels left of the
// sector's sides), every sketch box shows its whole value, the edge labels'
// texts end clear of the window's edge, and the panel's value labels keep
// their designed size.
void ShapeWindowTest::CheckBoxesAndLabelsShowWhole() {
    constexpr Colour Outline = RGB(255, 255, 0);
    for (std::int16_t code : AllShapes) {
        ShapeWindow* w = Open(code);
        ASSERT_NE(w, nullptr);
        for (bool smallest : {true, false}) {
            SCOPED_TRACE(std::to_string(code) + (smallest ? " smallest" : " full"));
            Frame(w)->resize(smallest ? QSize(100, 100) : MdiArea()->viewport()->size());  // 100: kept at the minimum
            Wait(10);
            const QRect picture = w->PctDisegno->rect();
            ASSERT_GT(picture.width(), 200);
            for (bool resultView : {false, true}) {
                if (resultView) w->CmdSviluppa->click();
                for (QLabel* l : w->LblDatiSviluppo) {
                    if (!l->isVisible()) continue;
                    EXPECT_TRUE(picture.contains(l->geometry())) << l->objectName().toStdString();
                }
                if (resultView && !IsCylinder(code)) {
                    for (QLabel* chord : {w->LblDatiSviluppo[3], w->LblDatiSviluppo[4]}) {
                        const QRect r = chord->geometry();
                        int crossed = 0;
                        const ImageCanvas& c = w->PctDisegno->canvas();
                        for (int y = r.top(); y <= r.bottom(); ++y)
                            for (int x = r.left(); x <= r.right(); ++x) crossed += c.Point(x, y) == Outline;
                        EXPECT_EQ(crossed, 0) << chord->text().toStdString() << " crosses the sector's side";
                    }
                }
                for (auto* edge : {&w->LblDiffLato, &w->LblArco}) {
                    for (QLabel* l : *edge) {
                        if (!l->isVisible()) continue;
                        const int textRight = l->x() + l->contentsRect().right();
                        EXPECT_LE(textRight, w->PctDisegno->geometry().right()) << l->objectName().toStdString();
                    }
                }
                for (TextBox* box : w->TxtAnt) {
                    if (!box->isVisible()) continue;
                    const int text = box->fontMetrics().horizontalAdvance(box->text());
                    EXPECT_GE(box->width(), text + 4) << box->text().toStdString();  // the box's own margins
                }
                for (QLabel* l : w->LblOutputDati) {
                    if (!l->isVisible()) continue;
                    EXPECT_GE(l->width(), 51) << l->text().toStdString();
                }
            }
            w->CmdModifica->click();
        }
    }
}

TEST_F(ShapeWindowTest, BoxesAndLabelsShowWholeInMillimetres) {
    StartProgram();
    CheckBoxesAndLabelsShowWhole();
}

TEST_F(ShapeWindowTest, BoxesAndLabelsShowWholeInInches) {
    StartProgram(true);
    CheckBoxesAndLabelsShowWhole();
}

}  // namespace
}  // namespace velm
