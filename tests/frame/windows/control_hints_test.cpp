// The one hint dispatch of every window: a control shows what its entry
// says, and a control without one leaves the status line to its window.
#include <QLabel>
#include <QPushButton>

#include "frame/windows/control_hints.h"
#include "frame/windows/window_test_actions.h"

namespace velm {
namespace {

using wt::Status;

class ControlHintsTest : public AppFixture {};

TEST_F(ControlHintsTest, EachControlShowsItsOwnEntryOnly) {
    ASSERT_TRUE(Start());
    QWidget window;
    auto* text = new QPushButton(&window);
    auto* cleared = new QLabel(&window);
    std::vector<QLabel*> rows{new QLabel(&window), new QLabel(&window)};
    auto* unlisted = new QLabel(&window);
    int called = -1;
    ControlHints hints;
    hints.Text(text, LangHelp, 6).Clear(cleared, ToolTip::Hides).Calls(rows, [&called](int i) { called = i; });
    const struct {
        const QObject* control;
        bool shown;
        std::string status;  // after "before"
        int called;
    } cases[] = {
        {text, true, Txt(LangHelp, 6), -1},
        {cleared, true, "", -1},
        {rows[1], true, "before", 1},
        {unlisted, false, "before", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        SetStatusText("before");
        called = -1;
        EXPECT_EQ(hints.Show(c.control), c.shown);
        EXPECT_EQ(Status(), c.status);
        EXPECT_EQ(called, c.called);
    }
}

}  // namespace
}  // namespace velm
