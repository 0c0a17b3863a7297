// The shape-kind table as the Shapes menu, the registry, the start panel and
// the opener read it, and what they do with a code that has no row; the
// opener keeping one shape window open.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <functional>

#include "core/data_file.h"
#include "elbows/windows/cyl_elbow_window.h"
#include "frame/start_panel_layout.h"
#include "frame/windows/shape_opener.h"
#include "frame/windows/window_test_actions.h"
#include "output/windows/preview_actions.h"

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
    // The elbow maximised, its middle piece (straight above the centre) previewed;
    // unless `keepPreview`, the preview's back button leaves the elbow minimised.
    static CylElbowWindow* PreviewElbowPiece(bool keepPreview = false) {
        Mdi()->FormeItem(3)->trigger();
        Wait(20);
        auto* w = qobject_cast<CylElbowWindow*>(LoadedShapeWindow(ShapeCuCilindri));
        if (!w) return nullptr;
        wt::SubWindowOf(w)->showMaximized();
        Wait(20);
        const QPointF at(w->Drawing().DrawingCentreX, w->Drawing().DrawingCentreY - w->Drawing().DrawingRadius * 1.05);
        Mouse(w->PctDisegno, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        Mouse(w->PctDisegno, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        Wait(20);
        if (!SheetPreview::Current()) return nullptr;
        if (!keepPreview) Click(SheetPreview::Current()->CmdIndietro), Wait(20);
        return w;
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

// A frustum left minimised by its preview goes when another shape opens,
// so nothing acts on one shape's values as another's; a preview goes with
// its shape.
TEST_F(ShapeOpenerTest, OneShapeWindowLivesAndAPreviewGoesWithIt) {
    ASSERT_NE(OpenPreviewOf(OpenDevelopedShape(ShapeCoRe)), nullptr);
    Click(SheetPreview::Current()->CmdIndietro);  // the frustum waits minimised
    Wait(20);
    ShapeWindow* cut = OpenDevelopedShape(ShapeCoTaSup);
    EXPECT_EQ(LiveShapeWindows(), std::vector<ShapeWindowBase*>{cut});
    ASSERT_NE(OpenPreviewOf(cut), nullptr);
    OpenShapeForm(ShapeCiRe, ActiveChild());
    Wait(20);
    EXPECT_EQ(SheetPreview::Current(), nullptr);
    EXPECT_EQ(State().OpenPreview, -1);
    EXPECT_EQ(LiveShapeWindows().size(), 1u);
}

// A data file opens its shape alone, with the file's values even over the
// same shape's open window; one of no shape (code 0) ticks none and leaves
// the start panel usable.
TEST_F(ShapeOpenerTest, DataFileOpensItsShapeOrNone) {
    const std::pair<int, const char*> cases[] = {{ShapeNone, "0.5"}, {ShapeCuCilindri, "0.6"}, {ShapeCoTaInf, "0.7"}};
    for (const auto& [code, thickness] : cases) {
        SCOPED_TRACE(code);
        ASSERT_NE(OpenDevelopedShape(ShapeCoTaInf), nullptr);
        WorkingState saved = State();
        saved.ShapeCode = static_cast<std::int16_t>(code);
        saved.Inputs.ConeData[1] = saved.Inputs.CylElbowData[1] = std::stof(thickness);
        const std::string path = ProgramFolder() + "/shape.qvl";
        std::ofstream(path, std::ios::binary) << WriteDataFileText(DataFileRecordOf(saved));
        dialogs.ExpectOpen(path);
        DispatchFileCommand(FileMenuItem::Open);
        Wait(20);
        EXPECT_EQ(Checked().size(), code == ShapeNone ? 0u : 1u);
        const std::vector<ShapeWindowBase*> live = LiveShapeWindows();
        EXPECT_EQ(live.size(), code == ShapeNone ? 0u : 1u);
        for (ShapeWindowBase* w : live) EXPECT_EQ(w->TxtInputDati[0]->Text(), thickness);
        EXPECT_EQ(StartPanel()->isEnabled(), code == ShapeNone);
        for (ShapeWindowBase* w : live) wt::SubWindowOf(w)->close();
        Wait(20);
    }
}

// The elbow its preview left minimised comes back as it was, its own
// window, by its Shapes menu entry or the window keys; keys typed meanwhile
// change none of its boxes. While its preview is open it stays as it is.
TEST_F(ShapeOpenerTest, MinimisedShapeComesBackByItsMenuEntryOrTheWindowKeys) {
    const auto key = [](Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        Wait(20);  // for the keys' focus to settle
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : Mdi(), k, mods);
    };
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"the Shapes menu", [] { Mdi()->FormeItem(3)->trigger(); }},
        {"Ctrl+Tab, Enter", [&] { key(Qt::Key_Tab, Qt::ControlModifier), key(Qt::Key_9), key(Qt::Key_Return); }},
        {"Ctrl+F6, Ctrl+F5", [&] { key(Qt::Key_F6, Qt::ControlModifier), key(Qt::Key_9), key(Qt::Key_F5, Qt::ControlModifier); }},
    };
    for (const auto& [what, bringBack] : cases) {
        SCOPED_TRACE(what);
        CylElbowWindow* elbow = PreviewElbowPiece();
        ASSERT_NE(elbow, nullptr);
        const std::string thickness = elbow->TxtInputDati[0]->Text();
        bringBack();
        EXPECT_TRUE(wt::SubWindowOf(elbow)->isMaximized()) << "at once as it was";
        Wait(20);
        EXPECT_EQ(LoadedShapeWindow(ShapeCuCilindri), elbow);
        EXPECT_TRUE(wt::SubWindowOf(elbow)->isMaximized() && elbow->isEnabled() && wt::SubWindowOf(elbow)->isEnabled());
        EXPECT_EQ(ActiveChild(), elbow);
        EXPECT_GT(CountColour(elbow->PctDisegno->canvas(), State().CylinderPieceFill), 1000) << "drawn whole";
        EXPECT_EQ(elbow->TxtInputDati[0]->Text(), thickness);
    }
    CylElbowWindow* elbow = PreviewElbowPiece(true);
    ASSERT_NE(elbow, nullptr);
    MdiArea()->setActiveSubWindow(wt::SubWindowOf(elbow));
    key(Qt::Key_Return);
    Wait(20);
    EXPECT_TRUE(wt::SubWindowOf(elbow)->isMinimized());
}

// A shape chosen while the elbow prints a range of pieces opens no second
// shape window beside it.
TEST_F(ShapeOpenerTest, NoSecondShapeWindowWhileARangePrints) {
    CylElbowWindow* elbow = PreviewElbowPiece();
    ASSERT_NE(elbow, nullptr);
    Mdi()->FormeItem(3)->trigger();
    Wait(20);
    dialogs.ExpectPrintAll();
    dialogs.afterPrint = [] { QTimer::singleShot(0, [] { Mdi()->FormeSub2Item(1)->trigger(); }); };
    Click(elbow->CmdStampa);
    dialogs.afterPrint = nullptr;
    Wait(20);
    EXPECT_EQ(LiveShapeWindows(), std::vector<ShapeWindowBase*>{elbow});
    EXPECT_EQ(State().ShapeCode, ShapeCuCilindri);
}

}  // namespace
}  // namespace velm
