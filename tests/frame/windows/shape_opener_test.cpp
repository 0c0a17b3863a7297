// The shape-kind table as the Shapes menu, the registry, the start panel and
// the opener read it, and what they do with a code that has no row.
#include <QMdiArea>
#include <QMdiSubWindow>

#include "frame/start_panel_layout.h"
#include "frame/windows/shape_opener.h"
#include "frame/windows/window_test_actions.h"

namespace velm {
namespace {

using namespace wt;

class ShapeOpenerTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(Start());
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
// setting) finds no row: nothing is registered, checked, selected or opened.
TEST_F(ShapeOpenerTest, CodesWithoutARowDoNothing) {
    CheckShapeMenuItem(ShapeCiRe);
    const int windows = static_cast<int>(MdiArea()->subWindowList().size());
    for (int code : {-32768, -1, 0, 14, 15, 255, 32767}) {
        RegisterShapeWindowFactory(code, [](int) -> QWidget* { return nullptr; });
        EXPECT_EQ(ShapeWindowFactoryFor(code), nullptr) << code;
        EXPECT_FALSE(ShapeWindowAvailable(code)) << code;
        EXPECT_EQ(SelectionCellFor(0, code), -1) << code;
        OpenShapeForm(code, StartPanel());
        EXPECT_EQ(ShowShapeWindow(code), nullptr) << code;
        CheckShapeMenuItem(code);
        EXPECT_EQ(Checked(), std::vector<std::string>{"mnuFormeSub2Items(1)"}) << code;  // left as it was
    }
    Wait(20);
    EXPECT_EQ(static_cast<int>(MdiArea()->subWindowList().size()), windows);
    EXPECT_TRUE(StartPanel()->isEnabled());
}

}  // namespace
}  // namespace velm
