// The shape-kind table as the Shapes menu, the registry, the start panel and
// the opener read it, and what they do with a code that has no row; the
// opener keeping one shape window open, through previews, data files, the
// window keys and a range print.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <fstream>

#include "core/data_file.h"
#include "elbows/windows/cyl_elbow_window.h"
#include "frame/start_panel_layout.h"
#include "frame/windows/shape_opener.h"
#include "frame/windows/window_test_actions.h"
#include "geometry/angles.h"
#include "output/windows/preview_actions.h"
#include "output/windows/sheet_preview.h"

namespace velm {
namespace {

using namespace wt;

class ShapeOpenerTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        printer.SetPage(200, 287);
        ASSERT_TRUE(Start());
        Mdi()->resize(1280, 800);
    }
    // The shape windows that are loaded, whatever their state.
    static std::vector<ShapeWindowBase*> LiveShapeWindows() {
        std::vector<ShapeWindowBase*> live;
        for (ShapeWindowBase* w : MdiArea()->findChildren<ShapeWindowBase*>())
            if (!w->Unloaded()) live.push_back(w);
        return live;
    }
    // The elbow opened from the menu, maximised, piece `piece` clicked and
    // its preview closed with its back button (unless `keepPreview`): the
    // elbow waits minimised.
    static CylElbowWindow* PreviewElbowPiece(int piece, bool keepPreview = false) {
        Mdi()->FormeItem(3)->trigger();
        Wait(20);
        auto* w = qobject_cast<CylElbowWindow*>(LoadedShapeWindow(ShapeCuCilindri));
        if (!w) return nullptr;
        wt::SubWindowOf(w)->showMaximized();
        Wait(20);
        const LastElbow& e = State().Elbow;
        const double step = e.Bend / (e.PieceCount - 1), mid = Pi / 2 - e.Bend / 2 + step / 2 + (piece - 1.5) * step;
        const ElbowDrawing& d = w->Drawing();
        const QPointF at(d.DrawingCentreX - d.DrawingRadius * 1.05 * std::cos(mid),
                         d.DrawingCentreY - d.DrawingRadius * 1.05 * std::sin(mid));
        Mouse(w->PctDisegno, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        Mouse(w->PctDisegno, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        Wait(20);
        if (!SheetPreview::Current()) return nullptr;
        if (keepPreview) return w;
        Click(SheetPreview::Current()->CmdIndietro);
        Wait(20);
        return w;
    }
    // Line `n` (from 1) of a saved file.
    static std::string SavedLine(const std::string& path, int n) {
        std::ifstream in(path);
        std::string line;
        for (int i = 0; i < n && std::getline(in, line); ++i) {
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return line;
    }
    // The checked items of the Shapes menu, by object name.
    static std::vector<std::string> Checked() {
        std::vector<std::string> names;
        for (QAction* a : Mdi()->findChildren<QAction*>())
            if (a->isChecked() && a->objectName().startsWith("mnuForme")) names.push_back(S(a->objectName()));
        return names;
    }
};

// Each code checks its own item and selects its own start-panel cell.
TEST_F(ShapeOpenerTest, MenuCheckAndPanelCellOfEveryCode) {
    const struct {
        int code;
        const char* item;
        int family, cell, group;
    } cases[] = {
        {1, "mnuFormeSubItems(1)", 1, 0, 0},  {3, "mnuFormeSubItems(3)", 1, 2, 0},
        {5, "mnuFormeSubItems(5)", 1, 4, 0},  {6, "mnuFormeSub2Items(1)", 2, 0, 1},
        {9, "mnuFormeSub2Items(4)", 2, 3, 1}, {10, "mnuFormeItems(3)", 0, -1, 2},
        {11, "mnuFormeSub3Items(1)", 4, 0, 3}, {13, "mnuFormeSub3Items(3)", 4, 2, 3},
    };
    for (const auto& c : cases) {
        CheckShapeMenuItem(c.code);
        EXPECT_EQ(Checked(), std::vector<std::string>{c.item}) << c.code;
        EXPECT_EQ(ShapeFamilyOf(c.code), c.family) << c.code;
        if (c.cell >= 0) {
            EXPECT_EQ(SelectionCellFor(c.family, c.code), c.cell) << c.code;
        }
        EXPECT_EQ(SelectionCellFor(0, c.code), c.group) << c.code;
        EXPECT_EQ(SelectionCellFor(c.family == 1 ? 2 : 1, c.code), -1) << c.code;  // not on another page
    }
}

// A code outside 1 to 13 (a damaged file, the command line, a stale
// setting) finds no row: nothing is registered, selected or opened, and the
// opener leaves the ticks alone; the menu's check of such a code (or of no
// shape, 0) ticks nothing.
TEST_F(ShapeOpenerTest, CodesWithoutARowDoNothing) {
    const int windows = static_cast<int>(MdiArea()->subWindowList().size());
    for (int code : {-32768, -1, 0, 14, 15, 255, 32767}) {
        CheckShapeMenuItem(ShapeCiRe);
        RegisterShapeWindowFactory(code, [](int) -> QWidget* { return nullptr; });
        EXPECT_EQ(ShapeWindowFactoryFor(code), nullptr) << code;
        EXPECT_FALSE(ShapeWindowAvailable(code)) << code;
        EXPECT_EQ(SelectionCellFor(0, code), -1) << code;
        OpenShapeForm(code, StartPanel());
        EXPECT_EQ(ShowShapeWindow(code), nullptr) << code;
        EXPECT_EQ(Checked(), std::vector<std::string>{"mnuFormeSub2Items(1)"}) << code;  // left as it was
        CheckShapeMenuItem(code);
        EXPECT_EQ(Checked(), std::vector<std::string>{}) << code;
    }
    Wait(20);
    EXPECT_EQ(static_cast<int>(MdiArea()->subWindowList().size()), windows);
    EXPECT_TRUE(StartPanel()->isEnabled());
}

// A frustum previewed and left minimised, then an elbow piece previewed: the
// frustum's window went when the elbow opened, so nothing can preview, print
// or save the elbow's values as a frustum (or the other way round). Choosing
// the elbow again brings its own window back whole, and a save is the elbow's.
TEST_F(ShapeOpenerTest, OneShapeWindowLivesAndChoosingItAgainRestoresIt) {
    ShapeWindow* frustum = OpenDevelopedShape(ShapeCoRe);
    ASSERT_NE(frustum, nullptr);
    SheetPreview* preview = OpenPreviewOf(frustum);
    ASSERT_NE(preview, nullptr);
    Click(preview->CmdIndietro);
    Wait(20);
    ASSERT_TRUE(wt::SubWindowOf(frustum)->isMinimized());

    CylElbowWindow* elbow = PreviewElbowPiece(3);
    ASSERT_NE(elbow, nullptr);
    EXPECT_EQ(LiveShapeWindows(), std::vector<ShapeWindowBase*>{elbow});
    EXPECT_EQ(LoadedShapeWindow(ShapeCoRe), nullptr);
    EXPECT_TRUE(wt::SubWindowOf(elbow)->isMinimized());

    Mdi()->FormeItem(3)->trigger();  // the same shape again
    Wait(20);
    QMdiSubWindow* sub = wt::SubWindowOf(elbow);
    EXPECT_EQ(LoadedShapeWindow(ShapeCuCilindri), elbow) << "its own window, not a new one";
    EXPECT_TRUE(sub->isMaximized()) << "as it was before its preview minimised it";
    EXPECT_TRUE(elbow->isEnabled() && sub->isEnabled() && elbow->isVisible());
    EXPECT_EQ(ActiveChild(), elbow);
    EXPECT_EQ(State().ShapeCode, ShapeCuCilindri);
    EXPECT_EQ(State().SwitchingForms, False16);
    EXPECT_EQ(Checked(), std::vector<std::string>{"mnuFormeItems(3)"});
    EXPECT_GT(CountColour(elbow->PctDisegno->canvas(), State().CylinderPieceFill), 1000) << "drawn whole";

    const std::string path = ProgramFolder() + "/shown.qvl";
    dialogs.ExpectSave(path);
    DispatchFileCommand(FileMenuItem::SaveAs);
    EXPECT_EQ(SavedLine(path, 4), "10");

    // Another shape replaces it; closing that one brings the start panel back.
    Mdi()->FormeSubItem(2)->trigger();
    Wait(20);
    auto* cut = qobject_cast<ShapeWindow*>(LoadedShapeWindow(ShapeCoTaSup));
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(LiveShapeWindows(), std::vector<ShapeWindowBase*>{cut});

    // A preview belongs to its shape: it goes with it, and preview mode ends.
    Click(cut->CmdSviluppa);
    ASSERT_NE(OpenPreviewOf(cut), nullptr);
    OpenShapeForm(ShapeCiRe, ActiveChild());
    Wait(20);
    EXPECT_EQ(SheetPreview::Current(), nullptr);
    EXPECT_EQ(State().OpenPreview, -1);
    EXPECT_TRUE(Mdi()->FileItem(FileMenuItem::Open)->isEnabled());
    ASSERT_NE(cut = qobject_cast<ShapeWindow*>(LoadedShapeWindow(ShapeCiRe)), nullptr);
    EXPECT_EQ(LiveShapeWindows(), std::vector<ShapeWindowBase*>{cut});
    Click(cut->CmdIndietro);
    Wait(20);
    EXPECT_TRUE(StartPanel()->isEnabled());
    EXPECT_TRUE(LiveShapeWindows().empty());
}

// A data file that names no shape (code 0) leaves no shape ticked and no
// shape window showing values the file replaced; the start panel is usable
// again. A file that names a shape opens it as the menu does, with the
// file's values even when that shape's window was open already.
TEST_F(ShapeOpenerTest, DataFileOpensItsShapeOrNone) {
    const struct {
        int code;
        std::vector<std::string> ticked;
        const char* thickness;
    } cases[] = {{ShapeNone, {}, "0.4"},
                 {ShapeCiTaSup, {"mnuFormeSub2Items(2)"}, "0.5"},
                 {ShapeCuCilindri, {"mnuFormeItems(3)"}, "0.6"},
                 {ShapeCoTaInf, {"mnuFormeSubItems(3)"}, "0.7"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        ShapeWindow* frustum = OpenDevelopedShape(ShapeCoTaInf);
        ASSERT_NE(frustum, nullptr);
        WorkingState saved = State();
        saved.ShapeCode = static_cast<std::int16_t>(c.code);
        for (float* thickness : {&saved.Inputs.ConeData[1], &saved.Inputs.CylinderData[1], &saved.Inputs.CylElbowData[1]})
            *thickness = std::stof(c.thickness);
        const std::string path = ProgramFolder() + "/code" + std::to_string(c.code) + ".qvl";
        std::ofstream(path, std::ios::binary) << WriteDataFileText(DataFileRecordOf(saved));
        dialogs.ExpectOpen(path);
        DispatchFileCommand(FileMenuItem::Open);
        Wait(20);
        EXPECT_EQ(Checked(), c.ticked);
        const std::vector<ShapeWindowBase*> live = LiveShapeWindows();
        EXPECT_EQ(live.size(), c.code == ShapeNone ? 0u : 1u);
        for (ShapeWindowBase* w : live) {
            EXPECT_EQ(w->ShapeCode(), c.code);
            EXPECT_EQ(w->TxtInputDati[0]->Text(), c.thickness) << "the file's thickness";
        }
        EXPECT_EQ(StartPanel()->isEnabled(), c.code == ShapeNone);
        EXPECT_EQ(State().SwitchingForms, False16);
        for (ShapeWindowBase* w : live) wt::SubWindowOf(w)->close();
        Wait(20);
    }
}

// After a piece preview the elbow waits minimised with nothing active: the
// window keys reach it and bring it back as it was; keys typed meanwhile
// change none of its boxes. While its preview is open it stays as it is.
TEST_F(ShapeOpenerTest, MinimisedShapeComesBackByTheWindowKeys) {
    const auto key = [](Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : Mdi();
        QTest::keyClick(target, k, mods);
        Wait(20);
    };
    const struct {
        const char* what;
        Qt::Key next, restore;
        Qt::KeyboardModifiers restoreMods;
    } cases[] = {
        {"Ctrl+Tab, Enter", Qt::Key_Tab, Qt::Key_Return, Qt::NoModifier},
        {"Ctrl+F6, Ctrl+F5", Qt::Key_F6, Qt::Key_F5, Qt::ControlModifier},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CylElbowWindow* elbow = PreviewElbowPiece(3);
        ASSERT_NE(elbow, nullptr);
        QMdiSubWindow* sub = wt::SubWindowOf(elbow);
        const std::vector<std::string> boxes = {elbow->TxtInputDati[0]->Text(), elbow->TxtInputDati[1]->Text()};
        key(Qt::Key_Return);  // nothing active yet: nothing to restore
        EXPECT_TRUE(sub->isMinimized());
        key(c.next, Qt::ControlModifier);
        EXPECT_EQ(ActiveChild(), elbow);
        EXPECT_TRUE(sub->isMinimized()) << "only made active";
        key(Qt::Key_9);
        key(c.restore, c.restoreMods);
        Wait(20);
        EXPECT_TRUE(sub->isMaximized()) << "as it was before its preview minimised it";
        EXPECT_TRUE(elbow->isEnabled() && sub->isEnabled());
        EXPECT_EQ(ActiveChild(), elbow);
        EXPECT_EQ((std::vector<std::string>{elbow->TxtInputDati[0]->Text(), elbow->TxtInputDati[1]->Text()}),
                  boxes);
        EXPECT_GT(CountColour(elbow->PctDisegno->canvas(), State().CylinderPieceFill), 1000) << "drawn whole";
    }
    // With its preview open the elbow is disabled: made active, it stays as it is.
    CylElbowWindow* elbow = PreviewElbowPiece(3, true);
    ASSERT_NE(elbow, nullptr);
    MdiArea()->setActiveSubWindow(wt::SubWindowOf(elbow));
    key(Qt::Key_Return);
    EXPECT_TRUE(wt::SubWindowOf(elbow)->isMinimized());
    EXPECT_NE(SheetPreview::Current(), nullptr);
}

// A shape chosen while the elbow prints a range of pieces finds the elbow
// still busy (it closes once the range is printed): the choice opens no
// second shape window beside it, and the start panel stays disabled.
TEST_F(ShapeOpenerTest, NoSecondShapeWindowWhileARangePrints) {
    CylElbowWindow* elbow = PreviewElbowPiece(3);
    ASSERT_NE(elbow, nullptr);
    Mdi()->FormeItem(3)->trigger();
    Wait(20);
    dialogs.ExpectPrintAll();
    bool chosen = false;
    dialogs.afterPrint = [&chosen] {
        QTimer::singleShot(0, [&chosen] {
            chosen = Mdi()->FormeSub2Item(1)->isEnabled();
            Mdi()->FormeSub2Item(1)->trigger();
        });
    };
    Click(elbow->CmdStampa);
    dialogs.afterPrint = nullptr;
    Wait(20);
    ASSERT_TRUE(chosen) << "the menu was there to choose from";
    EXPECT_EQ(LiveShapeWindows(), std::vector<ShapeWindowBase*>{elbow});
    EXPECT_EQ(State().ShapeCode, ShapeCuCilindri);
    EXPECT_EQ(Checked(), std::vector<std::string>{"mnuFormeItems(3)"});
    EXPECT_FALSE(StartPanel()->isEnabled());
}

}  // namespace
}  // namespace velm
