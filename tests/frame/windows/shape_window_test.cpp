// What the cylinder and frustum windows share: how they open and paint, one
// window per code, whose results they redraw when two of a family are loaded,
// and that their boxes and labels show whole inside the picture.
#include "frame/windows/shape_window.h"

#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <vector>

#include "cones/windows/cone_window.h"
#include "cylinders/cylinder_compute.h"
#include "cylinders/windows/cylinder_window.h"
#include "frame/windows/window_test_actions.h"
#include "geometry/cylinder_geometry.h"

namespace velm {
namespace {

using namespace wt;

const std::int16_t AllShapes[] = {ShapeCoRe, ShapeCoTaSup, ShapeCoTaInf, ShapeCoConcordi, ShapeCoDiscordi,
                                  ShapeCiRe, ShapeCiTaSup, ShapeCiConcordi, ShapeCiDiscordi};

bool IsCylinder(int code) { return code >= ShapeCiRe && code <= ShapeCiDiscordi; }

// The family's window for the code, made on first use.
ShapeWindow* FamilyWindow(int code) {
    return static_cast<ShapeWindow*>(IsCylinder(code) ? CylinderWindow::Open(code) : ConeWindow::Open(code));
}

std::vector<std::string> Captions(const std::vector<QLabel*>& labels) {
    std::vector<std::string> texts;
    for (QLabel* l : labels) texts.push_back(l->isVisible() ? S(l->text()) : "(hidden)");
    return texts;
}

class ShapeWindowTest : public AppFixture {
protected:
    void StartProgram(bool inches = false) {
        if (inches) Seed("System", "MeasuringSystem", "1");
        ASSERT_TRUE(Start());
        Mdi()->resize(1100, 800);
        Wait(20);
    }
    // From the start panel, or from the menu while another shape window is active.
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
        SubWindowOf(w)->show();
        Wait(30);
        return w;
    }
    // The panel and the picture as the window system last painted them.
    static void ExpectPaintedOnScreen(ShapeWindow* w) {
        const QImage screen = Mdi()->windowHandle()->screen()->grabWindow(Mdi()->winId()).toImage();
        for (QWidget* part : {static_cast<QWidget*>(w->PnlSfondo), static_cast<QWidget*>(w->PctDisegno)}) {
            const QImage shown = screen.copy(QRect(part->mapTo(Mdi(), QPoint(0, 0)), part->size()));
            EXPECT_TRUE(shown.convertToFormat(QImage::Format_RGB32) == part->grab().toImage().convertToFormat(QImage::Format_RGB32))
                << S(part->objectName()) << " differs on the screen";
        }
    }
};

// A window opens filling the main window's area and painted whole, from the
// start panel and from the menu.
TEST_F(ShapeWindowTest, OpensFillingTheAreaAndPaintedWhole) {
    StartProgram();
    for (std::int16_t code : {ShapeCoDiscordi, ShapeCiTaSup}) {  // the second opened from the menu
        SCOPED_TRACE(code);
        ShapeWindow* w = Open(code);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(SubWindowOf(w)->geometry(), QRect(QPoint(0, 0), MdiArea()->viewport()->size()));
        ExpectPaintedOnScreen(w);
    }
}

// Each family opener answers only its own codes, keeps one window per code
// with its family's command captions, and replaces a window that unloaded.
TEST_F(ShapeWindowTest, FamilyOpenerKeepsOneWindowPerCode) {
    ASSERT_TRUE(Start());
    for (int outside : {0, 6, 100}) EXPECT_EQ(ConeWindow::Open(outside), nullptr) << outside;
    for (int outside : {5, 10, -1}) EXPECT_EQ(CylinderWindow::Open(outside), nullptr) << outside;
    std::vector<ShapeWindow*> opened;
    for (std::int16_t code : AllShapes) {
        ShapeWindow* w = FamilyWindow(code);
        ASSERT_NE(w, nullptr) << code;
        EXPECT_EQ(w->ShapeCode(), code);
        EXPECT_EQ(FamilyWindow(code), w) << "a second opening finds the same window";
        EXPECT_EQ(std::count(opened.begin(), opened.end(), w), 0) << code;
        opened.push_back(w);
        EXPECT_EQ(S(w->CmdApplica->text()), Txt(LangCommon, IsCylinder(code) ? 14 : 1));
        EXPECT_EQ(S(w->CmdModifica->text()), Txt(LangCommon, IsCylinder(code) ? 16 : 3));
    }
    ShapeWindow* first = FamilyWindow(ShapeCiTaSup);
    first->Form_Unload();
    ShapeWindow* second = FamilyWindow(ShapeCiTaSup);
    EXPECT_TRUE(second && second != first && !second->Unloaded());
}

// Two windows of one family share one set of results: a window redrawn,
// flipped or developed after the other applied works on its own inputs again.
TEST_F(ShapeWindowTest, RedrawAfterAnotherWindowAppliedShowsItsOwnResults) {
    StartProgram();
    ShapeWindow* a = Open(ShapeCiTaSup);
    ASSERT_NE(a, nullptr);
    a->CmdSviluppa->click();
    const QImage developed = a->PctDisegno->canvas().Image();
    const std::vector<std::string> results = Captions(a->LblDatiSviluppo);
    ShapeWindow* b = OpenBeside(ShapeCiRe);
    Type(b->TxtInputDati[1], "150");
    b->CmdApplica->click();
    EXPECT_TRUE(b->OwnsResults() && !a->OwnsResults());

    for (int d : {-1, 1}) SubWindowOf(a)->resize(SubWindowOf(a)->width() + d, SubWindowOf(a)->height());
    EXPECT_TRUE(a->PctDisegno->canvas().Image() == developed);
    EXPECT_EQ(Captions(a->LblDatiSviluppo), results);

    b->CmdApplica->click();
    a->CmdSaldatura->click();
    a->CmdSaldatura->click();
    EXPECT_TRUE(a->PctDisegno->canvas().Image() == developed);
    b->CmdSviluppa->click();
    EXPECT_EQ(S(b->LblOutputDati[1]->text()), "150");
}

// Something other than a shape window (an elbow piece, an export) develops
// into the shared results and takes a new generation: the window left in its
// result view redraws its own development, never the stranger's.
TEST_F(ShapeWindowTest, ResultViewRedrawsItsOwnAfterAnotherWriterDeveloped) {
    StartProgram();
    ShapeWindow* a = Open(ShapeCiTaSup);
    ASSERT_NE(a, nullptr);
    a->CmdSviluppa->click();
    const QImage developed = a->PctDisegno->canvas().Image();
    ASSERT_TRUE(a->OwnsResults());

    WorkingState& st = State();
    CylinderArray piece = st.Inputs.CylinderData;
    piece[2] = 180;  // a much wider body
    CylinderArray last{};
    ASSERT_EQ(CheckAndDevelopCylinder(ShapeCiRe, piece, CylinderSettingsOf(st), st.CylinderDevelopment.Results, last), 0);
    st.CylinderDevelopment.Generation = st.NewGeneration();
    EXPECT_FALSE(a->OwnsResults());

    for (int d : {-1, 1}) SubWindowOf(a)->resize(SubWindowOf(a)->width() + d, SubWindowOf(a)->height());
    EXPECT_TRUE(a->PctDisegno->canvas().Image() == developed);
    EXPECT_TRUE(a->OwnsResults());
}

// A refused apply may leave its results behind (impossible cuts are found by
// developing): no window owns them, and the window accepted before applies
// again before it redraws.
TEST_F(ShapeWindowTest, RefusedApplyElsewhereIsNeverDrawn) {
    StartProgram();
    ShapeWindow* a = Open(ShapeCiTaSup);
    ASSERT_NE(a, nullptr);
    a->CmdSviluppa->click();
    const QImage developed = a->PctDisegno->canvas().Image();
    ShapeWindow* b = OpenBeside(ShapeCiDiscordi);
    for (auto [row, text] : {std::pair{1, "100"}, {2, "20"}, {3, "45"}, {4, "45"}}) Type(b->TxtInputDati[row], text);
    dialogs.ExpectMessage(IdOk);
    b->CmdApplica->click();
    EXPECT_EQ(dialogs.messages.at(0).prompt, Txt(LangErrore, 19));
    EXPECT_FALSE(a->OwnsResults() || b->OwnsResults());
    for (int d : {3, -3}) SubWindowOf(a)->resize(SubWindowOf(a)->width() + d, SubWindowOf(a)->height());
    EXPECT_EQ(State().CylinderDevelopment.Results.Hmin, 0.f);  // the first window's top-cut-only body
    EXPECT_TRUE(a->PctDisegno->canvas().Image() == developed);
}

// At the smallest window and at the full area, in both views, every label on
// the picture lies wholly inside it (the frusta's chord labels clear of the
// sector's sides), every sketch box shows its whole value, and the panel's
// value labels keep their designed width. Inches give the longest values.
TEST_F(ShapeWindowTest, BoxesAndLabelsShowWhole) {
    StartProgram(true);
    for (std::int16_t code : {ShapeCoDiscordi, ShapeCiDiscordi}) {
        ShapeWindow* w = Open(code);
        ASSERT_NE(w, nullptr);
        for (bool smallest : {true, false}) {
            SCOPED_TRACE(std::to_string(code) + (smallest ? " smallest" : " full"));
            SubWindowOf(w)->resize(smallest ? QSize(100, 100) : MdiArea()->viewport()->size());
            Wait(10);
            const QRect picture = w->PctDisegno->rect();
            for (bool resultView : {false, true}) {
                if (resultView) w->CmdSviluppa->click();
                for (QLabel* l : w->LblDatiSviluppo)
                    EXPECT_TRUE(!l->isVisible() || picture.contains(l->geometry())) << S(l->objectName());
                for (int chord : {3, 4}) {
                    if (!resultView || IsCylinder(code)) break;
                    const QRect r = w->LblDatiSviluppo[chord]->geometry();
                    int crossed = 0;
                    for (int y = r.top(); y <= r.bottom(); ++y)
                        for (int x = r.left(); x <= r.right(); ++x)
                            crossed += w->PctDisegno->canvas().Point(x, y) == RGB(255, 255, 0);
                    EXPECT_EQ(crossed, 0) << chord << " crosses the sector's side";
                }
                for (TextBox* box : w->TxtAnt)
                    EXPECT_TRUE(!box->isVisible() || box->width() >= box->fontMetrics().horizontalAdvance(box->text()) + 4)
                        << box->Text();
                for (QLabel* l : w->LblOutputDati) EXPECT_TRUE(!l->isVisible() || l->width() >= 51) << S(l->text());
            }
            w->CmdModifica->click();
        }
    }
}

// A window in the background keeps its picture parked in a quarter of the
// memory, and shows the same pixels when it is active again, without being
// drawn anew.
TEST_F(ShapeWindowTest, WindowSwitchedAwayAndBackShowsTheSamePicture) {
    StartProgram();
    ShapeWindow* first = Open(ShapeCiRe);
    ASSERT_NE(first, nullptr);
    first->CmdSviluppa_Click();
    Wait(20);
    // A mark that any new apply or develop would wipe.
    first->PctDisegno->canvas().PSet(1, 1, RGB(1, 2, 3));
    const QImage developed = first->PctDisegno->canvas().Image();
    ShapeWindow* second = OpenBeside(ShapeCoRe);
    MdiArea()->setActiveSubWindow(SubWindowOf(second));
    Wait(20);
    EXPECT_TRUE(first->PctDisegno->canvas().Parked());
    EXPECT_FALSE(second->PctDisegno->canvas().Parked());
    EXPECT_EQ(first->PctDisegno->canvas().Image().convertToFormat(QImage::Format_RGB32), developed);

    MdiArea()->setActiveSubWindow(SubWindowOf(first));
    Wait(20);
    EXPECT_FALSE(first->PctDisegno->canvas().Parked());
    EXPECT_TRUE(second->PctDisegno->canvas().Parked());
    EXPECT_EQ(first->PctDisegno->canvas().Image(), developed);
    EXPECT_EQ(first->InputViewActive, False16);
    ExpectPaintedOnScreen(first);
}

}  // namespace
}  // namespace velm
