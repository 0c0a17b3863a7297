// The sheet previews in the running program, opened from the cylinder and
// frustum windows and driven as a user would: options, part, scale, drag,
// printing on the recording printer, closing.
#include "output/windows/sheet_preview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <cmath>

#include "core/settings.h"
#include "frame/command_registry.h"
#include "frame/windows/shape_opener.h"
#include "frame/windows/window_test_actions.h"

namespace velm {
namespace {

using namespace wt;

class SheetPreviewTest : public AppFixture {
protected:
    void StartProgram() {
        printer.SetPage(200, 287);
        ASSERT_TRUE(Start());
        Mdi()->resize(1280, 800);
        Wait(20);
    }
    // A shape window from the Shapes menu, developed and maximised.
    ShapeWindow* OpenShape(int code) {
        if (code >= 6)
            Mdi()->FormeSub2Item(code - 5)->trigger();
        else
            Mdi()->FormeSubItem(code)->trigger();
        Wait(20);
        auto* w = qobject_cast<ShapeWindow*>(LoadedShapeWindow(code));
        if (!w) return nullptr;
        w->parentWidget()->showMaximized();
        Wait(20);
        Click(w->CmdSviluppa);
        return w;
    }
    SheetPreview* Preview(ShapeWindow* shape) {
        Click(shape->CmdAnteprima);
        Wait(20);
        return SheetPreview::Current();
    }
};

TEST_F(SheetPreviewTest, OpensFromTheShapeWindowIntoPreviewModeAndClosesBack) {
    StartProgram();
    for (int code : {ShapeCiTaSup, ShapeCoRe}) {
        SCOPED_TRACE(code);
        ShapeWindow* shape = OpenShape(code);
        ASSERT_NE(shape, nullptr);
        SheetPreview* preview = Preview(shape);
        ASSERT_NE(preview, nullptr);
        const bool cone = code == ShapeCoRe;
        EXPECT_EQ(S(preview->objectName()), cone ? "FrmAnteprima" : "FrmAnteprimaCilindri");
        EXPECT_EQ(State().OpenPreview, cone ? 0 : 1);
        EXPECT_FALSE(shape->isEnabled());
        EXPECT_TRUE(wt::SubWindowOf(shape)->isMinimized());
        EXPECT_TRUE(Mdi()->FileItem(8)->isEnabled());
        EXPECT_FALSE(Mdi()->FileItem(1)->isEnabled());
        EXPECT_FALSE(Mdi()->FileItem(2)->isEnabled());
        EXPECT_TRUE(preview->PctFoglio->isVisible());
        EXPECT_TRUE(preview->PctDisegno->isVisible());
        EXPECT_GT(preview->PctDisegno->width(), 10);

        Click(preview->CmdIndietro);
        Wait(20);
        EXPECT_EQ(State().OpenPreview, -1);
        EXPECT_EQ(SheetPreview::Current(), nullptr);
        EXPECT_TRUE(shape->isEnabled());
        EXPECT_TRUE(wt::SubWindowOf(shape)->isMinimized()) << "stays minimised until the user restores it";
        EXPECT_FALSE(Mdi()->FileItem(8)->isEnabled());
        EXPECT_TRUE(Mdi()->FileItem(1)->isEnabled());
        EXPECT_EQ(Stored("Options", "CheckSviluppo"), "1");
        EXPECT_EQ(Stored("Options", "CheckData"), "0");
        wt::SubWindowOf(shape)->close();
        Wait(20);
    }
}

}  // namespace
}  // namespace velm
